#include "search/WSearchList.h"

#include <mutex>

namespace qx {

bool WSearchList::Append(std::unique_ptr<WSearchNode> node) {
    std::lock_guard guard(lock_);
    const bool wasempty = items_.empty();
    items_.append(node.release());
    return wasempty;
}

void WSearchList::TakeAll(List& into) {
    std::lock_guard guard(lock_);
    while (Node* node = items_.first()) {
        items_.unlink(node);
        into.append(node);
    }
}

} // namespace qx
