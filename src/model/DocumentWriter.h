#pragma once

namespace qx {

class Container;
class ContainerObjectBuilder;
class Ref;
class RefRoot;
class RefTreeBuilder;
class owstream;

// Writes a document: the magic and version, every object of the container,
// then the organizer tree and the domain tree. Every record starts with its
// length, patched in once the record is written, so that readers can step
// over fields they do not know. Trees are walked without recursion: a tree
// read from a file may be nested arbitrarily deep.
class DocumentWriter {
public:
    DocumentWriter(Container& container, const RefRoot& orgroot, const RefRoot& domainroot);

    // 0, or 1 when the stream is not good at the end (the output is then
    // incomplete). The container's identifier table is left empty.
    int write(owstream& out);

private:
    // Whether some count does not fit the narrow form.
    bool needswide() const;
    bool writeobjects(owstream& out, ContainerObjectBuilder& builder);
    bool writetree(owstream& out, const RefRoot& root, RefTreeBuilder& builder);
    // The node's record up to and including its child count.
    bool writenode(owstream& out, const Ref& node, RefTreeBuilder* builder);

    Container& container_;
    const RefRoot& orgroot_;
    const RefRoot& domainroot_;
    bool wide_ = false;
};

} // namespace qx
