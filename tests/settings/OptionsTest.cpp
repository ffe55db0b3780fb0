#include "settings/Options.h"
#include "settings/ApplicationProfile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using test::TempDir;

TEST(Options, AFreshStartHasEveryDefault) {
    TempDir dir;
    ApplicationProfile profile(dir.file("qxseek.INI"));
    Options options;
    options.load(profile);
    EXPECT_EQ(options, Options());
    EXPECT_FALSE(options.showHidden);
    EXPECT_FALSE(options.showNew);
    EXPECT_TRUE(options.connections);
    EXPECT_FALSE(options.reserved);
    EXPECT_FALSE(options.checkRef);
    EXPECT_TRUE(options.checkSearch);
    EXPECT_EQ(options.server, Options::kDefaultServer);
    EXPECT_EQ(options.language, "enu");
    EXPECT_EQ(options.sortServersType, 0);
    EXPECT_FALSE(options.useProxy);
    EXPECT_EQ(options.proxyAdr, "");
    EXPECT_EQ(options.proxyPort, "");
    EXPECT_TRUE(options.findDialogAtStart);
    EXPECT_EQ(options.maxThreads, 10);

    // Saved and read back by a later start, the defaults stay the defaults.
    ASSERT_TRUE(options.save(profile));
    Options again;
    again.language = "xyz";
    again.load(profile);
    EXPECT_EQ(again, Options());
}

TEST(Options, FieldsLiveInTheirSectionsAndRoundTrip) {
    TempDir dir;
    ApplicationProfile profile(dir.file("qxseek.INI"));
    Options options;
    options.showHidden = true;
    options.showNew = true;
    options.connections = false;
    options.reserved = true;
    options.checkRef = true;
    options.checkSearch = false;
    options.server = "http://other.example/";
    options.language = "rus";
    options.sortServersType = 2;
    options.useProxy = true;
    options.proxyAdr = "proxy.local";
    options.proxyPort = "3128";
    options.findDialogAtStart = false;
    options.maxThreads = 3;
    ASSERT_TRUE(options.save(profile));

    EXPECT_EQ(profile.readInt("Search", "CheckRef", 0), 1);
    EXPECT_EQ(profile.readString("Search", "Server", ""), "http://other.example/");
    EXPECT_EQ(profile.readString("Options", "CheckRef", "none"), "none");
    EXPECT_EQ(profile.readInt("Options", "maxthreads", 0), 3);
    EXPECT_EQ(profile.readString("Options", "ProxyPort", ""), "3128");

    Options back;
    back.load(profile);
    options.reserved = false; // never stored
    EXPECT_EQ(back, options);
    EXPECT_EQ(back.proxyWithPort(), "proxy.local:3128");
}

TEST(Options, NumbersOutsideTheirRangeAreReadAsTheNearestEnd) {
    TempDir dir;
    ApplicationProfile profile(dir.file("qxseek.INI"));
    Options options;
    // What is no number reads as 0, which no worker would ever start with.
    for (const char* text : {"abc", "0", "-5"}) {
        profile.writeString("Options", "maxthreads", text);
        profile.writeString("Options", "SortServersType", "-1");
        options.load(profile);
        EXPECT_EQ(options.maxThreads, 1) << text;
        EXPECT_EQ(options.sortServersType, 0);
    }
    profile.writeString("Options", "maxthreads", "99999");
    profile.writeString("Options", "SortServersType", "7");
    options.load(profile);
    EXPECT_EQ(options.maxThreads, 100);
    EXPECT_EQ(options.sortServersType, 2);
}

TEST(Options, BackupsAndRecoveryKeepTheirDefaultsAndAllowNone) {
    TempDir dir;
    ApplicationProfile profile(dir.file("qxseek.INI"));
    Options options;
    options.load(profile);
    EXPECT_EQ(options.backups, 3);
    EXPECT_EQ(options.recoveryMinutes, 5);
    // 0 turns either off, unlike the worker counts; the rest is clamped.
    struct Case {
        const char* stored;
        int backups;
        int minutes;
    };
    for (const Case& c :
         {Case{"0", 0, 0}, Case{"-2", 0, 0},
          Case{"999999", Options::kBackupsRange.max, Options::kRecoveryMinutesRange.max}}) {
        profile.writeString("Options", "Backups", c.stored);
        profile.writeString("Options", "RecoveryMinutes", c.stored);
        options.load(profile);
        EXPECT_EQ(options.backups, c.backups) << c.stored;
        EXPECT_EQ(options.recoveryMinutes, c.minutes) << c.stored;
    }
}

TEST(Options, ANonZeroBooleanReadsTrueAndIsWrittenBackAsOne) {
    TempDir dir;
    std::string path = dir.write("qxseek.INI", "[Options]\nShowHidden=5\nUseProxy=abc\n"
                                               "ProxyAdr=10.0.0.1\nProxyPort=\n");
    ApplicationProfile profile(path);
    Options options;
    options.load(profile);
    EXPECT_TRUE(options.showHidden);
    EXPECT_FALSE(options.useProxy);
    EXPECT_EQ(options.proxyWithPort(), "10.0.0.1"); // an empty port adds no ":"
    ASSERT_TRUE(options.save(profile));
    EXPECT_EQ(profile.readString("Options", "ShowHidden", ""), "1");
}

} // namespace
} // namespace qx
