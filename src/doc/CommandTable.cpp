#include "doc/CommandTable.h"

namespace qx::doc {

void CommandTable::add(int id, State state, Run run) {
    entries_[id] = Entry{std::move(state), std::move(run)};
}

void CommandTable::add(int id, Run run) {
    add(
        id,
        [] {
            return CommandState{true, false};
        },
        std::move(run));
}

std::vector<int> CommandTable::ids() const {
    std::vector<int> all;
    all.reserve(entries_.size());
    for (const auto& [id, entry] : entries_)
        all.push_back(id);
    return all;
}

bool CommandTable::commandState(int id, CommandState& state) {
    const auto it = entries_.find(id);
    if (it == entries_.end())
        return false;
    state = it->second.state();
    return true;
}

bool CommandTable::execute(int id) {
    const auto it = entries_.find(id);
    if (it == entries_.end())
        return false;
    // The entry may replace the table's contents (a new document's view), so
    // the action is copied before it runs.
    if (it->second.state().enabled) {
        const Run run = it->second.run;
        run();
    }
    return true;
}

} // namespace qx::doc
