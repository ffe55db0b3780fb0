#pragma once

#include "platform/FileTime.h"

#include <cstdint>
#include <string>

// Calendar date-times and file times: the two forms in which the program keeps
// moments. Pages carry a calendar date-time (as a search engine or a server
// reported it); saved searches and downloads carry file times.
namespace qx::platform {

// A calendar date-time in UTC, 16 bytes as stored: a year of 0 means unknown.
// The day of the week is carried along but never decides anything.
struct SystemTime {
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t dayOfWeek = 0;
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t milliseconds = 0;
};

// Converts a calendar date-time into a file time. False (and out untouched)
// when the fields do not name a moment: a year outside 1601..30827, a month,
// day, hour, minute, second or millisecond out of range. A year of 0 therefore
// never converts.
bool systemTimeToFileTime(const SystemTime& in, FileTime& out);

// A date is later when it names a moment and the other does not, or both do
// and it comes after the other.
bool isLater(const SystemTime& a, const SystemTime& b);

// The calendar date-time of a file time, the day of the week filled in. False
// for file times past the last representable year.
bool fileTimeToSystemTime(FileTime in, SystemTime& out);

// The date in the HTTP date format, for example "Sun, 06 Nov 1994 08:49:37 GMT".
// Empty when the date-time does not convert (see systemTimeToFileTime). The
// day of the week is computed from the date, not taken from the record.
std::string formatHttpDate(const SystemTime& time);

} // namespace qx::platform
