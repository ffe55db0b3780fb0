#pragma once

#include <cstddef>
#include <vector>

namespace qx {

class DDoc;
class Ref;

// Brings what another copy of a document holds into the open one without
// taking anything away: the copy on disk changed under an open document with
// unsaved changes of its own. Nodes of the organizer tree stand for the same
// thing when they sit under the same folder path and are the same folder (by
// name), saved search (by its request's query) or reference (by address, or
// by title when there is none).
class DocumentMerge {
public:
    // Neither reads change `from` or `old`.
    // Adds the subtrees of `from` that `into` lacks, each at the end of the
    // folder it belongs in, its pages joined with the same pages of `into`;
    // what `into` has and `from` lacks stays. The number of subtrees added.
    static std::size_t addMissing(DDoc& into, DDoc& from);
    // The nodes of `fresh` (a new read of the document) that stand for nodes
    // of `old` take their expanded state from them, in both trees.
    static void keepExpanded(DDoc& old, DDoc& fresh);
    // The nodes below `freshTop` that stand for `nodes` below `oldTop` (the
    // roots of the same tree in two reads of the document), in the order of
    // `nodes`; a node with no counterpart is left out. `organizer` tells the
    // organizer tree from the sites tree.
    static std::vector<Ref*> counterparts(const Ref& oldTop, Ref& freshTop, bool organizer,
                                          const std::vector<const Ref*>& nodes);
};

} // namespace qx
