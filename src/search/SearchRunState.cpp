#include "search/SearchRunState.h"

#include "model/Object.h"
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
        headings.clear();
        return;
    }
    if (within(heading, node)) {
        heading = nullptr;
    }
    std::erase_if(headings, [&node](const OrgRef2* made) { return within(made, node); });
}

OrgRef2* SearchRunState::madeheading(std::string_view title) const {
    if (title.empty()) {
        return nullptr;
    }
    for (OrgRef2* made : headings) {
        if (made->target() && made->target()->props().title.view() == title) {
            return made;
        }
    }
    return nullptr;
}

} // namespace qx
