#include "DateParser.h"

#include <curl/curl.h>

#include <cctype>
#include <ctime>
#include <string>

namespace qsearch {

namespace {

// Reads exactly count digits at pos.
bool digits(std::string_view text, std::size_t& pos, int count, int& value) {
    if (pos + static_cast<std::size_t>(count) > text.size())
        return false;
    value = 0;
    for (int i = 0; i < count; ++i) {
        const char c = text[pos + static_cast<std::size_t>(i)];
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    pos += static_cast<std::size_t>(count);
    return true;
}

bool take(std::string_view text, std::size_t& pos, char c) {
    if (pos < text.size() && text[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

// ISO 8601 into seconds since 1970 and milliseconds.
bool parseIso(std::string_view text, std::time_t& seconds, int& millis) {
    std::size_t pos = 0;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    millis = 0;
    if (!digits(text, pos, 4, year) || !take(text, pos, '-') || !digits(text, pos, 2, month) ||
        !take(text, pos, '-') || !digits(text, pos, 2, day))
        return false;
    long offset = 0;
    if (take(text, pos, 'T') || take(text, pos, ' ')) {
        if (!digits(text, pos, 2, hour) || !take(text, pos, ':') || !digits(text, pos, 2, minute))
            return false;
        if (take(text, pos, ':') && !digits(text, pos, 2, second))
            return false;
        if (take(text, pos, '.') || take(text, pos, ',')) {
            int scale = 100;
            while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
                millis += (text[pos++] - '0') * scale;
                scale /= 10;
            }
        }
        if (take(text, pos, 'Z')) {
        } else if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            const long sign = text[pos++] == '-' ? -1 : 1;
            int oh = 0, om = 0;
            if (!digits(text, pos, 2, oh))
                return false;
            take(text, pos, ':');
            digits(text, pos, 2, om);
            offset = sign * (oh * 3600L + om * 60L);
        }
    }
    if (pos != text.size() || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 ||
        minute > 59 || second > 60)
        return false;
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    seconds = timegm(&tm) - offset;
    return true;
}

} // namespace

bool DateParser::parse(std::string_view text, WSearchDate& out) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    if (text.empty() || text.size() > 100)
        return false;
    std::time_t seconds = 0;
    int millis = 0;
    // Seconds since 1970, as some APIs give dates: nine digits at least, so
    // that a bare year is not read as one.
    const bool epoch = text.size() >= 9 && text.size() <= 12 &&
                       text.find_first_not_of("0123456789") == std::string_view::npos;
    if (epoch) {
        seconds = static_cast<std::time_t>(std::stoll(std::string(text)));
    } else if (!parseIso(text, seconds, millis)) {
        const std::string copy(text);
        seconds = curl_getdate(copy.c_str(), nullptr);
        if (seconds == -1)
            return false;
    }
    std::tm tm{};
    if (!gmtime_r(&seconds, &tm) || tm.tm_year + 1900 < 1601 || tm.tm_year + 1900 > 30827)
        return false;
    out.year = static_cast<uint16_t>(tm.tm_year + 1900);
    out.month = static_cast<uint16_t>(tm.tm_mon + 1);
    out.dayOfWeek = static_cast<uint16_t>(tm.tm_wday);
    out.day = static_cast<uint16_t>(tm.tm_mday);
    out.hour = static_cast<uint16_t>(tm.tm_hour);
    out.minute = static_cast<uint16_t>(tm.tm_min);
    out.second = static_cast<uint16_t>(tm.tm_sec);
    out.milliseconds = static_cast<uint16_t>(millis);
    return true;
}

} // namespace qsearch
