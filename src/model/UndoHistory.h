#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <string>

namespace qx {

class DDoc;

// The user's last changes of a document, as the document stood before each of
// them: its file form, written to memory before the change and read back into
// a fresh document to take the change back. The file form holds everything
// the user edits (both trees, the pages, names, marks, saved requests), so one
// mechanism takes back a delete in either tree with the organizer nodes it
// took along, a move, a drop, a paste, a rename or a whole import alike, and
// the document returns to the very bytes it had.
//
// A change is one step however many nodes it touches: begin() before it,
// end() after. Steps nest; only the outermost one counts. A step in which
// nothing changed leaves no level. What the file form does not hold (the
// pages found again since opening) is not brought back.
class UndoHistory {
public:
    static constexpr std::size_t kDefaultLevels = 25;

    explicit UndoHistory(std::size_t levels = kDefaultLevels) : levels_(levels) {}

    // Keeps the document as it is now, to return to when the change that
    // follows is made.
    void begin(DDoc& doc);
    // The model changed. Inside a step that makes the step a level; outside
    // one (a search filing results, a check marking pages) the kept states
    // no longer lead back to anything the user saw, and are dropped.
    void changed();
    void end();
    bool inStep() const { return depth_ > 0; }

    bool canUndo() const { return !levels_kept_.empty(); }
    std::size_t size() const { return levels_kept_.size(); }
    // The document as it was before the newest step, read into a fresh
    // model with the hosts' order setting of the current one; the step is
    // used up. Null when there is none or its bytes cannot be read (then the
    // history is dropped).
    std::unique_ptr<DDoc> undo(int sortservers);
    void clear();

private:
    std::size_t levels_;
    std::deque<std::string> levels_kept_; // oldest first
    std::string pending_;
    int depth_ = 0;
    bool stepChanged_ = false;
};

} // namespace qx
