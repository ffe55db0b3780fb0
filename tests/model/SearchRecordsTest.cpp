#include "ModelTestSupport.h"

#include "model/FindInfo.h"
#include "model/SearchProp.h"
#include "model/ServerInfo.h"
#include "stream/iwstream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx {
namespace {

ServerInfo run(std::uint16_t server, int found, int added, const char* error = "") {
    ServerInfo info;
    info.server = server;
    info.found = found;
    info.added = added;
    info.error = error;
    return info;
}

std::vector<std::uint16_t> servers(const ServerInfoList& list) {
    std::vector<std::uint16_t> out;
    for (auto* n = list.first(); n; n = static_cast<ServerInfoNode*>(n->next())) {
        out.push_back(n->info.server);
    }
    return out;
}

TEST(FindInfo, Defaults) {
    const FindInfo f;
    EXPECT_TRUE(f.query.empty());
    EXPECT_EQ(f.max, 100);
    EXPECT_EQ(f.servers, 1 | 2 | 4 | 32);
    EXPECT_FALSE(f.check);
    EXPECT_EQ(f.queryMode, 0);
    EXPECT_TRUE(f.exclude.empty());
}

TEST(ServerInfoList, UpdateReplacesInPlaceOrAppends) {
    ServerInfoList list;
    list.update(run(1, 10, 5));
    list.update(run(4, 20, 6));
    const platform::FileTime before = platform::currentFileTime();
    list.update(run(4, 30, 7, "failed"));
    EXPECT_EQ(servers(list), (std::vector<std::uint16_t>{1, 4}));
    const ServerInfo* four = list.find(4);
    ASSERT_NE(four, nullptr);
    EXPECT_EQ(four->found, 30);
    EXPECT_EQ(four->added, 7);
    EXPECT_EQ(four->error, Str("failed"));
    EXPECT_GE(four->time, before);
    list.update(run(2, 1, 1));
    EXPECT_EQ(servers(list), (std::vector<std::uint16_t>{1, 4, 2}));
    EXPECT_EQ(list.find(8), nullptr);
}

TEST(ServerInfoList, StoredFormAndRoundTrip) {
    ServerInfoList list;
    ServerInfo info = run(0x20, -1, 2);
    list.append(new ServerInfoNode(info));
    info.server = 1;
    info.error = "x";
    info.time = 0x0102030405060708ULL;
    list.append(new ServerInfoNode(info));
    mwstream out;
    list.write(out);
    const std::string bytes = test::bytesof(out);
    // An empty error text is a length of 0 and nothing else.
    EXPECT_EQ(bytes.substr(0, 22), std::string("\x02\x00\x20\x00\xff\xff\xff\xff\x02\x00\x00\x00"
                                               "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00",
                                               22));
    EXPECT_EQ(bytes.size(), 2u + 20 + 21);

    test::ByteSource in(bytes);
    ServerInfoList back;
    back.update(run(9, 9, 9)); // replaced by what is read
    back.read(in.stream());
    EXPECT_TRUE(in.stream().good());
    EXPECT_EQ(servers(back), (std::vector<std::uint16_t>{0x20, 1}));
    EXPECT_EQ(back.find(0x20)->found, -1);
    EXPECT_EQ(back.find(1)->error, Str("x"));
    EXPECT_EQ(back.find(1)->time, 0x0102030405060708ULL);

    // A cut record is dropped and the stream is left failed.
    test::ByteSource cut(bytes.substr(0, bytes.size() - 3));
    back.read(cut.stream());
    EXPECT_FALSE(cut.stream().good());
    EXPECT_EQ(servers(back), (std::vector<std::uint16_t>{0x20}));
}

TEST(SearchProp, RequestCopiesAndStoredForm) {
    FindInfo f;
    f.query = "abc";
    f.max = 250;
    f.servers = 0x81;
    f.check = true;
    f.queryMode = 3;
    f.exclude = "x";
    SearchProp p;
    p.total = 5;
    p.added = 4;
    p.broken = 3;
    p.serverinfo.update(run(1, 1, 1));
    p.setrequest(f);
    EXPECT_EQ(p.query, Str("abc"));
    EXPECT_EQ(p.queryMode, 3);
    EXPECT_NE(p.time, 0u);
    EXPECT_EQ(p.total, 5u);

    const SearchProp copy = p.copied();
    EXPECT_EQ(copy.query, Str("abc"));
    EXPECT_EQ(copy.exclude, Str("x"));
    EXPECT_EQ(copy.broken, 3u);
    EXPECT_EQ(copy.time, 0u);
    EXPECT_TRUE(copy.serverinfo.empty());

    mwstream out;
    p.write(out);
    const std::string bytes = test::bytesof(out);
    EXPECT_EQ(bytes.substr(0, 16), std::string("\x03\x00"
                                               "abc"
                                               "\xfa\x00\x00\x00\x81\x00\x01\x03"
                                               "\x01\x00"
                                               "x",
                                               16));
    test::ByteSource in(bytes);
    SearchProp back;
    back.read(in.stream());
    EXPECT_TRUE(in.stream().good());
    EXPECT_EQ(back.max, 250);
    EXPECT_TRUE(back.check);
    EXPECT_EQ(back.added, 4u);
    EXPECT_EQ(back.time, p.time);
    EXPECT_EQ(back.serverinfo.count(), 1u);

    // Any non-zero check byte reads as true.
    std::string odd = bytes;
    odd[11] = '\x7f';
    test::ByteSource oddIn(odd);
    back.read(oddIn.stream());
    EXPECT_TRUE(back.check);
}

} // namespace
} // namespace qx
