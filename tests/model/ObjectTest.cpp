#include "ModelTestSupport.h"

#include "model/Container.h"
#include "model/DefRefResolver.h"
#include "model/Object.h"
#include "stream/otmwstream.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace qx {
namespace {

using test::date;

ObjectProp page(const char* title, const char* url, platform::SystemTime modified = {}) {
    ObjectProp p;
    p.title = title;
    p.url = url;
    p.modified = modified;
    return p;
}

class ObjectTest : public ::testing::Test {
protected:
    test::FakeLabelTexts texts;
};

TEST_F(ObjectTest, MergeWithAnAddressConfirmsAnUnconfirmedObject) {
    ObjectProp old = page("Old", "http://a/");
    old.comment = "kept?";
    Object o(old);
    ObjectProp fresh = page("New", "http://b/");
    fresh.servers = 4;
    EXPECT_EQ(o.mergeprops(fresh), 2);
    EXPECT_TRUE(o.hasflags(Object::Confirmed));
    EXPECT_EQ(o.props().title, Str("New"));
    EXPECT_TRUE(o.props().comment.empty());
    EXPECT_EQ(o.props().servers, 4);
    EXPECT_STREQ(o.urlkey().text(), "http://b/");
}

TEST_F(ObjectTest, MergeOfANewerRecordTakesItsNonEmptyFields) {
    ObjectProp old = page("Old", "http://a/", date(2001, 5, 1));
    old.charset = 1;
    old.size = 100;
    old.servers = 1;
    old.comment = "mine";
    Object o(old);
    o.addflags(Object::Confirmed);

    ObjectProp newer = page("", "http://a/", date(2002, 1, 1));
    newer.servers = 2;
    newer.size = 200;
    EXPECT_EQ(o.mergeprops(newer), 1);
    EXPECT_EQ(o.props().title, Str("Old")); // empty title not taken
    EXPECT_EQ(o.props().modified.year, 2002);
    EXPECT_EQ(o.props().charset, 1u); // zero charset not taken
    EXPECT_EQ(o.props().size, 200u);
    EXPECT_EQ(o.props().servers, 3);
    EXPECT_EQ(o.props().comment, Str("mine"));
}

TEST_F(ObjectTest, MergeOfAnOlderOrUndatedRecordOnlyJoinsServers) {
    Object o(page("Old", "http://a/", date(2001, 5, 1)));
    o.addflags(Object::Confirmed);
    ObjectProp older = page("Other", "http://a/", date(2000, 1, 1));
    older.servers = 8;
    EXPECT_EQ(o.mergeprops(older), 0);
    EXPECT_EQ(o.props().title, Str("Old"));
    EXPECT_EQ(o.props().servers, 8);
    // A date that does not convert (February 30th) is never newer.
    ObjectProp invalid = page("Bad", "", date(2005, 2, 30));
    EXPECT_EQ(o.mergeprops(invalid), 0);
    EXPECT_EQ(o.props().modified.year, 2001);
}

TEST_F(ObjectTest, AValidDateIsNewerThanOneThatDoesNotConvert) {
    Object o(page("Old", "", date(0, 0, 0)));
    ObjectProp dated = page("New", "", date(1999, 12, 31, 23, 59));
    EXPECT_EQ(o.mergeprops(dated), 1); // no address: not the first case
    EXPECT_EQ(o.props().title, Str("New"));
    EXPECT_FALSE(o.hasflags(Object::Confirmed));
}

TEST_F(ObjectTest, IdentityIsTheAddressElseTheTitle) {
    Object withUrl(page("T", "http://x/"));
    Object noUrl(page("T", ""));
    EXPECT_EQ(&withUrl.identitykey(), &withUrl.urlkey());
    EXPECT_EQ(&noUrl.identitykey(), &noUrl.titlekey());
    noUrl.seturl("http://x/");
    EXPECT_TRUE(noUrl.identitykey() == withUrl.identitykey());
}

TEST_F(ObjectTest, Labels) {
    // The charset names are the texts of the container holding the page.
    Container pages;
    pages.setlabeltexts(&texts);
    auto label = [&](const ObjectProp& props) {
        return pages.add(std::make_unique<Object>(props))->label();
    };
    EXPECT_EQ(label(page("Index", "http://a/")), Str("Index"));
    EXPECT_EQ(label(page("", "http://a/")), Str(" (http://a/)"));
    EXPECT_EQ(label(page("", "")), Str());

    ObjectProp p = page("Index", "http://a/", date(1994, 11, 6, 8, 49));
    p.charset = 3;
    EXPECT_EQ(label(p), Str("Index [06 Nov 1994 08:49] <Koi>"));
    // Outside a container a page has no texts to name its charset by.
    EXPECT_EQ(Object(p).label(), Str("Index [06 Nov 1994 08:49] <>"));
    p.charset = 6;
    p.title.clear();
    EXPECT_EQ(label(p), Str(" (http://a/) [06 Nov 1994 08:49] <>"));
    // A year without a valid date shows no date at all.
    p.modified = date(1994, 13, 1);
    p.charset = 0;
    EXPECT_EQ(label(p), Str(" (http://a/)"));
}

TEST_F(ObjectTest, StoredFormRoundTripsAndMasksFlags) {
    ObjectProp p = page("Title", "http://a/", date(2003, 4, 5, 6, 7));
    p.status = "404";
    p.charset = 2;
    p.size = 0x01020304;
    p.servers = 0x0506;
    p.comment = "c";
    Object o(p);
    o.setflags(0x0F);
    DefRefResolver resolver;
    mwstream out;
    ASSERT_EQ(o.write(out, resolver), 0);
    const std::string bytes = test::bytesof(out);
    const std::string expected = std::string("\x03\x00"
                                             "404"
                                             "\x05\x00"
                                             "Title"
                                             "\x09\x00"
                                             "http://a/",
                                             23) +
                                 std::string("\xd3\x07\x04\x00\x00\x00\x05\x00\x06\x00\x07\x00"
                                             "\x00\x00\x00\x00",
                                             16) +
                                 std::string("\x04\x03\x02\x01\x00\x00\x00\x00\x02\x06\x05"
                                             "\x01\x00"
                                             "c"
                                             "\x0e\x00",
                                             16);
    EXPECT_EQ(bytes, expected);

    o.setflags(0xFFFF);
    mwstream all;
    ASSERT_EQ(o.write(all, resolver), 0);
    EXPECT_EQ(test::bytesof(all).substr(bytes.size() - 2), std::string("\x1e\x00", 2));

    test::ByteSource in(bytes);
    Object back;
    ASSERT_EQ(back.read(in.stream(), 3, resolver), 0);
    EXPECT_EQ(back.props().title, Str("Title"));
    EXPECT_EQ(back.props().status, Str("404"));
    EXPECT_EQ(back.props().modified.minute, 7);
    EXPECT_EQ(back.props().charset, 2u);
    EXPECT_EQ(back.props().size, 0x01020304u);
    EXPECT_EQ(back.props().servers, 0x0506);
    EXPECT_EQ(back.props().comment, Str("c"));
    EXPECT_EQ(back.flags(), 0x0E);
    EXPECT_STREQ(back.identitykey().text(), "http://a/");
}

TEST_F(ObjectTest, ReadAndWriteReportStreamFailures) {
    DefRefResolver resolver;
    Object o(page("Title", "http://a/"));
    char small[10];
    memwstream full(small, sizeof small);
    EXPECT_EQ(o.write(full, resolver), 1);
    test::ByteSource cut(std::string("\x05\x00Tit", 5));
    Object back;
    EXPECT_EQ(back.read(cut.stream(), 3, resolver), 1);
}

TEST_F(ObjectTest, RefcounterNeverGoesBelowZeroAndDumpShowsFields) {
    Object o(page("T", "http://a/"));
    o.release();
    EXPECT_EQ(o.refcounter(), 0u);
    o.addref();
    o.addref();
    o.setflags(0x1A);
    otmwstream out;
    o.dump(out);
    const std::string text(out.buffer().data(), static_cast<std::size_t>(out.tell()));
    EXPECT_NE(text.find("Object 0x"), std::string::npos);
    EXPECT_NE(text.find(" refcounter=2 flags=0x1a http://a/"), std::string::npos);
}

} // namespace
} // namespace qx
