#include "search/FindHistory.h"
#include "search/FindCommand.h"
#include "search/FindForm.h"
#include "search/SearchStarter.h"
#include "settings/ApplicationProfile.h"
#include "settings/Options.h"

#include "TempDir.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using test::TempDir;

FindInfo request(const char* query, int max = 100, std::uint16_t servers = 39, bool check = false,
                 int mode = 0, const char* exclude = "") {
    FindInfo r;
    r.query = query;
    r.max = max;
    r.servers = servers;
    r.check = check;
    r.queryMode = mode;
    r.exclude = exclude;
    return r;
}

void expectRequest(const FindInfo& got, const FindInfo& want) {
    EXPECT_EQ(got.query.view(), want.query.view());
    EXPECT_EQ(got.max, want.max);
    EXPECT_EQ(got.servers, want.servers);
    EXPECT_EQ(got.check, want.check);
    EXPECT_EQ(got.queryMode, want.queryMode);
    EXPECT_EQ(got.exclude.view(), want.exclude.view());
}

TEST(FindHistoryEntry, TextRoundTripsEveryField) {
    const FindInfo r = request("web organizer", 250, 0x85, true, 2, "cheap,free");
    EXPECT_EQ(FindHistory::entrytext(r), "web organizer,250,133,1,2,cheap,free,");
    // The exclusion keeps its comma: it runs to the last comma.
    expectRequest(FindHistory::decode(FindHistory::entrytext(r), FindInfo()), r);
}

TEST(FindHistoryEntry, DecodesEveryShapeWithoutReadingPastTheEnd) {
    const FindInfo plain = request("", 0, 7, true, 3, "");
    // No comma: the query alone, the rest from the section's keys and CheckRef.
    expectRequest(FindHistory::decode("just words", plain), request("just words", 0, 7, true, 3));
    // A hand-edited entry with two commas: the missing fields keep the defaults.
    expectRequest(FindHistory::decode("q,5,x", plain), request("q", 5, 0));
    expectRequest(FindHistory::decode("q,", plain), request("q", 0));
    // Four commas: the mode runs to the end; no exclusion without a sixth comma.
    expectRequest(FindHistory::decode("q,10,2,0,3", plain), request("q", 10, 2, false, 3));
    expectRequest(FindHistory::decode("q,10,2,7,1,not", plain), request("q", 10, 2, true, 1));
    // Leading digits only; a query with a comma is cut at it.
    expectRequest(FindHistory::decode("a, b,12x,4,0,1,ex,", plain),
                  request("a", 0, 12, true, 0, "1,ex"));
    expectRequest(FindHistory::decode("", plain), request("", 0, 7, true, 3));
}

class FindHistoryFile : public ::testing::Test {
protected:
    TempDir dir;
    ApplicationProfile profile{dir.file("qxseek.INI")};
    Options options;
};

TEST_F(FindHistoryFile, FortyStoredShowTwentyFiveAndTheNextOkWritesAtMostTwentySix) {
    std::string ini = "[SearchHistory]\ncount=40\n";
    for (int i = 0; i < 40; ++i)
        ini += std::to_string(i) + "=q" + std::to_string(i) + ",100,39,0,0,,\n";
    dir.write("qxseek.INI", ini);
    FindHistory history;
    history.load(profile, options);
    ASSERT_EQ(history.entries().size(), 25u);
    EXPECT_EQ(history.entries().back().query.view(), "q24");
    history.add(request("new"));
    ASSERT_TRUE(history.save(profile));
    EXPECT_EQ(profile.readInt("SearchHistory", "count", 0), 26);
    EXPECT_EQ(profile.readString("SearchHistory", "0", ""), "new,100,39,0,0,,");
    EXPECT_EQ(profile.readString("SearchHistory", "26", "none"), "none");
}

TEST_F(FindHistoryFile, TheSameQueryTwiceKeepsOneEntryAtTheFrontWithTheLatestSettings) {
    FindHistory history;
    history.add(request("a"));
    history.add(request("b"));
    history.add(request("a", 50, 1, true, 1, "x"));
    ASSERT_EQ(history.entries().size(), 2u);
    expectRequest(history.entries()[0], request("a", 50, 1, true, 1, "x"));
    EXPECT_EQ(history.entries()[1].query.view(), "b");
    // Only an exact match is replaced.
    history.add(request("A"));
    EXPECT_EQ(history.entries().size(), 3u);
}

