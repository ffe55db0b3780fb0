#include "search/EngineTable.h"
#include "model/LabelTexts.h"
#include "settings/SearchSettings.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

class Texts : public LabelTexts {
public:
    Texts() { install(this); }
    ~Texts() override { install(nullptr); }
    Str text(int id) const override { return id == 9237 ? Str("AltaVista (web)") : Str(); }
    bool showhidden() const override { return false; }
    bool shownew() const override { return false; }
};

TEST(EngineTable, BitsNumbersAndNames) {
    const struct {
        std::uint16_t bit;
        int number;
        const char* name;
        int text;
    } engines[] = {{1, 1, "Aport", 9233},      {2, 2, "Rambler", 9234}, {4, 3, "Yandex", 9235},
                   {16, 5, "AltaVista", 9237}, {32, 6, "Yahoo", 9238},  {64, 7, "Lycos", 9240},
                   {128, 8, "HotBot", 9239}};
    for (const auto& e : engines) {
        EXPECT_EQ(EngineTable::number(e.bit), e.number) << e.name;
        EXPECT_EQ(EngineTable::bit(e.number), e.bit) << e.name;
        EXPECT_EQ(EngineTable::name(e.bit), e.name);
        EXPECT_EQ(EngineTable::displaytext(e.bit), e.text) << e.name;
    }
}

TEST(EngineTable, TheDefaultMaskNamesFourEngines) {
    std::string names;
    for (int i = 0; i < 16; ++i) {
        if (kDesignEngineMask & (1 << i)) {
            names += std::string(EngineTable::name(static_cast<std::uint16_t>(1 << i))) + " ";
        }
    }
    EXPECT_EQ(names, "Aport Rambler Yandex Yahoo ");
}

TEST(EngineTable, OutsideTheTable) {
    EXPECT_EQ(EngineTable::number(8), 0);
    EXPECT_TRUE(EngineTable::name(8).empty());
    EXPECT_EQ(EngineTable::displaytext(8), 0);
    EXPECT_EQ(EngineTable::bit(4), 0);
    EXPECT_EQ(EngineTable::bit(0), 0);
    EXPECT_EQ(EngineTable::bit(9), 0);
    EXPECT_EQ(EngineTable::number(0), 0);
    EXPECT_EQ(EngineTable::number(1 | 2), 0);
    EXPECT_TRUE(EngineTable::displayname(256).empty());
}

TEST(EngineTable, DisplayNamesComeFromTheTexts) {
    EXPECT_TRUE(EngineTable::displayname(16).empty()); // nothing installed
    Texts texts;
    EXPECT_EQ(EngineTable::displayname(16), Str("AltaVista (web)"));
    EXPECT_TRUE(EngineTable::displayname(1).empty());
}

} // namespace
} // namespace qx
