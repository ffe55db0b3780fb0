#pragma once

namespace qx {

class Object;
class Ref;

// What an export does at each node it takes: enter comes before the node's
// children, leave after them. A non-zero result stops the walk and is its
// result.
class ExportVisitor {
public:
    virtual ~ExportVisitor() = default;
    virtual int enter(const Ref& node) = 0;
    virtual int leave(const Ref& node) = 0;
};

// Walks a node and everything below it in order, leaving out the nodes the
// user hid (with all below them). Without recursion: documents and bookmark
// files may nest deeper than the stack would take.
class ExportWalk {
public:
    static int walk(const Ref& top, ExportVisitor& visitor);

    // The page a node stands for in an export: its target, except for a host
    // or path piece that the sites tree made only to file pages below it,
    // which exports as a folder named after the piece.
    static const Object* pageof(const Ref& node);
};

} // namespace qx
