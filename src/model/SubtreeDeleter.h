#pragma once

#include "model/ObjRefList.h"

namespace qx {

class DDoc;
class Ref;
class TreeEdit;

// The delete command on one node of either tree: the node goes with its
// subtree; then the nodes that stood only for the pages it took along (the
// organizer leaves of a page deleted in the domain tree, the domain leaves of a
// page no longer referred to, and the path nodes left without children and
// without a page of their own) go too; the pages nobody refers to any more
// leave the container.
//
// Only the nodes of the collected pages and their ancestors are visited, so
// the work is in proportion to what is deleted, not to the document.
class SubtreeDeleter {
public:
    SubtreeDeleter(DDoc& doc, TreeEdit& edit) : doc_(doc), edit_(edit) {}

    void run(Ref& node);

private:
    void deletesubtree(Ref& node);
    void collect(Object* target);
    void deleteorganizerleaves();
    void deletedomainleaves();
    // Deletes the node while it is a domain leaf that stands for nothing
    // kept, then its parent the same way.
    void climb(Ref* node);
    // A leaf of the wanted tree whose target is the object, or null.
    Ref* leafof(const Object* object, bool indomain);

    DDoc& doc_;
    TreeEdit& edit_;
    ObjRefList candidates_;
    bool fromdomain_ = false;
};

} // namespace qx