TEST_F(FindHistoryFile, QuotedQueriesSurviveTheFileAndPlainEntriesTakeTheSearchKeys) {
    dir.write("qxseek.INI",
              "[Search]\nQueryMode=2\nServers=5\n[SearchHistory]\ncount=1\n0=alone\n");
    options.checkRef = true;
    FindHistory history;
    history.load(profile, options);
    ASSERT_EQ(history.entries().size(), 1u);
    expectRequest(history.entries()[0], request("alone", 0, 5, true, 2));
    history.add(request("\"exact phrase\"", 10, 1, false, 0, "\"no\""));
    ASSERT_TRUE(history.save(profile));
    FindHistory again;
    again.load(profile, options);
    ASSERT_EQ(again.entries().size(), 2u);
    EXPECT_EQ(again.entries()[0].query.view(), "\"exact phrase\"");
    EXPECT_EQ(again.entries()[0].exclude.view(), "\"no\"");
}

TEST(FindFormTest, OkNormalisesBlanksMaxAndMode) {
    EXPECT_EQ(FindForm::normalised("  two  blanks\t\there "), "two blanks here");
    EXPECT_EQ(FindForm::normalised("   "), "");
    for (const char* max : {"0", "", "5000", "abc", "99999999999999999999", "-3"})
        EXPECT_EQ(FindForm::maxresults(max), 1000) << max;
    EXPECT_EQ(FindForm::maxresults("1000"), 1000);
    EXPECT_EQ(FindForm::maxresults(" 25 "), 25);

    FindForm form;
    form.query = "a  b ";
    form.max = "7";
    form.servers = 0x8001;
    form.check = true;
    form.exclude = " c  d";
    form.excludeEnabled = true;
    form.mode = 3;
    expectRequest(form.request(), request("a b", 7, 0x8001, true, 3, "c d"));
    form.excludeEnabled = false; // mode 0 disables the field: nothing is kept
    form.mode = -1;
    expectRequest(form.request(), request("a b", 7, 0x8001, true, 0, ""));
}

class RecordingStarter : public SearchStarter {
public:
    void startsearch(const FindInfo& request) override { started.push_back(request); }
    std::vector<FindInfo> started;
};

TEST_F(FindHistoryFile, FindCommandReadsTheLastQueryWritesTheAcceptedOneAndStartsIt) {
    dir.write("qxseek.INI", "[Search]\nQuery=\"\"quoted\"\"\nMax=30\nExclude=x\n");
    options.checkRef = true;
    FindCommand command(profile, options);
    RecordingStarter starter;
    FindInfo shown;
    const bool accepted = command.run(
        [&](FindInfo& r) {
            shown = r;
            r.query = "\"quoted\" again";
            r.servers = 2;
            return true;
        },
        &starter);
    ASSERT_TRUE(accepted);
    expectRequest(shown, request("\"quoted\"", 30, 39, true, 0, "x"));
    ASSERT_EQ(starter.started.size(), 1u);
    EXPECT_EQ(starter.started[0].query.view(), "\"quoted\" again");
    EXPECT_EQ(profile.readString("Search", "Query", ""), "\"quoted\" again");
    EXPECT_EQ(profile.readInt("Search", "Servers", 0), 2);

    // Cancel: nothing written, nothing started; the last request stays.
    EXPECT_FALSE(command.run([](FindInfo&) { return false; }, &starter));
    EXPECT_EQ(starter.started.size(), 1u);
    EXPECT_EQ(profile.readInt("Search", "Servers", 0), 2);

    // Without a search run the request is still written.
    command.run(
        [](FindInfo& r) {
            r.query = "\"q\"";
            return true;
        },
        nullptr);
    EXPECT_EQ(profile.readString("Search", "Query", ""), "\"q\"");
}

} // namespace
} // namespace qx
