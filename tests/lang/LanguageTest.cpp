#include "lang/Language.h"
#include "lang/LanguageChoice.h"
#include "lang/MessageBoxer.h"
#include "lang/ProgramFolder.h"
#include "settings/ApplicationProfile.h"

#include "RecordingMessageBoxer.h"
#include "TempDir.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace qx {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

std::string builtProgramFolder() {
    const char* dir = std::getenv("QX_PROGRAM_DIR");
    return dir ? dir : "";
}

// A program folder in a temporary place, holding the modules a test asks for.
class LanguageTest : public ::testing::Test {
protected:
    TempDir dir;

    void install(const std::string& file, const std::string& into = "") {
        std::string from = file == "qxaaa.so" ? std::string(QX_LANG_FIXTURES) + "/" + file
                                              : builtProgramFolder() + "/" + file;
        fs::path to = fs::path(dir.path()) / into / file;
        fs::create_directories(to.parent_path());
        fs::copy_file(from, to);
    }
};

TEST_F(LanguageTest, AMissingCodeFallsBackToEnglish) {
    install("qxenu.so");
    install("qxrus.so");
    install("qxaaa.so");
    Language language(dir.path());
    std::string code = "deu";
    ASSERT_EQ(language.load(code), 0u);
    EXPECT_EQ(code, "enu");
    EXPECT_EQ(language.text(9500), "English");
}

// Only a Russian module: the nameless module sorts first but is never picked.
TEST_F(LanguageTest, WithoutEnglishTheFirstNamedModuleIsPicked) {
    install("qxaaa.so");
    install("qxrus.so");
    Language language(dir.path());
    std::string code = "deu";
    ASSERT_EQ(language.load(code), 0u);
    EXPECT_EQ(code, "rus");
    EXPECT_EQ(language.text(9500), "Русский");
}

TEST_F(LanguageTest, AModuleWithoutALanguageNameIsNeverListedOrPicked) {
    install("qxaaa.so");
    dir.write("qxbad.so", "not a module at all");
    Language language(dir.path());
    EXPECT_TRUE(language.languages().empty());
    std::string code = "deu";
    std::string path = "stale";
    EXPECT_EQ(language.load(code, &path), platform::err::FileNotFound);
    EXPECT_EQ(path, dir.file("qxdeu.so")); // the report names what was looked for
    EXPECT_FALSE(language.loaded());
    EXPECT_EQ(language.text(9200), "");
    // Asked for by its own code, the nameless module is a module like any other.
    code = "aaa";
    ASSERT_EQ(language.load(code), 0u);
    EXPECT_EQ(language.text(9201), "Only here");
}

TEST_F(LanguageTest, AFileThatIsNotAModuleFailsToLoadWithItsPath) {
    install("qxenu.so");
    std::string bad = dir.write("qxbad.so", "not a module at all");
    Language language(dir.path());
    std::string code = "bad";
    std::string path;
    EXPECT_EQ(language.load(code, &path), platform::err::BadExeFormat);
    EXPECT_EQ(path, bad);
    EXPECT_FALSE(language.loaded());
}

TEST_F(LanguageTest, ListsTheLanguagesWithTheirOwnNames) {
    install("qxrus.so");
    install("qxaaa.so");
    install("qxenu.so");
    Language language(dir.path());
    std::vector<Language::Entry> list = language.languages();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].code, "enu");
    EXPECT_EQ(list[0].name, "English");
    EXPECT_EQ(list[1].code, "rus");
    EXPECT_EQ(list[1].name, "Русский");
}

TEST_F(LanguageTest, HelpFileFallsBackWithoutChangingTheLanguage) {
    install("qxrus.so");
    install("qxenu.html");
    Language language(dir.path());
    std::string code = "rus";
    ASSERT_EQ(language.load(code), 0u);
    EXPECT_EQ(code, "rus");
    EXPECT_EQ(language.helpFile(), dir.file("qxenu.html"));
    install("qxrus.html");
    ASSERT_EQ(language.load(code), 0u);
    EXPECT_EQ(language.helpFile(), dir.file("qxrus.html"));
    language.release();
    EXPECT_EQ(language.helpFile(), "");
    EXPECT_EQ(Language::helpAnchor(6), "ctx6");
    EXPECT_EQ(Language::helpAnchor(0), "");
}

