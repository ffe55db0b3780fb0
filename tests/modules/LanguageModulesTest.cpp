// The two language modules as built into the program folder: every number the
// program asks for has a text in both, formats agree with their callers,
// menus and help fit together.
#include "lang/DocMessages.h"
#include "lang/Language.h"
#include "lang/TextIds.h"
#include "platform/SystemError.h"
#include "qsearch/WebSearch.h"

#include "TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace qx {
namespace {

std::string programFolder() {
    const char* dir = std::getenv("QX_PROGRAM_DIR");
    return dir ? dir : "";
}

// The conversions of a format, one letter each ("%-5d of %s" gives "ds").
std::string signature(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%')
            continue;
        std::size_t k = i + 1;
        while (k < text.size() &&
               std::string_view("-0#.123456789lhI").find(text[k]) != std::string_view::npos)
            ++k;
        if (k < text.size() && text[k] != '%')
            out += text[k];
        i = k;
    }
    return out;
}

std::vector<unsigned> programTexts() {
    std::vector<unsigned> ids = {9200, 9202, 9203, 9204, 9205, 9206,  9207,  9208, 9209,
                                 9210, 9212, 9231, 9232, 9242, 9250,  9253,  9261, 9274,
                                 9275, 9276, 9277, 9278, 9285, 9289,  9290,  9291, 9292,
                                 9500, 9501, 9502, 9505, 9600, 32503, 10120, 40118};
    for (unsigned id = text::FirstCharsetName; id <= text::LastCharsetName; ++id)
        ids.push_back(id);
    for (unsigned id : {9233, 9234, 9235, 9237, 9238, 9239, 9240})
        ids.push_back(id);
    for (unsigned id = 40102; id <= 40116; ++id)
        ids.push_back(id);
    for (unsigned id = docmsg::SaveChanges; id <= docmsg::CannotBackUp; ++id)
        ids.push_back(id);
    for (unsigned id = docmsg::HeldElsewhere; id <= docmsg::TargetHeld; ++id)
        ids.push_back(id);
    for (unsigned id = text::ReadOnlyTitle; id <= text::LockHolderUnknown; ++id)
        ids.push_back(id);
    for (unsigned id = text::OptionsCaption; id <= text::OptionsSortByCount; ++id)
        ids.push_back(id);
    for (unsigned id = text::FindCaption; id <= text::FindMode3; ++id)
        ids.push_back(id);
    for (unsigned id = text::FindExclude; id <= text::FindStatistics; ++id)
        ids.push_back(id);
    for (unsigned id = text::PropertiesCaption; id <= text::PropertiesStatus; ++id)
        ids.push_back(id);
    for (unsigned id = text::ButtonOk; id <= text::LanguageCaption; ++id)
        ids.push_back(id);
    return ids;
}

// The HTTP failure statuses a check can end with.
std::vector<unsigned> httpStatuses() {
    std::vector<unsigned> statuses;
    for (unsigned s = 400; s <= 417; ++s)
        statuses.push_back(s);
    for (unsigned s : {421, 422, 426, 428, 429, 431, 451})
        statuses.push_back(s);
    for (unsigned s = 500; s <= 505; ++s)
        statuses.push_back(s);
    return statuses;
}

const std::map<unsigned, std::string>& expectedSignatures() {
    static const std::map<unsigned, std::string> formats = [] {
        std::map<unsigned, std::string> f = {
            {9202, "d"},  {9207, "sd"}, {9231, "d"},   {40102, "s"}, {40103, "s"},
            {40105, "s"}, {40108, "s"}, {40114, "dd"}, {40115, "s"}, {40116, "d"},
        };
        for (unsigned id = docmsg::SaveChanges; id <= docmsg::CannotBackUp; ++id)
            f[id] = "s";
        // The title, then who holds the document or why it is not protected.
        for (unsigned id : {docmsg::HeldElsewhere, docmsg::HeldOnOtherHost,
                            docmsg::NotProtected, docmsg::TargetHeld})
            f[id] = "ss";
        f[docmsg::ChangedUnderEdits] = "s";
        f[docmsg::GoneFromDisk] = "s";
        f[text::LockHolder] = "ssus";
        return f;
    }();
    return formats;
}

const std::vector<unsigned> kMainMenuCommands = {
    24331, 24332, 24333, 24334, 24335, 24339, 503,   504, 507, 508, 930, 931, 24310, 24325,
    24322, 24323, 24324, 24351, 24353, 24352, 920,   921, 602, 900, 903,   917,
    801,   802,   620,   621,   912,   603,   604,   500, 910, 505, 911,   913,
    914,   501,   800,   2001,  2002,  2009,  24321, 922, 923, 932};
const std::vector<unsigned> kTreeMenuCommands = {700, 702, 910, 911, 913,   912,
                                                 620, 621, 603, 604, 24325, 602};

