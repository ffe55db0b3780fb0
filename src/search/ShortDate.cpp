#include "search/ShortDate.h"

#include "platform/DateTime.h"

#include <cstdio>

namespace qx {

ShortDate::ShortDate() {
    fields_[0] = {'d', 2};
    fields_[1] = {'M', 2};
    fields_[2] = {'y', 4};
}

ShortDate ShortDate::frompattern(std::string_view pattern) {
    ShortDate date;
    Field found[3];
    int count = 0;
    std::string separator;
    bool haveSeparator = false;
    bool seen[3] = {false, false, false};
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        const int kind = c == 'd' ? 0 : c == 'M' ? 1 : c == 'y' ? 2 : -1;
        if (kind < 0) {
            // Quoted literals and anything between the first two fields.
            if (count == 1 && !haveSeparator && c != '\'')
                separator += c;
            ++i;
            continue;
        }
        std::size_t run = 0;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        i += run;
        // Day names ("ddd") are no field of a numeric date; a month name makes
        // no numeric date at all.
        if (kind == 0 && run > 2)
            continue;
        if (kind == 1 && run > 2)
            return ShortDate();
        if (seen[kind] || count == 3)
            return ShortDate();
        seen[kind] = true;
        if (count == 1)
            haveSeparator = true;
        found[count++] = {c, kind == 2 ? (run <= 2 ? 2 : 4) : (run == 1 ? 1 : 2)};
    }
    if (count != 3 || separator.empty())
        return ShortDate();
    for (int k = 0; k < 3; ++k)
        date.fields_[k] = found[k];
    date.separator_ = separator;
    return date;
}

std::string ShortDate::format(platform::FileTime time) const {
    platform::SystemTime t;
    if (time == 0 || !platform::fileTimeToSystemTime(time, t))
        return {};
    std::string out;
    for (int k = 0; k < 3; ++k) {
        const Field& f = fields_[k];
        int value = f.letter == 'd' ? t.day : f.letter == 'M' ? t.month : t.year;
        if (f.letter == 'y' && f.width == 2)
            value %= 100;
        char digits[16];
        std::snprintf(digits, sizeof digits, "%0*d", f.width, value);
        if (k)
            out += separator_;
        out += digits;
    }
    return out;
}

} // namespace qx
