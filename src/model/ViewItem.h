#pragma once

#include "stream/Str.h"

namespace qx {

// The view-side item of a reference node, as the model sees it: opaque but for
// the few things the model tells it. The view owns its items; a node only points
// at its item and forgets it when the view says so.
class ViewItem {
public:
    // The node's label changed (it was renamed, re-requested or merged).
    virtual void settext(const Str& text) = 0;
    // The node became hidden or stopped being hidden, by either mark. A view
    // that filters hidden nodes out notes the node here, so that filtering
    // later visits the nodes that changed instead of the whole tree.
    virtual void hiddenchanged() {}
    // A child of the node came into the tree but does not pass the show rule,
    // so it got no item: a view notes where to look when the rule relaxes.
    virtual void childunshown() {}

protected:
    ~ViewItem() = default;
};

} // namespace qx