void collectCommands(const std::vector<MenuItem>& items, std::vector<unsigned>& commands) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItem::Kind::Command)
            commands.push_back(item.command);
        collectCommands(item.items, commands);
    }
}

// The shape of a menu without its texts, to compare the languages.
std::string skeleton(const std::vector<MenuItem>& items) {
    std::string out;
    for (const MenuItem& item : items) {
        if (item.kind == MenuItem::Kind::Command)
            out += std::to_string(item.command) + " ";
        else if (item.kind == MenuItem::Kind::Separator)
            out += "- ";
        else
            out += "(" + skeleton(item.items) + ") ";
    }
    return out;
}

// The letter after "&", lower-cased for Latin and Cyrillic.
char32_t accessKey(const std::string& text) {
    std::size_t amp = text.find('&');
    if (amp == std::string::npos || amp + 1 >= text.size())
        return 0;
    unsigned char c = static_cast<unsigned char>(text[amp + 1]);
    char32_t cp = c;
    if (c >= 0xC0 && amp + 2 < text.size())
        cp = ((c & 0x1F) << 6) | (static_cast<unsigned char>(text[amp + 2]) & 0x3F);
    if (cp >= 'A' && cp <= 'Z')
        cp += 'a' - 'A';
    if (cp >= 0x410 && cp <= 0x42F)
        cp += 0x20;
    return cp;
}

void expectUniqueAccessKeys(const std::vector<MenuItem>& items, const std::string& where) {
    std::map<char32_t, std::string> seen;
    for (const MenuItem& item : items) {
        if (char32_t key = accessKey(item.text)) {
            auto [it, fresh] = seen.emplace(key, item.text);
            EXPECT_TRUE(fresh) << where << ": \"" << item.text << "\" and \"" << it->second
                               << "\" share an access key";
        }
        expectUniqueAccessKeys(item.items, where + " > " + item.text);
    }
}

class LanguageModules : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        std::string code = GetParam();
        ASSERT_EQ(language.load(code), 0u);
        ASSERT_EQ(code, GetParam());
    }
    Language language{programFolder()};
};

TEST_P(LanguageModules, EveryProgramTextIsThereWithTheRightConversions) {
    for (unsigned id : programTexts()) {
        std::string text = language.text(id);
        EXPECT_FALSE(text.empty()) << "string " << id;
        auto expected = expectedSignatures().find(id);
        EXPECT_EQ(signature(text), expected == expectedSignatures().end() ? "" : expected->second)
            << "string " << id << ": " << text;
    }
    for (unsigned status : httpStatuses()) {
        std::string text = language.text(text::HttpStatusBase + status);
        EXPECT_NE(text.find(std::to_string(status)), std::string::npos) << "status " << status;
        EXPECT_EQ(signature(text), "") << "status " << status;
    }
    EXPECT_EQ(language.text(text::HttpStatusBase + 200), ""); // success has no failure text
}

TEST_P(LanguageModules, FixedFormsOfSomeTexts) {
    std::string filter = language.text(text::HtmlFileFilter);
    EXPECT_EQ(filter.back(), '|');
    EXPECT_EQ(std::count(filter.begin(), filter.end(), '|') % 2, 0);
    EXPECT_NE(filter.find("*.html"), std::string::npos);
    std::string columns = language.text(text::StatisticsColumns);
    EXPECT_EQ(std::count(columns.begin(), columns.end(), '|'), 4); // five columns of the rows
    EXPECT_EQ(language.text(text::HomePage).rfind("https://", 0), 0u);
    EXPECT_EQ(language.text(text::CheckerPrefix).back(), ' '); // the URL follows directly
}

TEST_P(LanguageModules, EveryKnownErrorCodeHasATextOfItsOwn) {
    // The general text, for a code that surely has none, with its number taken out.
    std::string general = language.errorText(987654321);
    general.replace(general.find("987654321"), 9, "#");
    int count = 0;
    const platform::SysError* codes = platform::knownErrors(&count);
    ASSERT_GT(count, 50);
    for (int i = 0; i < count; ++i) {
        auto code = static_cast<std::int32_t>(codes[i]);
        std::string text = language.errorText(code);
        std::string generic = general;
        generic.replace(generic.find('#'), 1, std::to_string(code));
        EXPECT_FALSE(text.empty()) << code;
        EXPECT_NE(text, generic) << code;
        EXPECT_EQ(text.find("Error #"), std::string::npos) << code;
    }
    std::string unmapped =
        language.errorText(static_cast<std::int32_t>(platform::kUnmappedErrnoBase + 33));
    EXPECT_NE(unmapped.find("33"), std::string::npos);
    EXPECT_EQ(unmapped.find(std::to_string(platform::kUnmappedErrnoBase + 33)), std::string::npos);
    for (std::int32_t code : {0, 2, 3, 5, 8, 11, 26, 27, 28, 29, 30, 31, 32, 33})
        EXPECT_FALSE(language.launchErrorText(code).empty());
    EXPECT_NE(language.dialogErrorText(12345).find("12345"), std::string::npos);
    EXPECT_EQ(language.volumeLabelErrorText(12029), language.errorText(12029));
}

