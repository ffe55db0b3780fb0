#include "model/ObjRefList.h"

namespace qx {

bool ObjRefList::add(Object* object) {
    if (!object || !members_.insert(object).second)
        return false;
    append(new ObjRefNode(object));
    return true;
}

bool ObjRefList::contains(const Object* object) const {
    return members_.count(object) != 0;
}

} // namespace qx
