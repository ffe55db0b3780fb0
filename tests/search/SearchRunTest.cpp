#include "DocRecorder.h"
#include "RecordingMessageBoxer.h"
#include "SearchRecorders.h"

#include "lang/Language.h"
#include "lang/MessageBoxer.h"
#include "model/DDoc.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"
#include "model/UrlRef.h"
#include "search/SearchRequestDialog.h"
#include "search/SearchRun.h"
#include "search/SearchRunState.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace qx {
namespace {

using test::resultitem;

// The shape of a subtree: each child by its address (its title when it has
// none), its children in brackets.
std::string shape(const Ref& node) {
    std::string out;
    for (const Node* n = node.first(); n; n = n->next()) {
        const auto& child = *static_cast<const Ref*>(n);
        if (!out.empty())
            out += ' ';
        const Object* page = child.target();
        out += !page                       ? "-"
               : page->props().url.empty() ? std::string(page->props().title.view())
                                           : std::string(page->props().url.view());
        if (child.first())
            out += '(' + shape(child) + ')';
    }
    return out;
}

class SearchRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        language_ = test::englishlanguage();
        ASSERT_TRUE(language_);
        doc_.setviews(&views_);
        doc_.setworkers(&views_);
        views_.bind(doc_.orgroot());
        views_.bind(doc_.domainroot());
        run_ = std::make_unique<SearchRun>(doc_, screen_, jobs_, *language_, boxes_);
    }

    SearchRef& start(const char* query, std::uint16_t servers = 1, bool check = false) {
        FindInfo request;
        request.query = Str(query);
        request.servers = servers;
        request.check = check;
        SearchRef* search = run_->start(request);
        EXPECT_NE(search, nullptr);
        return *search;
    }

    SearchRunState runon(SearchRef& search) {
        SearchRunState run;
        run.search = &search;
        return run;
    }

    void file(SearchRunState& run, const WSearchInfo& item) {
        FindInfo request =
            run.search ? static_cast<const FindInfo&>(run.search->searchprop()) : FindInfo();
        run_->file(item, run, request);
    }

    std::string text(unsigned id) const { return language_->text(id); }

    DDoc doc_;
    test::DocRecorder views_;
    test::ScreenRecorder screen_;
    test::BoardRecorder jobs_;
    test::RecordingMessageBoxer boxes_;
    std::unique_ptr<Language> language_;
    std::unique_ptr<SearchRun> run_;
};

