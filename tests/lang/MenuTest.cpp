#include "lang/Menu.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using namespace langabi;
using Kind = MenuItem::Kind;

TEST(Menu, BuildsNestedPopupsFromATable) {
    const QxMenuEntry table[] = {
        {kMenuPopup, 0, "&File"},    {kMenuCommand, 24331, "&New"}, {kMenuSeparator, 0, nullptr},
        {kMenuPopup, 0, "&More"},    {kMenuCommand, 801, "A"},      {kMenuPopupEnd, 0, nullptr},
        {kMenuPopupEnd, 0, nullptr}, {kMenuPopup, 0, "&View"},      {kMenuPopup, 0, "Order"},
        {kMenuCommand, 802, "B"},    {kMenuPopupEnd, 0, nullptr},   {kMenuCommand, 900, "C"},
        {kMenuPopupEnd, 0, nullptr}, {kMenuEnd, 0, nullptr},
    };
    Menu menu = Menu::fromTable(table);
    ASSERT_EQ(menu.items.size(), 2u);
    const MenuItem& file = menu.items[0];
    EXPECT_EQ(file.kind, Kind::Popup);
    EXPECT_EQ(file.text, "&File");
    ASSERT_EQ(file.items.size(), 3u);
    EXPECT_EQ(file.items[1].kind, Kind::Separator);
    EXPECT_EQ(file.items[2].items[0].command, 801u);
    EXPECT_TRUE(menu.contains(802));
    EXPECT_FALSE(menu.contains(503));

    // Help mode: a command's context is the first command of its top-level
    // pop-up minus 1, even when that command sits in a nested pop-up.
    EXPECT_EQ(menu.helpContext(801), 24330u);
    EXPECT_EQ(menu.helpContext(900), 801u);
    EXPECT_EQ(menu.helpContext(503), 503u);
}

TEST(Menu, AMalformedTableGivesTheItemsUpToTheFault) {
    const QxMenuEntry extraEnd[] = {{kMenuCommand, 1, "a"},
                                    {kMenuPopupEnd, 0, nullptr},
                                    {kMenuCommand, 2, "b"},
                                    {kMenuEnd, 0, nullptr}};
    EXPECT_EQ(Menu::fromTable(extraEnd).items.size(), 1u);

    const QxMenuEntry unclosed[] = {
        {kMenuPopup, 0, "p"}, {kMenuCommand, 1, "a"}, {kMenuEnd, 0, nullptr}};
    Menu menu = Menu::fromTable(unclosed);
    ASSERT_EQ(menu.items.size(), 1u);
    EXPECT_EQ(menu.items[0].items.size(), 1u);

    const QxMenuEntry badKind[] = {
        {kMenuCommand, 1, "a"}, {77, 0, "?"}, {kMenuCommand, 2, "b"}, {kMenuEnd, 0, nullptr}};
    EXPECT_EQ(Menu::fromTable(badKind).items.size(), 1u);

    std::vector<QxMenuEntry> deep(40, QxMenuEntry{kMenuPopup, 0, "p"});
    deep.push_back({kMenuEnd, 0, nullptr});
    EXPECT_EQ(Menu::fromTable(deep.data()).items.size(), 1u);

    EXPECT_TRUE(Menu::fromTable(nullptr).items.empty());
}

} // namespace
} // namespace qx
