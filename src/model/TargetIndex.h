#pragma once

#include <unordered_map>
#include <vector>

namespace qx {

class Object;
class Ref;

// Which nodes of a document's two trees refer to an object, so that deleting
// and hiding visit the nodes of the pages they touch instead of sweeping both
// trees. Built by one sweep the first time it is asked; from then on the
// document reports every node that gains or loses a target.
//
// Each node is filed under the object it had when it was reported, and taken
// out by that, so a target changed behind the index's back leaves no pointer
// to a destroyed node; such a node is only not found under its new target.
class TargetIndex {
public:
    TargetIndex(Ref& orgroot, Ref& domainroot) : orgroot_(orgroot), domainroot_(domainroot) {}

    // The nodes whose target is the object, in no particular order.
    std::vector<Ref*> referrers(const Object* object);

    // The node now has its target (a node without one is ignored).
    void added(Ref& node);
    // The node is about to lose its target or to be destroyed.
    void removed(Ref& node);

private:
    void build();

    Ref& orgroot_;
    Ref& domainroot_;
    bool built_ = false;
    std::unordered_multimap<const Object*, Ref*> nodes_;
    std::unordered_map<const Ref*, const Object*> filedunder_;
};

} // namespace qx