TEST_F(LanguageTest, ProgramInAnObjExeFolderFindsModulesInItsParent) {
    install("qxrus.so");
    fs::create_directories(dir.file("ObjExe"));
    std::string folder = ProgramFolder::of(dir.file("ObjExe/qxseek"));
    EXPECT_EQ(folder, dir.path());
    EXPECT_EQ(ProgramFolder::of("/opt/bin/qxseek"), "/opt/bin");
    EXPECT_EQ(ProgramFolder::of("/opt/objexe.d/qxseek"), "/opt/objexe.d");
    Language language(folder);
    std::string code = "rus";
    EXPECT_EQ(language.load(code), 0u);
    EXPECT_FALSE(ProgramFolder::current().empty());
}

// A stored code is a file name's middle, never a path.
TEST_F(LanguageTest, ACodeCannotReachOutsideTheProgramFolder) {
    install("qxenu.so");
    fs::create_directories(dir.file("qxa"));
    fs::copy_file(builtProgramFolder() + "/qxrus.so", dir.file("qxa/r.so"));
    Language language(dir.path());
    std::string code = "a/r"; // would name qxa/r.so
    ASSERT_EQ(language.load(code), 0u);
    EXPECT_EQ(code, "enu");
}

TEST_F(LanguageTest, TextsFormatsMenusAndResourcesByNumber) {
    install("qxenu.so");
    Language language(dir.path());
    EXPECT_EQ(language.text(9200), ""); // nothing loaded yet
    std::string code = "enu";
    ASSERT_EQ(language.load(code), 0u);
    EXPECT_EQ(language.text(9200), "Norba Seek");
    EXPECT_EQ(language.text(9200, 5), "Norb");
    EXPECT_EQ(language.text(9200, 0), "Norba Seek");
    EXPECT_EQ(language.text(1), "");
    EXPECT_EQ(language.format(9231, 3), "3 references selected");
    EXPECT_EQ(language.format(9207, "cats", 12), "Search for \"cats\": 12 references in all.");
    EXPECT_EQ(language.format(9207), "Search for \"\": 0 references in all.");
    EXPECT_TRUE(language.menu(1).contains(500));
    EXPECT_TRUE(language.menu(77).items.empty());
    EXPECT_EQ(language.resource("norba", "abitmap").substr(0, 6), "GIF89a");
    EXPECT_EQ(language.resource("Norba", "BITMAP"), "");
}

TEST_F(LanguageTest, ErrorTextsFromTheModuleOrTheFallbackBuffer) {
    install("qxenu.so");
    install("qxaaa.so");
    Language language(dir.path());
    EXPECT_EQ(language.errorText(12029), "Error #12029"); // nothing loaded
    std::string code = "enu";
    ASSERT_EQ(language.load(code), 0u);
    EXPECT_EQ(language.errorText(12029), "The connection to the server could not be made.");
    EXPECT_EQ(language.volumeLabelErrorText(21),
              "The drive is not ready. Insert a disk and try again.");
    EXPECT_EQ(language.volumeLabelErrorText(2), "The file was not found."); // falls back
    EXPECT_EQ(language.launchErrorText(31),
              "No program is set up to open this kind of file or address.");
    EXPECT_EQ(language.dialogErrorText(0xFFFF), "The dialog box could not be shown.");
    EXPECT_EQ(language.errorText(-5), "Unknown error (-5).");
    EXPECT_EQ(language.errorText(static_cast<std::int32_t>(platform::fromErrno(EDOM))),
              "Unexpected system error (errno " + std::to_string(EDOM) + ").");

    code = "aaa";
    ASSERT_EQ(language.load(code), 0u);
    EXPECT_EQ(language.errorText(12029), "Error #12029");
    EXPECT_EQ(language.errorText(-1), "Error #-1");
    // Each of the others names its own code, never one left by an earlier call.
    EXPECT_EQ(language.volumeLabelErrorText(21), "Error #21");
    EXPECT_EQ(language.launchErrorText(2), "Error #2");
    EXPECT_EQ(language.dialogErrorText(3), "Error #3");
}

