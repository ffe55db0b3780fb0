#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace qx {

class OrgRef2;
class Ref;
class SearchRef;

// Where one engine's results go: the saved search (null once the worker was
// stopped or detached), the heading level-2 results go under, and the
// counters of the run. Touched on the user-interface thread only.
struct SearchRunState {
    SearchRef* search = nullptr;
    OrgRef2* heading = nullptr;
    // The headings this run made that are still in the tree.
    std::vector<OrgRef2*> headings;
    std::int32_t found = 0;
    std::int32_t added = 0;

    // A node is about to be destroyed: a saved search inside it drops the run,
    // a heading inside it is forgotten, so that no pointer outlives its node.
    void forget(const Ref& node);
    // The heading this run made with that title, or null; an empty title
    // names none.
    OrgRef2* madeheading(std::string_view title) const;
};

} // namespace qx
