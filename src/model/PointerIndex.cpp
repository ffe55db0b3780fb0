#include "model/PointerIndex.h"

namespace qx {

PointerIndex::Result PointerIndex::insert(const void* key, std::uint32_t value) {
    if (!key) {
        return {0, false};
    }
    const auto [held, added] = ids_.tryset(key, value);
    return {held, added};
}

} // namespace qx
