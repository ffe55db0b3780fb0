#include "settings/IniFile.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

std::string value(const IniFile& ini, std::string_view section, std::string_view key) {
    auto found = ini.find(section, key);
    return found ? std::string(*found) : "<missing>";
}

// A file as a person might write it by hand, read as the Windows profile
// functions read it.
TEST(IniFile, ReadsAHandWrittenFileAsTheProfileFunctionsDo) {
    const char* text = "; settings of qxseek\r\n"
                       "stray=before any section\r\n"
                       "  [ Options ]  \r\n"
                       "ShowHidden = 1\r\n"
                       "  maxthreads\t=\t 7  \r\n"
                       "Language=rus\r\n"
                       "language=enu\r\n"
                       "NoEquals\r\n"
                       "=nameless\r\n"
                       "Empty=\r\n"
                       "# Comment=3\r\n"
                       "[Search]\r\n"
                       "Query=\"a b\"\r\n"
                       "[options]\r\n"
                       "Extra=shadowed\r\n";
    IniFile ini = IniFile::parse(text);
    EXPECT_EQ(value(ini, "Options", "ShowHidden"), "1");
    EXPECT_EQ(value(ini, "OPTIONS", "MaxThreads"), "7");
    EXPECT_EQ(value(ini, " options ", " showhidden "), "1");
    EXPECT_EQ(value(ini, "Options", "Language"), "rus"); // the first duplicate wins
    EXPECT_EQ(value(ini, "Options", "NoEquals"), "<missing>");
    EXPECT_EQ(value(ini, "Options", "Empty"), "");
    EXPECT_EQ(value(ini, "Options", "Comment"), "<missing>");
    EXPECT_EQ(value(ini, "Options", "stray"), "<missing>");
    EXPECT_EQ(value(ini, "Options", "Extra"), "<missing>"); // the first duplicate section wins
    EXPECT_EQ(value(ini, "Search", "Query"), "\"a b\"");    // quotes are the profile's business
    EXPECT_EQ(ini.serialize(), text);
}

TEST(IniFile, KeepsBomLineEndsAndAddsOnlyTheMissingFinalBreak) {
    IniFile bom = IniFile::parse("\xEF\xBB\xBF[A]\nk=v");
    EXPECT_EQ(value(bom, "A", "k"), "v");
    EXPECT_EQ(bom.serialize(), "\xEF\xBB\xBF[A]\nk=v\n");

    IniFile oldMac = IniFile::parse("[A]\rk=v\r");
    EXPECT_EQ(value(oldMac, "A", "k"), "v");
    EXPECT_EQ(oldMac.serialize(), "[A]\rk=v\r");

    EXPECT_EQ(IniFile::parse("").serialize(), "");
}

TEST(IniFile, RewriteChangesOnlyWhatIsWritten) {
    IniFile ini = IniFile::parse("; top\r\n"
                                 "[Options]\r\n"
                                 "  ShowHidden = 0 \r\n"
                                 "NoEquals\r\n"
                                 "; keep me\r\n"
                                 "\r\n"
                                 "[Other]\r\n"
                                 "x=1\r\n");
    ini.set("options", "showhidden", "1");
    ini.set("Options", "NoEquals", "now");
    ini.set("Options", "New", "v");
    ini.set("Fresh", "k", "a\nb");
    EXPECT_EQ(ini.serialize(), "; top\r\n"
                               "[Options]\r\n"
                               "ShowHidden=1\r\n"
                               "NoEquals=now\r\n"
                               "; keep me\r\n"
                               "New=v\r\n"
                               "\r\n"
                               "[Other]\r\n"
                               "x=1\r\n"
                               "\r\n"
                               "[Fresh]\r\n"
                               "k=a b\r\n");
    // The added key is found again, and a second write replaces it.
    ini.set("Options", "new", "w");
    EXPECT_EQ(value(ini, "Options", "New"), "w");
}

TEST(IniFile, RemoveSectionTakesEveryCopyAndLeavesTheRest) {
    IniFile ini = IniFile::parse("[H]\n0=a\n[Keep]\nk=v\n[h]\n1=b\n");
    EXPECT_TRUE(ini.removeSection("H"));
    EXPECT_FALSE(ini.removeSection("H"));
    EXPECT_EQ(ini.serialize(), "[Keep]\nk=v\n");
    EXPECT_EQ(value(ini, "Keep", "k"), "v");
    ini.set("H", "count", "1");
    EXPECT_EQ(value(ini, "h", "COUNT"), "1");
}

TEST(IniFile, SurvivesBinaryGarbage) {
    std::string bytes;
    for (int i = 0; i < 4096; ++i)
        bytes.push_back(static_cast<char>((i * 131) ^ (i >> 3)));
    bytes += std::string("\0[x]\0=\0\n[", 9);
    IniFile ini = IniFile::parse(bytes);
    EXPECT_EQ(IniFile::parse(ini.serialize()).serialize(), ini.serialize());
    ini.set("x", "k", "v");
    EXPECT_EQ(value(IniFile::parse(ini.serialize()), "x", "k"), "v");
}

} // namespace
} // namespace qx
