#include "exchange/XbelFormat.h"

#include "platform/DateTime.h"

#include <cstdio>

namespace qx {

namespace {

// Reads exactly count digits at pos; false when they are not there.
bool digits(std::string_view text, std::size_t& pos, std::size_t count, int& value) {
    if (pos + count > text.size())
        return false;
    value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char c = text[pos + i];
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    pos += count;
    return true;
}

bool at(std::string_view text, std::size_t pos, char c) {
    return pos < text.size() && text[pos] == c;
}

} // namespace

platform::FileTime XbelFormat::parsedate(std::string_view text) {
    platform::SystemTime time;
    std::size_t pos = 0;
    int year = 0, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    if (!digits(text, pos, 4, year))
        return 0;
    if (at(text, pos, '-') && !digits(text, ++pos, 2, month))
        return 0;
    if (at(text, pos, '-') && !digits(text, ++pos, 2, day))
        return 0;
    int offset = 0;
    if (at(text, pos, 'T')) {
        ++pos;
        if (!digits(text, pos, 2, hour) || !at(text, pos, ':') || !digits(text, ++pos, 2, minute))
            return 0;
        if (at(text, pos, ':') && !digits(text, ++pos, 2, second))
            return 0;
        if (at(text, pos, '.')) {
            ++pos;
            while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9')
                ++pos;
        }
        if (at(text, pos, 'Z')) {
            ++pos;
        } else if (at(text, pos, '+') || at(text, pos, '-')) {
            const int sign = text[pos] == '-' ? -1 : 1;
            int hours = 0, minutes = 0;
            if (!digits(text, ++pos, 2, hours) || !at(text, pos, ':') ||
                !digits(text, ++pos, 2, minutes) || hours > 23 || minutes > 59)
                return 0;
            offset = sign * (hours * 60 + minutes) * 60;
        }
    }
    if (pos != text.size())
        return 0;
    time.year = static_cast<std::uint16_t>(year);
    time.month = static_cast<std::uint16_t>(month);
    time.day = static_cast<std::uint16_t>(day);
    time.hour = static_cast<std::uint16_t>(hour);
    time.minute = static_cast<std::uint16_t>(minute);
    time.second = static_cast<std::uint16_t>(second);
    platform::FileTime local = 0;
    if (!platform::systemTimeToFileTime(time, local))
        return 0;
    // The offset says how far the written time is ahead of UTC.
    const std::int64_t shift = static_cast<std::int64_t>(offset) * 10000000;
    if (shift > 0 && local <= static_cast<platform::FileTime>(shift))
        return 0;
    return static_cast<platform::FileTime>(static_cast<std::int64_t>(local) - shift);
}

std::string XbelFormat::formatdate(platform::FileTime time) {
    platform::SystemTime t;
    if (time == 0 || !platform::fileTimeToSystemTime(time, t))
        return {};
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02uZ", unsigned(t.year),
                  unsigned(t.month), unsigned(t.day), unsigned(t.hour), unsigned(t.minute),
                  unsigned(t.second));
    return text;
}

bool XbelFormat::looksxbel(std::string_view bytes) {
    const std::string_view head = bytes.substr(0, 4096);
    const std::size_t xbel = head.find("<xbel");
    const std::size_t netscape = head.find("NETSCAPE-Bookmark-file");
    return xbel != std::string_view::npos &&
           (netscape == std::string_view::npos || netscape > xbel);
}

} // namespace qx