TEST_F(LanguageTest, DocumentMessagesAskWithTheTitleAsCaption) {
    install("qxenu.so");
    Language language(dir.path());
    std::string code = "enu";
    ASSERT_EQ(language.load(code), 0u);
    test::RecordingMessageBoxer boxes;
    boxes.answerNext(mb::IdCancel);
    EXPECT_EQ(language.documentMessage(boxes, "notes.qxo", 32510, mb::YesNoCancel), mb::IdCancel);
    EXPECT_EQ(language.documentMessage(boxes, "notes.qxo", 32511, 0), mb::IdOk);
    EXPECT_EQ(language.documentMessage(boxes, "Untitled", 99999, 0), mb::IdOk);
    ASSERT_EQ(boxes.boxes().size(), 3u);
    EXPECT_EQ(boxes.boxes()[0].text, "The document notes.qxo has been changed.\nSave the changes?");
    EXPECT_EQ(boxes.boxes()[0].caption, "notes.qxo");
    EXPECT_EQ(boxes.boxes()[0].style, mb::TaskModal | mb::YesNoCancel | mb::IconQuestion);
    EXPECT_EQ(boxes.boxes()[1].style, mb::TaskModal | mb::Ok);
    EXPECT_EQ(boxes.boxes()[2].text, "Error: Message [string ID 99999] not found");
}

TEST_F(LanguageTest, StartUpConvertsOldCodesAndWritesTheCodeLoaded) {
    install("qxenu.so");
    install("qxrus.so");
    Language language(dir.path());
    ApplicationProfile profile(dir.file("qxseek.INI"));

    LanguageChoice choice = LanguageChoice::atStartUp("enu", profile, language);
    EXPECT_EQ(choice.error, 0u);
    EXPECT_FALSE(fs::exists(profile.path())); // nothing changed, nothing written

    choice = LanguageChoice::atStartUp("1", profile, language);
    EXPECT_EQ(choice.code, "rus");
    EXPECT_EQ(language.text(9500), "Русский");
    EXPECT_EQ(profile.readString("Options", "Language", ""), "rus");

    choice = LanguageChoice::atStartUp("xyz", profile, language);
    EXPECT_EQ(choice.code, "enu");
    EXPECT_EQ(profile.readString("Options", "Language", ""), "enu");

    // A code in capitals is the same code, and the setting stays as written.
    profile.writeString("Options", "Language", "RUS");
    choice = LanguageChoice::atStartUp("RUS", profile, language);
    EXPECT_EQ(choice.code, "rus");
    EXPECT_EQ(language.text(9500), "Русский");
    EXPECT_EQ(profile.readString("Options", "Language", ""), "RUS");

    fs::remove(dir.file("qxenu.so"));
    fs::remove(dir.file("qxrus.so"));
    profile.writeString("Options", "Language", "xyz");
    choice = LanguageChoice::atStartUp("xyz", profile, language);
    EXPECT_EQ(choice.error, platform::err::FileNotFound);
    EXPECT_EQ(choice.modulePath, dir.file("qxxyz.so")); // the report names what was looked for
    EXPECT_EQ(profile.readString("Options", "Language", ""), "xyz");
}

// Workers format status lines while the user-interface thread releases and
// loads the language: a lookup never runs in an unloaded module.
TEST_F(LanguageTest, LookupsSurviveReleaseOnAnotherThread) {
    install("qxenu.so");
    install("qxrus.so");
    Language language(dir.path());
    std::atomic<bool> stop = false;
    std::atomic<int> lookups = 0;
    std::vector<std::thread> workers;
    for (int t = 0; t < 2; ++t)
        workers.emplace_back([&] {
            while (!stop) {
                std::string status = language.format(40102, "example.org");
                EXPECT_TRUE(status.empty() || status.find("example.org") != std::string::npos);
                EXPECT_FALSE(language.errorText(2).empty());
                ++lookups;
            }
        });
    for (int i = 0; i < 40; ++i) {
        std::string code = i % 2 ? "rus" : "enu";
        language.load(code);
        language.release();
    }
    while (lookups < 1000)
        std::this_thread::yield();
    stop = true;
    for (std::thread& t : workers)
        t.join();
}

} // namespace
} // namespace qx
