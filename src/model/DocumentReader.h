#pragma once

#include <cstdint>

namespace qx {

class Container;
class ContainerObjectBuilder;
class Ref;
class RefRoot;
class RefTreeBuilder;
class iwstream;

// Reads a document into a fresh container and two empty roots. Any byte
// sequence is safe to read: trees are read without recursion, whatever their
// depth; memory grows only with the bytes actually read; and the first record
// that makes no sense ends the read with a failure, so a caller that keeps
// its previous document on failure never sees half a document.
class DocumentReader {
public:
    DocumentReader(Container& container, RefRoot& orgroot, RefRoot& domainroot);

    // DocumentFormat::Ok, StreamFailed (the stream failed or ended early, or
    // a record made no sense), NotDocument (bad magic) or BadVersion. After a
    // failure the document holds what was read before it, consistent (target
    // counts right), for the caller to discard.
    int read(iwstream& in);

private:
    bool readobjects(iwstream& in, ContainerObjectBuilder& builder);
    bool readtree(iwstream& in, RefRoot& root, RefTreeBuilder& builder);
    // The record of a node from its length to its child count. A child's
    // node is made by the builder; the root's record is read into the root.
    Ref* readnode(iwstream& in, RefRoot* root, RefTreeBuilder& builder, std::uint32_t& children);
    // The hosts of the first versions were path nodes like any other.
    void converthosts();

    Container& container_;
    RefRoot& orgroot_;
    RefRoot& domainroot_;
    int version_ = 0;
};

} // namespace qx
