#include "net/SplitUrl.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

struct Case {
    const char* url;
    ServiceKind service;
    const char* host;
    const char* path;
    std::uint16_t port;
};

TEST(SplitUrl, OrdinaryAddresses) {
    const Case cases[] = {
        {"http://Example.COM/a/b", ServiceKind::Http, "Example.COM", "/a/b", 80},
        {"HTTPS://x.org", ServiceKind::Https, "x.org", "/", 443},
        {"https://x.org:8443/p?q=1#frag", ServiceKind::Https, "x.org", "/p?q=1", 8443},
        {"ftp://u:p@f.org/pub/x", ServiceKind::Ftp, "f.org", "/pub/x", 21},
        {"gopher://g.org/1x", ServiceKind::Gopher, "g.org", "/1x", 70},
        {"file:///tmp/a", ServiceKind::File, "", "/tmp/a", 0},
        {"file://localhost/etc/hosts", ServiceKind::File, "", "/etc/hosts", 0},
        {"http://[::1]:8080/a", ServiceKind::Http, "[::1]", "/a", 8080},
        {"foo://bar/baz", ServiceKind::Unknown, "bar", "/baz", 0},
        {"mailto:someone@example.com", ServiceKind::Mailto, "", "someone@example.com", 0},
        {"news:comp.lang.c++", ServiceKind::News, "", "comp.lang.c++", 0},
    };
    for (const Case& c : cases) {
        UrlParts parts;
        ASSERT_TRUE(SplitUrl(c.url, parts)) << c.url;
        EXPECT_EQ(parts.service, c.service) << c.url;
        EXPECT_EQ(parts.host, c.host) << c.url;
        EXPECT_EQ(parts.path, c.path) << c.url;
        EXPECT_EQ(parts.port, c.port) << c.url;
    }
}

TEST(SplitUrl, CanonicalisesLikeABrowser) {
    UrlParts parts;
    ASSERT_TRUE(SplitUrl("http://h/a/./b/../c d/\xC3\xA4?x y#f g", parts));
    EXPECT_EQ(parts.path, "/a/c%20d/%C3%A4?x y");
    ASSERT_TRUE(SplitUrl("http:\\\\host\\a\\b?c\\d", parts));
    EXPECT_EQ(parts.host, "host");
    EXPECT_EQ(parts.path, "/a/b?c\\d");
    ASSERT_TRUE(SplitUrl("http://h/%41%zz", parts));
    EXPECT_EQ(parts.path, "/%41%zz");
}

TEST(SplitUrl, RefusesWhatIsNotAnAbsoluteAddress) {
    const std::string_view bad[] = {
        "",
        "www.example.com/a",
        "http://",
        "http://h:99999/",
        "http://a b/",
        "file://server/share",
        std::string_view("http://h/\0x", 11),
        "::::",
        "%",
    };
    for (std::string_view url : bad) {
        UrlParts parts;
        parts.host = "left over";
        EXPECT_FALSE(SplitUrl(url, parts)) << url;
        EXPECT_EQ(parts.service, ServiceKind::Unknown);
        EXPECT_TRUE(parts.host.empty());
    }
}

TEST(SplitUrl, LongAddressesNeedNoFixedBuffer) {
    std::string url = "http://h/" + std::string(100000, 'a');
    UrlParts parts;
    ASSERT_TRUE(SplitUrl(url, parts));
    EXPECT_EQ(parts.path.size(), 100001u);
}

TEST(ServiceKind, SchemeMappingBothWays) {
    EXPECT_EQ(static_cast<std::uint32_t>(serviceKindOfScheme("FTP")), 1u);
    EXPECT_EQ(static_cast<std::uint32_t>(serviceKindOfScheme("gopher")), 2u);
    EXPECT_EQ(static_cast<std::uint32_t>(serviceKindOfScheme("Http")), 3u);
    EXPECT_EQ(static_cast<std::uint32_t>(serviceKindOfScheme("https")), 0x100Bu);
    EXPECT_EQ(static_cast<std::uint32_t>(serviceKindOfScheme("file")), 0x1001u);
    EXPECT_EQ(static_cast<std::uint32_t>(serviceKindOfScheme("mailto")), 0x1002u);
    EXPECT_EQ(static_cast<std::uint32_t>(serviceKindOfScheme("news")), 0x1006u);
    EXPECT_EQ(serviceKindOfScheme("telnet"), ServiceKind::Unknown);
    EXPECT_EQ(serviceKindOfScheme(""), ServiceKind::Unknown);
    EXPECT_EQ(schemeOfServiceKind(ServiceKind::Https), "https");
    EXPECT_EQ(schemeOfServiceKind(ServiceKind::Unknown), "");
    EXPECT_EQ(schemeOfServiceKind(static_cast<ServiceKind>(7)), "");
}

} // namespace
} // namespace qx
