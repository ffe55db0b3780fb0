#include "doc/CommandTable.h"

#include <gtest/gtest.h>

namespace qx::doc {
namespace {

TEST(CommandTable, ADisabledCommandIsTakenButDoesNothing) {
    CommandTable table;
    bool allowed = false;
    int runs = 0;
    table.add(
        7, [&] { return CommandTable::enabledIf(allowed); }, [&] { ++runs; });
    CommandState state{true, true};
    ASSERT_TRUE(table.commandState(7, state));
    EXPECT_FALSE(state.enabled);
    EXPECT_FALSE(state.checked);
    // A key arrives without the menu asking first: still nothing happens,
    // and no other target further down the chain gets the command.
    EXPECT_TRUE(table.execute(7));
    EXPECT_EQ(runs, 0);
    allowed = true;
    EXPECT_TRUE(table.execute(7));
    EXPECT_EQ(runs, 1);

    EXPECT_FALSE(table.execute(8));
    EXPECT_FALSE(table.commandState(8, state));
}

TEST(CommandTable, AnEntryMayReplaceTheTableWhileItRuns) {
    CommandTable table;
    int seen = 0;
    table.add(1, [&] {
        // A command that makes a new document's view rebuilds the commands.
        table.add(1, [&] { seen = -1; });
        seen = 1;
    });
    table.add(
        2,
        [] {
            return CommandState{true, true};
        },
        [] {});
    EXPECT_TRUE(table.execute(1));
    EXPECT_EQ(seen, 1);
    EXPECT_TRUE(table.execute(1));
    EXPECT_EQ(seen, -1);
    CommandState state;
    ASSERT_TRUE(table.commandState(2, state));
    EXPECT_TRUE(state.checked);
    EXPECT_EQ(table.ids(), (std::vector<int>{1, 2}));
}

} // namespace
} // namespace qx::doc
