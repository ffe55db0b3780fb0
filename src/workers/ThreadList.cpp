#include "workers/ThreadList.h"

#include "workers/WThread.h"

namespace qx {

ThreadNode* ThreadList::Find(const Thread* worker) const {
    for (ThreadNode* node = First(); node; node = node->Next()) {
        if (static_cast<const Thread*>(&node->Worker()) == worker)
            return node;
    }
    return nullptr;
}

} // namespace qx
