#include "model/DDoc.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"
#include "model/UrlRef.h"
#include "platform/DateTime.h"
#include "search/EngineTable.h"
#include "search/ObjPropDialogInfo.h"
#include "search/SearchStatistics.h"
#include "search/ShortDate.h"

#include "../model/ModelTestSupport.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

// Late in the UTC day: the date shown stays the UTC one.
platform::FileTime day(int year, int month, int dayOfMonth) {
    platform::FileTime time = 0;
    platform::systemTimeToFileTime(test::date(year, month, dayOfMonth, 23), time);
    return time;
}

TEST(ShortDateTest, TakesOrderSeparatorAndWidthsFromThePattern) {
    const platform::FileTime t = day(2026, 3, 9);
    EXPECT_EQ(ShortDate().format(t), "09.03.2026");
    EXPECT_EQ(ShortDate::frompattern("dd.MM.yyyy").format(t), "09.03.2026");
    EXPECT_EQ(ShortDate::frompattern("M/d/yy").format(t), "3/9/26");
    EXPECT_EQ(ShortDate::frompattern("yyyy-MM-dd").format(t), "2026-03-09");
    EXPECT_EQ(ShortDate::frompattern("d MMM yyyy").format(t), "09.03.2026");
    EXPECT_EQ(ShortDate::frompattern("ddd, d/M/yyyy").format(t), "9/3/2026");
    // No usable pattern: day.month.year.
    for (const char* pattern : {"", "yyyy", "d.d.d", "dMy", "HH:mm"})
        EXPECT_EQ(ShortDate::frompattern(pattern).format(t), "09.03.2026") << pattern;
    EXPECT_EQ(ShortDate().format(0), ""); // never run
}

TEST(SearchStatisticsTest, TotalsRowThenOneRowPerEngineRecord) {
    EXPECT_EQ(SearchStatistics::columns("Server|Found|New or error|Broken|Date"),
              (std::vector<std::string>{"Server", "Found", "New or error", "Broken", "Date"}));
    EXPECT_EQ(SearchStatistics::columns("1|2|3|4|5|6|7|8|9|10|11|12").size(), 10u);

    SearchProp search;
    search.total = 12;
    search.added = 5;
    search.broken = 1;
    search.time = day(2026, 12, 1);
    search.serverinfo.append(new ServerInfoNode({1, 7, 3, Str(), day(2026, 11, 30)}));
    search.serverinfo.append(new ServerInfoNode({4, 5, 2, Str("timed out | twice"), 0}));
    const auto rows = SearchStatistics::rows(
        search, "Total", [](std::uint16_t bit) { return "engine" + std::to_string(bit); },
        ShortDate::frompattern("yyyy/MM/dd"));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (SearchStatistics::Row{"Total", "12", "5", "1", "2026/12/01"}));
    EXPECT_EQ(rows[1], (SearchStatistics::Row{"engine1", "7", "3", "", "2026/11/30"}));
    EXPECT_EQ(rows[2], (SearchStatistics::Row{"engine4", "5", "timed out | twice", "", ""}));
}

ObjectProp page(const char* url, const char* title) {
    ObjectProp props;
    props.url = url;
    props.title = title;
    return props;
}

TEST(ObjPropDialogInfoTest, TextsOfAnEmptyPageAndOfAFullResult) {
    DDoc doc;
    OrgRef2& bare =
        doc.createresultobject(page("", "Heading"), OrgProp{0, 7}, doc.orgroot(), nullptr);
    ObjPropDialogInfo info = ObjPropDialogInfo::fromnode(bare);
    EngineTable engines;
    EXPECT_EQ(info.serverstext(engines), "");
    EXPECT_EQ(info.modifiedtext(), "");
    EXPECT_EQ(info.charsettext(), 0u);
    EXPECT_EQ(info.sizetext(), "");
    EXPECT_EQ(info.relevancetext(), "(7)");

    ObjectProp props = page("s://h/p", "P");
    props.servers = 0x01 | 0x04 | 0x08 | 0x80; // bit 8 names no engine
    props.modified = {1994, 11, 0, 6, 8, 49, 37, 0};
    props.charset = 3;
    props.size = 4096;
    OrgRef2& full = doc.createresultobject(props, OrgProp{1234, 7}, doc.orgroot(), nullptr);
    info = ObjPropDialogInfo::fromnode(full);
    EXPECT_EQ(info.serverstext(engines), "Aport, Yandex, HotBot");
    // A free position names an engine once the module defines it.
    engines.setdefinitions({{4, "Wikipedia"}});
    EXPECT_EQ(info.serverstext(engines), "Aport, Yandex, Wikipedia, HotBot");
    EXPECT_EQ(info.modifiedtext(), "Sun, 06 Nov 1994 08:49:37 GMT");
    EXPECT_EQ(info.charsettext(), 9220u);
    EXPECT_EQ(info.sizetext(), "4096");
    EXPECT_EQ(info.relevancetext(), "12% (7)");
    props.charset = 6;
    info.props = props;
    EXPECT_EQ(info.charsettext(), 0u);
}

TEST(ObjPropDialogInfoTest, OnlyOrganizerNodesTakeTheNameAndTheAddressDecidesTheKey) {
    DDoc doc;
    OrgRef2& result =
        doc.createresultobject(page("s://h/p", "P"), OrgProp{}, doc.orgroot(), nullptr);
    UrlRef* twin = doc.filedomainnode("s://h/p");
    ASSERT_TRUE(twin);
    doc.settarget(*twin, result.target());
    EXPECT_EQ(propertieskind(*twin), PropertiesKind::Object);
    const Str twinName = twin->name();

    ObjPropDialogInfo info = ObjPropDialogInfo::fromnode(*twin);
    EXPECT_FALSE(info.orgprop);
    EXPECT_EQ(info.relevancetext(), "");
    info.name = "renamed";
    info.props.title = "New title";
    info.props.url = "s://h/q";
    info.apply(doc, *twin);
    EXPECT_EQ(twin->name().view(), twinName.view());
    EXPECT_EQ(result.target()->props().title.view(), "New title");
    EXPECT_EQ(result.target()->props().url.view(), "s://h/q");

    info = ObjPropDialogInfo::fromnode(result);
    info.name = "mine";
    info.props.url = Str();
    info.apply(doc, result);
    EXPECT_EQ(result.name().view(), "mine");
    const Object& target = *result.target();
    EXPECT_TRUE(target.identitykey() == target.titlekey());
}

TEST(ObjPropDialogInfoTest, PropertiesOfferTheFindDialogForASavedSearchNotRunning) {
    DDoc doc;
    SearchRef& search = doc.createsearch("s", doc.orgroot(), nullptr);
    EXPECT_EQ(propertieskind(search), PropertiesKind::SavedSearch);
    search.addflags(Ref::Running);
    EXPECT_EQ(propertieskind(search), PropertiesKind::None);
    EXPECT_EQ(propertieskind(doc.createfolder("f", doc.orgroot(), nullptr)), PropertiesKind::None);
}

} // namespace
} // namespace qx