TEST_F(SearchRunTest, StartMakesASavedSearchWithOneJobPerEngine) {
    SearchRef& search = start("cats", 1 | 4 | 0x100);
    EXPECT_EQ(search.parent(), &doc_.orgroot());
    EXPECT_TRUE(search.hasflags(Ref::Running | Ref::SavedSearch));
    EXPECT_EQ(search.searchprop().query.view(), "cats");
    ASSERT_EQ(jobs_.waits.size(), 3u);
    EXPECT_EQ(jobs_.waits[0].server, 1);
    EXPECT_EQ(jobs_.waits[1].server, 4);
    EXPECT_EQ(jobs_.waits[2].server, 0x100);
    EXPECT_EQ(jobs_.waits[2].request.query.view(), "cats");
    EXPECT_EQ(screen_.statuses.back(), text(9209));
    ASSERT_EQ(screen_.expanded.size(), 1u);
    EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_F(SearchRunTest, ReuseIsAskedAndCancelLeavesEverythingAsItWas) {
    SearchRef& first = start("cats");
    SearchRunState run = runon(first);
    run_->finish(run, 1, "cats", 0, nullptr);
    jobs_.waits.clear();

    boxes_.answerNext(mb::IdCancel);
    FindInfo request;
    request.query = Str("cats");
    EXPECT_EQ(run_->start(request), nullptr);
    ASSERT_EQ(boxes_.boxes().size(), 1u);
    EXPECT_EQ(boxes_.boxes()[0].text, text(9274));
    EXPECT_EQ(boxes_.boxes()[0].caption, text(9200));
    EXPECT_EQ(boxes_.boxes()[0].style, mb::OkCancel | mb::TaskModal);
    EXPECT_TRUE(jobs_.waits.empty());

    EXPECT_EQ(&start("cats"), &first);
    EXPECT_EQ(doc_.orgroot().count(), 1u);
}

TEST_F(SearchRunTest, SameAddressFromTwoEnginesIsOneResultCountedOnce) {
    SearchRef& search = start("q", 1 | 4);
    SearchRunState aport = runon(search), yandex = runon(search);
    file(aport, resultitem(1, "Page", "http://a.example/p", 1, 10, 5));
    file(yandex, resultitem(1, "Page", "http://a.example/p", 4, 30, 2));
    ASSERT_EQ(search.count(), 1u);
    auto& result = *static_cast<OrgRef2*>(search.firstchild());
    EXPECT_EQ(result.orgprop().fitness, 30);
    EXPECT_EQ(result.orgprop().sequence, 2);
    EXPECT_EQ(result.target()->props().servers, 5);
    EXPECT_EQ(search.searchprop().total, 1u);
    EXPECT_EQ(search.searchprop().added, 1u);
    EXPECT_EQ(aport.found, 1);
    EXPECT_EQ(aport.added, 1);
    EXPECT_EQ(yandex.found, 1);
    EXPECT_EQ(yandex.added, 0);
    EXPECT_EQ(test::checkdocument(doc_), "");
}

TEST_F(SearchRunTest, SameTitleResultsFormAGroup) {
    SearchRef& search = start("q");
    SearchRunState run = runon(search);
    file(run, resultitem(1, "Same", "http://a.example/1", 1, 0, 1));
    file(run, resultitem(1, "Other", "http://b.example/1", 1, 0, 2));
    file(run, resultitem(1, "Same", "http://c.example/1", 1, 0, 3));
    EXPECT_EQ(shape(search), "Same(http://a.example/1 http://c.example/1) http://b.example/1");
    auto& group = *static_cast<OrgRef2*>(search.firstchild());
    EXPECT_EQ(group.extraflags() & OrgRef2::Group, OrgRef2::Group);
    EXPECT_EQ(group.orgprop().sequence, 1);
    EXPECT_TRUE(group.hasflags(Ref::New));
    EXPECT_EQ(search.searchprop().total, 3u);
    // A fourth of the same title joins the group.
    file(run, resultitem(1, "Same", "http://d.example/1", 1, 0, 4));
    EXPECT_EQ(shape(search),
              "Same(http://a.example/1 http://c.example/1 http://d.example/1) http://b.example/1");
    EXPECT_EQ(test::checkdocument(doc_), "");
}

TEST_F(SearchRunTest, HeadingWithOneChildDissolvesAndTheLastHeadingStays) {
    SearchRef& search = start("q");
    SearchRunState run = runon(search);
    file(run, resultitem(1, "Heading one", "", 1, 0, 1));
    file(run, resultitem(2, "x", "http://a.example/1", 1, 0, 1));
    file(run, resultitem(1, "Plain", "http://b.example/1", 1, 0, 2));
    EXPECT_EQ(shape(search), "http://a.example/1 http://b.example/1");
    // The result keeps its own title.
    EXPECT_EQ(search.firstchild()
                  ? static_cast<Ref*>(search.firstchild())->target()->props().title.view()
                  : "",
              "x");
    file(run, resultitem(1, "Heading two", "", 1, 0, 3));
    file(run, resultitem(2, "y", "http://c.example/1", 1, 0, 3));
    file(run, resultitem(2, "z", "http://c.example/2", 1, 0, 3));
    file(run, resultitem(1, "Heading three", "", 1, 0, 4));
    file(run, resultitem(2, "w", "http://d.example/1", 1, 0, 4));
    EXPECT_EQ(shape(search), "http://a.example/1 http://b.example/1 Heading two(http://c.example/1 "
                             "http://c.example/2) Heading three(http://d.example/1)");
    EXPECT_EQ(test::checkdocument(doc_, true), "");
}

// Results grouped by host: each keeps its title (the heading's only when it
// has none), and a host met again on a later page goes under its first heading.
TEST_F(SearchRunTest, HostGroupsKeepTheirResultsTitlesAndOneHeadingPerHost) {
    SearchRef& search = start("q");
    SearchRunState run = runon(search);
    file(run, resultitem(1, "a.example", "", 1, 0, 1));
    file(run, resultitem(2, "First", "http://a.example/1", 1, 0, 1));
    file(run, resultitem(2, "", "http://a.example/2", 1, 0, 1));
    file(run, resultitem(1, "b.example", "", 1, 0, 2));
    file(run, resultitem(2, "Bee", "http://b.example/1", 1, 0, 2));
    file(run, resultitem(2, "Bee two", "http://b.example/2", 1, 0, 2));
    // The next page.
    file(run, resultitem(1, "a.example", "", 1, 0, 3));
    file(run, resultitem(2, "Third", "http://a.example/3", 1, 0, 3));
    file(run, resultitem(2, "Fourth", "http://a.example/4", 1, 0, 3));
    file(run, resultitem(1, "Alone", "http://c.example/1", 1, 0, 4));
    EXPECT_EQ(shape(search), "a.example(http://a.example/1 http://a.example/2 http://a.example/3 "
                             "http://a.example/4) b.example(http://b.example/1 http://b.example/2) "
                             "http://c.example/1");
    std::vector<std::string> titles;
    for (const Node* n = static_cast<const Ref*>(search.first())->first(); n; n = n->next())
        titles.emplace_back(static_cast<const Ref*>(n)->target()->props().title.view());
    EXPECT_EQ(titles, (std::vector<std::string>{"First", "a.example", "Third", "Fourth"}));
    EXPECT_EQ(test::checkdocument(doc_, true), "");
    // Another run makes headings of its own.
    SearchRunState again = runon(search);
    file(again, resultitem(1, "a.example", "", 1, 0, 1));
    EXPECT_NE(again.heading, run.headings.front());
}

TEST_F(SearchRunTest, AHeadingNeverFilledStaysOutOfTheView) {
    SearchRef& search = start("q");
    SearchRunState run = runon(search);
    file(run, resultitem(1, "Empty heading", "", 1, 0, 1));
    file(run, resultitem(1, "Next", "http://a.example/1", 1, 0, 2));
    auto& heading = *static_cast<OrgRef2*>(search.firstchild());
    EXPECT_EQ(heading.target()->props().title.view(), "Empty heading");
    EXPECT_EQ(heading.extraflags() & OrgRef2::Unshown, OrgRef2::Unshown);
    EXPECT_FALSE(heading.isvisible());
    EXPECT_EQ(heading.viewitem(), nullptr);
    EXPECT_NE(static_cast<Ref*>(heading.nextsibling())->viewitem(), nullptr);
    // A filled heading shows.
    file(run, resultitem(1, "Shown", "", 1, 0, 3));
    auto& shown = *static_cast<OrgRef2*>(search.lastchild());
    EXPECT_EQ(shown.viewitem(), nullptr);
    file(run, resultitem(2, "c", "http://c.example/1", 1, 0, 3));
    EXPECT_EQ(shown.extraflags() & OrgRef2::Unshown, 0);
    EXPECT_NE(shown.viewitem(), nullptr);
}

TEST_F(SearchRunTest, ItemsThatCannotBePlacedAreDroppedWithoutStatus) {
    SearchRef& search = start("q");
    SearchRunState run = runon(search);
    screen_.statuses.clear();
    file(run, resultitem(2, "orphan", "http://a.example/1"));
    file(run, resultitem(2, "empty", ""));
    file(run, resultitem(3, "deep heading", ""));
    EXPECT_EQ(search.count(), 0u);
    EXPECT_TRUE(screen_.statuses.empty());
    EXPECT_EQ(run.found, 0);
    // Deeper levels are results that do not close the heading.
    file(run, resultitem(1, "H", "", 1, 0, 1));
    file(run, resultitem(3, "deep", "http://b.example/1", 1, 0, 1));
    file(run, resultitem(2, "under", "http://c.example/1", 1, 0, 1));
    EXPECT_EQ(shape(search), "H(http://b.example/1 http://c.example/1)");
}

TEST_F(SearchRunTest, StatusShowsTheTotalAtEveryTenth) {
    SearchRef& search = start("q");
    SearchRunState run = runon(search);
    screen_.statuses.clear();
    WSearchInfo summary = resultitem(0, "", "");
    summary.size = 5000;
    file(run, summary);
    for (int i = 1; i <= 21; ++i) {
        const std::string url = "http://h" + std::to_string(i) + ".example/";
        file(run, resultitem(1, ("t" + std::to_string(i)).c_str(), url.c_str(), 1, 0, i));
    }
    const std::string name(search.name().view());
    ASSERT_EQ(screen_.statuses.size(), 3u);
    EXPECT_EQ(screen_.statuses[0], name);
    EXPECT_EQ(screen_.statuses[1], name + " 10...");
    EXPECT_EQ(screen_.statuses[2], name + " 20...");
    EXPECT_EQ(screen_.progresses, 22);
}

TEST_F(SearchRunTest, RunAgainClearsMarksAndRestartsCountersButNotBroken) {
    SearchRef& search = start("q");
    SearchRunState run = runon(search);
    file(run, resultitem(1, "A", "http://a.example/1", 1, 0, 1));
    file(run, resultitem(1, "B", "http://b.example/1", 1, 0, 2));
    run_->finish(run, 1, "q", 0, nullptr);
    search.searchprop().broken = 3;
    auto& first = *static_cast<Ref*>(search.firstchild());
    ASSERT_TRUE(first.hasflags(Ref::New));
    UrlRef* twin = doc_.domaintwin(first);
    ASSERT_NE(twin, nullptr);
    ASSERT_TRUE(twin->hasflags(Ref::New));

    ASSERT_EQ(&start("q"), &search);
    EXPECT_EQ(search.searchprop().total, 0u);
    EXPECT_EQ(search.searchprop().added, 0u);
    EXPECT_EQ(search.searchprop().broken, 3u);
    EXPECT_FALSE(first.hasflags(Ref::New));
    EXPECT_FALSE(twin->hasflags(Ref::New));
    EXPECT_FALSE(static_cast<Ref*>(twin->parent())->hasflags(Ref::New));
    EXPECT_FALSE(search.hasflags(Ref::New));

    // Found again unchanged: seen, counted in the total, not added.
    SearchRunState again = runon(search);
    file(again, resultitem(1, "A", "http://a.example/1", 1, 0, 1));
    EXPECT_TRUE(first.hasflags(Ref::Seen));
    EXPECT_EQ(search.searchprop().total, 1u);
    EXPECT_EQ(search.searchprop().added, 0u);
    // A third run counts it again although the second run marked it seen.
    start("q");
    SearchRunState third = runon(search);
    file(third, resultitem(1, "A", "http://a.example/1", 1, 0, 1));
    EXPECT_EQ(search.searchprop().total, 1u);
}

TEST_F(SearchRunTest, FinishRecordsTheEngineAndClearsRunningWhenNothingIsLeft) {
    SearchRef& search = start("cats", 1 | 2);
    SearchRunState aport = runon(search), rambler = runon(search);
    file(aport, resultitem(1, "A", "http://a.example/1", 1, 0, 1));
    jobs_.busy = true;
    run_->finish(aport, 1, "cats", 0, nullptr);
    EXPECT_TRUE(search.hasflags(Ref::Running));
    EXPECT_EQ(screen_.statuses.back(), language_->format(9207, "cats", 1));
    jobs_.busy = false;
    run_->finish(rambler, 2, "cats", -1, nullptr);
    EXPECT_FALSE(search.hasflags(Ref::Running));
    const ServerInfoList& records = search.searchprop().serverinfo;
    ASSERT_NE(records.find(1), nullptr);
    EXPECT_EQ(records.find(1)->found, 1);
    EXPECT_EQ(records.find(1)->added, 1);
    EXPECT_TRUE(records.find(1)->error.empty());
    ASSERT_NE(records.find(2), nullptr);
    EXPECT_EQ(records.find(2)->error.view(), text(10120));
    EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_F(SearchRunTest, DetachedWorkerDropsLaterItemsAndReportsItsErrorInABox) {
    SearchRef& search = start("cats");
    SearchRunState run = runon(search);
    file(run, resultitem(1, "A", "http://a.example/1", 1, 0, 1));
    run_->detach(run, 1);
    EXPECT_FALSE(search.hasflags(Ref::Running));
    ASSERT_NE(search.searchprop().serverinfo.find(1), nullptr);
    EXPECT_EQ(search.searchprop().serverinfo.find(1)->found, 1);
    screen_.statuses.clear();
    file(run, resultitem(1, "B", "http://b.example/1", 1, 0, 2));
    EXPECT_EQ(search.count(), 1u);
    EXPECT_TRUE(screen_.statuses.empty());

    run_->finish(run, 1, "cats", 12007, nullptr);
    ASSERT_EQ(boxes_.boxes().size(), 1u);
    EXPECT_EQ(boxes_.boxes()[0].caption, "cats");
    EXPECT_EQ(boxes_.boxes()[0].text, language_->errorText(12007));
    EXPECT_EQ(screen_.statuses.back(), text(9208));
}

TEST_F(SearchRunTest, CheckFlagQueuesChecksOfNewResultsOnly) {
    SearchRef& search = start("q", 1 | 2, true);
    SearchRunState one = runon(search), two = runon(search);
    file(one, resultitem(1, "A", "http://a.example/1", 1, 0, 1));
    file(two, resultitem(1, "A", "http://a.example/1", 2, 0, 1));
    ASSERT_EQ(jobs_.checks.size(), 1u);
    EXPECT_EQ(jobs_.checks[0], search.firstchild());
}

TEST_F(SearchRunTest, RunAgainAsksTheDialogAndIgnoresARunningSearch) {
    struct Dialog : SearchRequestDialog {
        bool edit(FindInfo& request, const SearchProp& statistics) override {
            seentotal = statistics.total;
            request.servers = 2;
            return answer;
        }
        bool answer = false;
        std::uint32_t seentotal = 99;
    } dialog;
    SearchRef& search = start("q");
    EXPECT_FALSE(run_->again(search, nullptr)); // still running
    SearchRunState run = runon(search);
    run_->finish(run, 1, "q", 0, nullptr);
    jobs_.waits.clear();
    EXPECT_FALSE(run_->again(search, &dialog));
    EXPECT_EQ(dialog.seentotal, 0u);
    EXPECT_TRUE(jobs_.waits.empty());
    EXPECT_FALSE(search.hasflags(Ref::Running));
    dialog.answer = true;
    EXPECT_TRUE(run_->again(search, &dialog));
    ASSERT_EQ(jobs_.waits.size(), 1u);
    EXPECT_EQ(jobs_.waits[0].server, 2);
    EXPECT_TRUE(search.hasflags(Ref::Running));
}

TEST_F(SearchRunTest, DeletingTheHeadingOrTheSearchLeavesNoPointerBehind) {
    SearchRef& search = start("q");
    SearchRunState run = runon(search);
    file(run, resultitem(1, "H", "", 1, 0, 1));
    file(run, resultitem(2, "x", "http://a.example/1", 1, 0, 1));
    Ref& heading = *static_cast<Ref*>(search.firstchild());
    run.forget(heading);
    doc_.deletenode(heading);
    EXPECT_EQ(run.heading, nullptr);
    file(run, resultitem(2, "y", "http://b.example/1", 1, 0, 1));
    file(run, resultitem(1, "z", "http://c.example/1", 1, 0, 2));
    EXPECT_EQ(shape(search), "http://c.example/1");
    run.forget(search);
    doc_.deletenode(search);
    EXPECT_EQ(run.search, nullptr);
    file(run, resultitem(1, "w", "http://d.example/1", 1, 0, 3));
    EXPECT_EQ(doc_.orgroot().count(), 0u);
}

// Whatever order and mix of items three engines deliver, the document keeps
// its bookkeeping: counts, targets in the container, view items under shown
// parents; and a second run over the same items adds nothing.
TEST_F(SearchRunTest, RandomItemMixesKeepTheDocumentSound) {
    const char* titles[] = {"A", "B", "Same", "", "H"};
    const char* urls[] = {"",
                          "http://a.example/1",
                          "http://a.example/2",
                          "http://b.example/x/y",
                          "http://c.example/",
                          "http://c.example/z"};
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    auto next = [&state](std::uint64_t n) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state % n;
    };
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        SearchRef& search = start(("q" + std::to_string(round)).c_str(), 7);
        std::vector<WSearchInfo> items;
        for (int i = 0; i < 60; ++i) {
            items.push_back(resultitem(
                static_cast<std::uint32_t>(next(4)), titles[next(5)], urls[next(6)], 1u << next(3),
                static_cast<std::uint32_t>(next(100)), static_cast<std::uint32_t>(i / 3)));
        }
        for (int pass = 0; pass < 2; ++pass) {
            std::vector<SearchRunState> runs(3, runon(search));
            for (const WSearchInfo& item : items) {
                file(runs[item.server == 1 ? 0 : item.server == 2 ? 1 : 2], item);
            }
            doc_.commit();
            ASSERT_EQ(test::checkdocument(doc_, true), "");
            if (pass == 1) {
                EXPECT_EQ(search.searchprop().added, 0u);
            }
            start(("q" + std::to_string(round)).c_str(), 7);
        }
    }
}

} // namespace
} // namespace qx
