#pragma once

#include <string>

namespace qx {

class Ref;

// What the search run shows outside the document's views: the status bar, the
// progress indicator and the expansion of a saved search's line. The main
// window and the command-line tool put their own here; tests record.
class SearchScreen {
public:
    virtual void status(const std::string& text) = 0;
    // The progress figure may have changed.
    virtual void progress() = 0;
    // Expand the node's line, when it has one.
    virtual void expand(Ref& node) = 0;

protected:
    ~SearchScreen() = default;
};

} // namespace qx
