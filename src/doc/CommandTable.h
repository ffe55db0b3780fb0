#pragma once

#include "doc/CommandTarget.h"

#include <functional>
#include <map>
#include <vector>

namespace qx::doc {

// The commands of one part of the program, each once: its number, the rule
// that says whether it can run now (and whether its item carries a check
// mark), and what it does. Menus, tool bar, keys and tests all ask the same
// entry, so that what a menu shows and what a key does cannot drift apart.
class CommandTable : public CommandTarget {
public:
    using State = std::function<CommandState()>;
    using Run = std::function<void()>;

    // A command whose state is asked each time; adding a number again
    // replaces the entry.
    void add(int id, State state, Run run);
    // A command that can always run.
    void add(int id, Run run);
    bool contains(int id) const { return entries_.count(id) != 0; }
    std::vector<int> ids() const;

    bool commandState(int id, CommandState& state) override;
    // Takes every command of the table, but carries it out only while it is
    // enabled: keys and the trees' own menus arrive without the frame asking
    // first, and a disabled command must do nothing however it is reached.
    bool execute(int id) override;

    static CommandState enabledIf(bool enabled) { return {enabled, false}; }

private:
    struct Entry {
        State state;
        Run run;
    };
    std::map<int, Entry> entries_;
};

} // namespace qx::doc
