#include "search/SearchRunState.h"

#include "model/OrgRef2.h"
#include "model/SearchRef.h"

namespace qx {

namespace {

bool within(const Ref* node, const Ref& top) {
    return node && (node == &top || node->isdescendant(&top));
}

} // namespace

void SearchRunState::forget(const Ref& node) {
    if (within(search, node)) {
        search = nullptr;
        heading = nullptr;
    } else if (within(heading, node)) {
        heading = nullptr;
    }
}

} // namespace qx