TEST_P(LanguageModules, SearchModuleCodesHaveTextsOfTheirOwn) {
    // No definition for an engine, and a definition that is wrong: qsearch.so's
    // two codes in the application range, which no errno maps onto.
    for (std::int32_t code :
         {std::int32_t{WSEARCH_NO_DEFINITION}, std::int32_t{WSEARCH_NO_DEFINITION + 1}}) {
        const std::string text = language.errorText(code);
        EXPECT_EQ(text.find(std::to_string(code)), std::string::npos) << code;
        EXPECT_EQ(text.find(std::to_string(code - platform::kUnmappedErrnoBase)), std::string::npos)
            << text;
        EXPECT_NE(
            platform::fromErrno(code - static_cast<std::int32_t>(platform::kUnmappedErrnoBase)),
            static_cast<platform::SysError>(code));
    }
}

TEST_P(LanguageModules, MenusHoldEveryCommandWithAHint) {
    Menu main = language.menu(text::MainMenu);
    std::vector<unsigned> commands;
    collectCommands(main.items, commands);
    EXPECT_EQ(std::multiset<unsigned>(commands.begin(), commands.end()),
              std::multiset<unsigned>(kMainMenuCommands.begin(), kMainMenuCommands.end()));
    for (const MenuItem& popup : main.items)
        EXPECT_EQ(popup.kind, MenuItem::Kind::Popup);

    Menu tree = language.menu(text::TreeMenu);
    ASSERT_FALSE(tree.items.empty());
    ASSERT_EQ(tree.items[0].kind, MenuItem::Kind::Popup);
    commands.clear();
    collectCommands(tree.items[0].items, commands);
    EXPECT_EQ(std::set<unsigned>(commands.begin(), commands.end()),
              std::set<unsigned>(kTreeMenuCommands.begin(), kTreeMenuCommands.end()));

    for (unsigned command : kMainMenuCommands)
        EXPECT_FALSE(language.text(command).empty()) << "hint of " << command;
    for (unsigned command : kTreeMenuCommands)
        EXPECT_FALSE(language.text(command).empty()) << "hint of " << command;
    expectUniqueAccessKeys(main.items, "menu 1");
    expectUniqueAccessKeys(tree.items, "menu 2");
}

TEST_P(LanguageModules, HelpFileHasAnAnchorForEveryContext) {
    std::string help = language.helpFile();
    ASSERT_EQ(help, programFolder() + "/qx" + GetParam() + ".html");
    std::string page = test::TempDir::read(help);
    std::set<unsigned> contexts = {5, 6, 7};
    for (const MenuItem& popup : language.menu(text::MainMenu).items) {
        std::vector<unsigned> commands;
        collectCommands(popup.items, commands);
        contexts.insert(language.menu(text::MainMenu).helpContext(commands.front()));
    }
    for (unsigned context : contexts)
        EXPECT_NE(page.find("id=\"" + Language::helpAnchor(context) + "\""), std::string::npos)
            << "context " << context;
    // Every link inside the page leads somewhere.
    for (std::size_t at = page.find("href=\"#"); at != std::string::npos;
         at = page.find("href=\"#", at + 1)) {
        std::size_t end = page.find('"', at + 7);
        std::string anchor = page.substr(at + 7, end - at - 7);
        EXPECT_NE(page.find("id=\"" + anchor + "\""), std::string::npos) << anchor;
    }
}

TEST_P(LanguageModules, BannerImage) {
    std::string gif = language.resource(text::BannerName, text::BannerType);
    ASSERT_GT(gif.size(), 13u);
    EXPECT_EQ(gif.substr(0, 6), "GIF89a");
    EXPECT_EQ(static_cast<unsigned char>(gif.back()), 0x3B); // the trailer
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, LanguageModules, ::testing::Values("enu", "rus"));

TEST(LanguageModulesTogether, MenusHaveTheSameShapeAndTheTextsAreTranslated) {
    Language enu(programFolder()), rus(programFolder());
    std::string e = "enu", r = "rus";
    ASSERT_EQ(enu.load(e), 0u);
    ASSERT_EQ(rus.load(r), 0u);
    for (unsigned id : {text::MainMenu, text::TreeMenu})
        EXPECT_EQ(skeleton(enu.menu(id).items), skeleton(rus.menu(id).items)) << "menu " << id;
    for (unsigned id : {9203u, 9205u, 9250u, 9274u, 9500u, 32503u, 40102u, docmsg::SaveChanges})
        EXPECT_NE(enu.text(id), rus.text(id)) << id;
    EXPECT_NE(enu.errorText(2), rus.errorText(2));
    EXPECT_EQ(enu.languages().size(), 2u);
}

} // namespace
} // namespace qx
