#pragma once

#include "platform/FileTime.h"

#include <string>
#include <string_view>

namespace qx {

// The user's short date: day, month and year in the order, with the separator
// and the widths of the regional short-date pattern ("dd.MM.yyyy", "M/d/yy",
// "yyyy-MM-dd" ...). The pattern is handed in by the caller that knows the
// locale; a pattern without all three numeric fields gives day.month.year.
class ShortDate {
public:
    ShortDate();
    static ShortDate frompattern(std::string_view pattern);

    // The date of a UTC file time; empty for 0 (never) or a time past the
    // calendar.
    std::string format(platform::FileTime time) const;

private:
    struct Field {
        char letter = 'd';
        int width = 2; // digits at least; a year of width 2 shows its last two
    };
    Field fields_[3];
    std::string separator_ = ".";
};

} // namespace qx
