#pragma once

namespace qx::doc {

// What a menu item or tool-bar button of a command shows.
struct CommandState {
    bool enabled = false;
    bool checked = false;
};

// One link of the chain that menu, tool bar and accelerators send their
// commands along: the main view, the frame, the document manager and the
// application. A command that no link takes stays disabled.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    // Fills in the state and answers true when this target takes the command.
    virtual bool commandState(int id, CommandState& state) = 0;
    // Carries the command out; false when this target does not take it.
    virtual bool execute(int id) = 0;
};

} // namespace qx::doc
