#include "workers/WaitList.h"

namespace qx {

WaitList& WaitList::Program() {
    static WaitList list;
    return list;
}

} // namespace qx
