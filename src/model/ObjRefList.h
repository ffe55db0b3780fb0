#pragma once

#include "model/List.h"

#include <unordered_set>

namespace qx {

class Object;

// One object a deletion may have left without references. Not owned.
class ObjRefNode : public Node {
public:
    explicit ObjRefNode(Object* object) : object_(object) {}

    Object* object() const { return object_; }
    ObjRefNode* nextobj() const { return static_cast<ObjRefNode*>(next()); }

private:
    Object* object_;
};

// The objects a deletion collects, each once, in the order they were met. A
// set beside the list answers "already there" at once, so collecting the pages
// of a large subtree stays linear.
class ObjRefList : public List {
public:
    // False for null and for an object already in the list.
    bool add(Object* object);
    bool contains(const Object* object) const;
    ObjRefNode* firstobj() const { return static_cast<ObjRefNode*>(first()); }

private:
    std::unordered_set<const Object*> members_;
};

} // namespace qx
