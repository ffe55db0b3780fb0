#include "platform/BrowserCommand.h"

#include <gtest/gtest.h>

#include <sstream>

namespace qx::platform {
namespace {

using Args = std::vector<std::string>;

TEST(BrowserCommand, MailtoInAnyCase) {
    EXPECT_TRUE(isMailto("MAILTO:someone@example.org"));
    EXPECT_TRUE(isMailto("mailTo:x"));
    EXPECT_FALSE(isMailto("mailto"));
    EXPECT_FALSE(isMailto("http://mailto:x"));
}

TEST(BrowserCommand, QuotedProgramWithABlankAndOneOption) {
    const BrowserCommand c =
        browserCommand("  \"/opt/My Browser/browser\" -nohome", "http://example.org/");
    EXPECT_EQ(c.program, "/opt/My Browser/browser");
    EXPECT_EQ(c.arguments, (Args{"-nohome", "http://example.org/"}));
}

TEST(BrowserCommand, PlaceholdersTakeTheAddressOnce) {
    EXPECT_EQ(browserCommand("firefox %1", "http://a/").arguments, Args{"http://a/"});
    EXPECT_EQ(browserCommand("firefox --new-window %u", "http://a/").arguments,
              (Args{"--new-window", "http://a/"}));
    for (const char* code : {"%U", "%f", "%F"})
        EXPECT_EQ(browserCommand(std::string("b ") + code, "x").arguments, Args{"x"}) << code;
    // Other field codes go, "%%" is a percent sign, quoted parameters keep their blanks.
    EXPECT_EQ(browserCommand("b --class %c %i \"--title=a b\" 100%% %u", "x").arguments,
              (Args{"--class", "--title=a b", "100%", "x"}));
    EXPECT_EQ(browserCommand("b", "x").program, "b");
    EXPECT_TRUE(browserCommand("", "x").program.empty());
}

TEST(BrowserCommand, AnAddressWithBlanksAndQuotesStaysOneArgument) {
    const std::string address = "http://a/?q=\"x y\" --evil";
    EXPECT_EQ(browserCommand("b %u", address).arguments, Args{address});
    EXPECT_EQ(browserCommand("b -new", address).arguments, (Args{"-new", address}));
}

TEST(BrowserCommand, DesktopExecOfTheEntryGroupOnly) {
    std::istringstream file("[Desktop Action new]\nExec=other %u\n"
                            "[Desktop Entry]\nName=B\nExecutable=no\nExec = /usr/bin/b %U\n");
    EXPECT_EQ(desktopExec(file), "/usr/bin/b %U");
    std::istringstream none("[Desktop Entry]\nName=B\n");
    EXPECT_EQ(desktopExec(none), "");
    std::istringstream junk(std::string("\0\xff[", 3));
    EXPECT_EQ(desktopExec(junk), "");
}

} // namespace
} // namespace qx::platform
