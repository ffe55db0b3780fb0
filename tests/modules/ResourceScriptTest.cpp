#include "ResourceScript.h"
#include "ModuleSource.h"
#include "lang/ModuleAbi.h"

#include <gtest/gtest.h>

namespace qx::rc {
namespace {

std::string failure(const std::string& text) {
    ResourceScript script;
    std::string error;
    EXPECT_FALSE(script.parse(text, "t.qxr", error)) << text;
    return error;
}

TEST(ResourceScript, ReadsStringsMenusResourcesAndErrorTables) {
    ResourceScript script;
    std::string error;
    ASSERT_TRUE(script.parse("# comment\n"
                             "STRING 9200 \"Norba\" // joined\n"
                             "   \" Seek\\n\\t\\\"q\\\" \\x41\"\n"
                             "MENU 2 { POPUP \"P\" { ITEM 700 \"&Open\" SEPARATOR "
                             "POPUP \"In\" { ITEM 1 \"x\" } } }\n"
                             "RESOURCE ABITMAP Norba \"a.gif\"\n"
                             "ERRORS wk_strerror { 2 \"Not found\" -1 \"Minus\" 0xFFFF \"Hex\" "
                             "DEFAULT \"Unknown %d\" }\n"
                             "ERRORS wk_strerror_GetVolumeLabel FALLBACK wk_strerror { }\n",
                             "t.qxr", error))
        << error;
    EXPECT_EQ(script.strings.at(9200), "Norba Seek\n\t\"q\" A");
    const std::vector<MenuLine>& menu = script.menus.at(2);
    ASSERT_EQ(menu.size(), 8u);
    EXPECT_EQ(menu[0].kind, langabi::kMenuPopup);
    EXPECT_EQ(menu[1].command, 700u);
    EXPECT_EQ(menu[2].kind, langabi::kMenuSeparator);
    EXPECT_EQ(menu[5].kind, langabi::kMenuPopupEnd);
    EXPECT_EQ(menu[7].kind, langabi::kMenuEnd);
    EXPECT_EQ(script.resources.at(0).name, "Norba");
    EXPECT_EQ(script.errorTables.at(0).texts.at(-1), "Minus");
    EXPECT_EQ(script.errorTables.at(0).texts.at(0xFFFF), "Hex");
    EXPECT_EQ(script.errorTables.at(1).fallback, 0);

    // Bytes that could end or bend a C++ literal are escaped in the source.
    std::string source = moduleSource(script, "t.qxr");
    EXPECT_NE(source.find("\"Norba Seek\\012\\011\\\"q\\\" A\""), std::string::npos);
    EXPECT_NE(source.find("&kErrorTable0"), std::string::npos);
}

TEST(ResourceScript, FaultsAreReportedWithTheirLine) {
    EXPECT_EQ(failure("STRING 1 \"a\"\nSTRING 1 \"b\"\n"), "t.qxr:2: string 1 defined twice");
    EXPECT_EQ(failure("\n\nSTRING 1 \"a\\q\"\n"), "t.qxr:3: unknown escape '\\q'");
    EXPECT_EQ(failure("STRING 1 \"open\n\""), "t.qxr:1: line break inside a string");
    EXPECT_EQ(failure("STRING 1 \"\xC3\""), "t.qxr:1: string is not valid UTF-8");
    EXPECT_EQ(failure("STRING -1 \"a\""), "t.qxr:1: number out of range");
    EXPECT_EQ(failure("STRING 99999999999 \"a\""), "t.qxr:1: number out of range");
    EXPECT_EQ(failure("TEXT 1 \"a\""), "t.qxr:1: expected STRING, MENU, RESOURCE or ERRORS");
    EXPECT_EQ(failure("STRING 1"), "t.qxr:1: expected a string");
    EXPECT_EQ(failure("MENU 1 { }"), "t.qxr:1: menu 1 is empty");
    EXPECT_EQ(failure("MENU 1 { POPUP \"p\" { } }"), "t.qxr:1: empty pop-up");
    EXPECT_EQ(failure("MENU 1 { ITEM 1 \"a\" "), "t.qxr:1: expected ITEM, SEPARATOR, POPUP or '}'");
    EXPECT_EQ(failure("ERRORS strerror { }"), "t.qxr:1: 'strerror' is not an error-text function");
    EXPECT_EQ(failure("ERRORS wk_strerror { 2 \"a\" }"),
              "t.qxr:1: errors of wk_strerror need a DEFAULT text or a FALLBACK");
    EXPECT_EQ(failure("ERRORS wk_strerror { DEFAULT \"%s\" }"),
              "t.qxr:1: a DEFAULT or ERRNO text needs exactly one %d");
    EXPECT_EQ(failure("ERRORS wk_strerror { DEFAULT \"%d%%\" }"),
              "t.qxr:1: a DEFAULT or ERRNO text needs exactly one %d");
    EXPECT_EQ(failure("ERRORS wk_strerror_Execute FALLBACK wk_strerror { }"),
              "t.qxr:1: fallback of wk_strerror_Execute must be a table without a fallback of its "
              "own");
    EXPECT_EQ(failure("STRING 1 \"a\" $"), "t.qxr:1: unexpected character '$'");
}

TEST(ResourceScript, ResourceFilesMustExist) {
    ResourceScript script;
    std::string error;
    ASSERT_TRUE(script.parse("RESOURCE ABITMAP Norba \"missing.gif\"", "t.qxr", error));
    std::vector<std::string> read;
    EXPECT_FALSE(script.loadFiles("/nonexistent", read, error));
    EXPECT_EQ(error, "cannot read resource file /nonexistent/missing.gif");
}

} // namespace
} // namespace qx::rc
