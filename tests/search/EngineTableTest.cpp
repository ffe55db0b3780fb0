#include "search/EngineTable.h"
#include "settings/SearchSettings.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

std::string texts(int id) {
    return id == 9237 ? "AltaVista (web)" : "text " + std::to_string(id);
}

TEST(EngineTable, TheDesignsSevenEnginesByBitNumberAndName) {
    const struct {
        std::uint16_t bit;
        int number;
        const char* name;
        int text;
    } engines[] = {{1, 1, "Aport", 9233},      {2, 2, "Rambler", 9234}, {4, 3, "Yandex", 9235},
                   {16, 5, "AltaVista", 9237}, {32, 6, "Yahoo", 9238},  {64, 7, "Lycos", 9240},
                   {128, 8, "HotBot", 9239}};
    const EngineTable table(texts);
    for (const auto& e : engines) {
        EXPECT_EQ(table.number(e.bit), e.number) << e.name;
        EXPECT_EQ(table.bit(e.number), e.bit) << e.name;
        EXPECT_EQ(table.name(e.bit), e.name);
        EXPECT_EQ(table.displaytext(e.bit), e.text) << e.name;
    }
    EXPECT_EQ(table.displayname(16), "AltaVista (web)");
    EXPECT_EQ(table.namedmask(), 0xF7);
    EXPECT_TRUE(EngineTable().displayname(16).empty()); // no language module
}

TEST(EngineTable, TheDesignsDefaultMaskNamesFourEngines) {
    const EngineTable table;
    std::string names;
    for (int i = 0; i < EngineTable::kPositions; ++i) {
        if (kDesignEngineMask & (1 << i))
            names += table.name(static_cast<std::uint16_t>(1 << i)) + " ";
    }
    EXPECT_EQ(names, "Aport Rambler Yandex Yahoo ");
}

TEST(EngineTable, BitsThatNameNoEngine) {
    const EngineTable table;
    EXPECT_EQ(table.number(8), 0);
    EXPECT_TRUE(table.name(8).empty());
    EXPECT_EQ(table.displaytext(8), 0);
    EXPECT_EQ(table.bit(4), 0);
    EXPECT_EQ(table.bit(0), 0);
    EXPECT_EQ(table.bit(9), 0);
    EXPECT_EQ(table.bit(17), 0);
    EXPECT_EQ(table.number(0), 0);
    EXPECT_EQ(table.number(1 | 2), 0);
    EXPECT_TRUE(table.displayname(256).empty());
}

TEST(EngineTable, DefinitionsNameTheFreePositionsButNotTheDesignsEngines) {
    EngineTable table(texts);
    EXPECT_FALSE(table.knowsdefinitions());
    EXPECT_EQ(table.defaultmask(), kDesignEngineMask);
    table.setdefinitions({{4, "Wikipedia"},
                          {6, "Yahoo! Search"},
                          {9, ""},
                          {16, "Open Library"},
                          {0, "zero"},
                          {17, "beyond"},
                          {-3, "below"}});
    EXPECT_TRUE(table.knowsdefinitions());
    EXPECT_EQ(table.number(8), 4);
    EXPECT_EQ(table.bit(4), 8);
    EXPECT_EQ(table.name(8), "Wikipedia");
    EXPECT_EQ(table.displayname(8), "Wikipedia");
    EXPECT_EQ(table.displaytext(8), 0);
    EXPECT_EQ(table.name(32), "Yahoo"); // the design's name stays
    EXPECT_EQ(table.displayname(32), "text 9238");
    EXPECT_EQ(table.name(256), "#9"); // a definition without a name
    EXPECT_EQ(table.number(32768), 16);
    EXPECT_EQ(table.name(32768), "Open Library");
    EXPECT_EQ(table.definedmask(), 8 | 32 | 256 | 32768);
    EXPECT_EQ(table.namedmask(), 0xF7 | 8 | 256 | 32768);
    // A user who chose nothing asks the engines that have a definition.
    EXPECT_EQ(table.defaultmask(), 8 | 32 | 256 | 32768);
    // A module that defines nothing leaves the design's choice.
    EngineTable empty;
    empty.setdefinitions({});
    EXPECT_TRUE(empty.knowsdefinitions());
    EXPECT_EQ(empty.defaultmask(), kDesignEngineMask);
}

} // namespace
} // namespace qx
