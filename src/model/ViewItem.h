#pragma once

#include "stream/Str.h"

namespace qx {

// The view-side item of a reference node, as the model sees it: opaque but for
// the one thing the model tells it. The view owns its items; a node only points
// at its item and forgets it when the view says so.
class ViewItem {
public:
    // The node's label changed (it was renamed, re-requested or merged).
    virtual void settext(const Str& text) = 0;

protected:
    ~ViewItem() = default;
};

} // namespace qx
