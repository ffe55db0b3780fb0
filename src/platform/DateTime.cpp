#include "platform/DateTime.h"

#include <cstdio>

namespace qx::platform {

namespace {

constexpr std::int64_t kTicksPerMillisecond = 10'000;
constexpr std::int64_t kTicksPerDay = 24LL * 3600 * 1000 * kTicksPerMillisecond;
// Days from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kDaysTo1970 = 134'774;
constexpr int kMaxYear = 30827;

const char* const kDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool isLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeap(year) ? 29 : kDays[month - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t daysFromCivil(int year, int month, int day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yoe = year - era * 400;
    const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(std::int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t doe = days - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

bool isValid(const SystemTime& t) {
    return t.year >= 1601 && t.year <= kMaxYear && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
           t.day <= daysInMonth(t.year, t.month) && t.hour < 24 && t.minute < 60 && t.second < 60 &&
           t.milliseconds < 1000;
}

} // namespace

bool systemTimeToFileTime(const SystemTime& in, FileTime& out) {
    if (!isValid(in)) {
        return false;
    }
    const std::int64_t days = daysFromCivil(in.year, in.month, in.day) + kDaysTo1970;
    const std::int64_t ms =
        ((in.hour * 60LL + in.minute) * 60LL + in.second) * 1000LL + in.milliseconds;
    out = static_cast<FileTime>(days * kTicksPerDay + ms * kTicksPerMillisecond);
    return true;
}

bool isLater(const SystemTime& a, const SystemTime& b) {
    FileTime ta = 0, tb = 0;
    if (!systemTimeToFileTime(a, ta)) {
        return false;
    }
    return !systemTimeToFileTime(b, tb) || ta > tb;
}

bool fileTimeToSystemTime(FileTime in, SystemTime& out) {
    const std::int64_t days = static_cast<std::int64_t>(in / kTicksPerDay);
    std::int64_t ms = static_cast<std::int64_t>(in % kTicksPerDay) / kTicksPerMillisecond;
    int year = 0, month = 0, day = 0;
    civilFromDays(days - kDaysTo1970, year, month, day);
    if (year > kMaxYear) {
        return false;
    }
    out.year = static_cast<std::uint16_t>(year);
    out.month = static_cast<std::uint16_t>(month);
    out.day = static_cast<std::uint16_t>(day);
    // 1601-01-01 was a Monday.
    out.dayOfWeek = static_cast<std::uint16_t>((days + 1) % 7);
    out.milliseconds = static_cast<std::uint16_t>(ms % 1000);
    ms /= 1000;
    out.second = static_cast<std::uint16_t>(ms % 60);
    ms /= 60;
    out.minute = static_cast<std::uint16_t>(ms % 60);
    out.hour = static_cast<std::uint16_t>(ms / 60);
    return true;
}

std::string formatHttpDate(const SystemTime& time) {
    if (!isValid(time)) {
        return {};
    }
    const std::int64_t days = daysFromCivil(time.year, time.month, time.day);
    // 1970-01-01 was a Thursday.
    const int weekday = static_cast<int>(((days % 7) + 11) % 7);
    char text[40];
    std::snprintf(text, sizeof text, "%s, %02u %s %04u %02u:%02u:%02u GMT", kDayNames[weekday],
                  unsigned{time.day}, kMonthNames[time.month - 1], unsigned{time.year},
                  unsigned{time.hour}, unsigned{time.minute}, unsigned{time.second});
    return text;
}

} // namespace qx::platform
