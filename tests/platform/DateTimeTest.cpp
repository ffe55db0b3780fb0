#include "platform/DateTime.h"

#include <gtest/gtest.h>

namespace qx::platform {
namespace {

SystemTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    SystemTime t;
    t.year = static_cast<std::uint16_t>(y);
    t.month = static_cast<std::uint16_t>(mo);
    t.day = static_cast<std::uint16_t>(d);
    t.hour = static_cast<std::uint16_t>(h);
    t.minute = static_cast<std::uint16_t>(mi);
    t.second = static_cast<std::uint16_t>(s);
    t.milliseconds = static_cast<std::uint16_t>(ms);
    return t;
}

TEST(DateTime, ConvertsValidDatesBothWays) {
    FileTime ft = 1;
    ASSERT_TRUE(systemTimeToFileTime(at(1601, 1, 1), ft));
    EXPECT_EQ(ft, 0u);
    ASSERT_TRUE(systemTimeToFileTime(at(1970, 1, 1), ft));
    EXPECT_EQ(ft, kUnixEpochFileTime);
    ASSERT_TRUE(systemTimeToFileTime(at(2000, 2, 29, 23, 59, 58, 999), ft));
    SystemTime back;
    ASSERT_TRUE(fileTimeToSystemTime(ft, back));
    EXPECT_EQ(back.year, 2000);
    EXPECT_EQ(back.month, 2);
    EXPECT_EQ(back.day, 29);
    EXPECT_EQ(back.hour, 23);
    EXPECT_EQ(back.minute, 59);
    EXPECT_EQ(back.second, 58);
    EXPECT_EQ(back.milliseconds, 999);
    EXPECT_EQ(back.dayOfWeek, 2); // a Tuesday
    EXPECT_FALSE(fileTimeToSystemTime(~FileTime{0}, back));
}

TEST(DateTime, InvalidFieldsNeverConvert) {
    FileTime ft = 42;
    for (const SystemTime& t :
         {at(0, 1, 1), at(1600, 12, 31), at(30828, 1, 1), at(2001, 0, 1), at(2001, 13, 1),
          at(2001, 1, 0), at(1900, 2, 29), at(2001, 4, 31), at(2001, 1, 1, 24),
          at(2001, 1, 1, 0, 60), at(2001, 1, 1, 0, 0, 60), at(2001, 1, 1, 0, 0, 0, 1000)}) {
        EXPECT_FALSE(systemTimeToFileTime(t, ft)) << t.year << "-" << t.month << "-" << t.day;
        EXPECT_EQ(formatHttpDate(t), "");
    }
    EXPECT_EQ(ft, 42u);
}

TEST(DateTime, HttpDateComputesTheDayOfWeek) {
    SystemTime t = at(1994, 11, 6, 8, 49, 37);
    t.dayOfWeek = 5; // wrong on purpose
    EXPECT_EQ(formatHttpDate(t), "Sun, 06 Nov 1994 08:49:37 GMT");
    EXPECT_EQ(formatHttpDate(at(1601, 1, 1)), "Mon, 01 Jan 1601 00:00:00 GMT");
    EXPECT_EQ(formatHttpDate(at(2024, 2, 29, 12)), "Thu, 29 Feb 2024 12:00:00 GMT");
}

} // namespace
} // namespace qx::platform
