#include "search/WSearchInfo.h"

#include "model/Charset.h"

#include <qsearch/WebSearch.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <string_view>

namespace qx {

WSearchInfo WSearchInfo::fromitem(const WSearchItem& item, std::uint32_t server,
                                  std::uint32_t level, std::uint32_t sequence) {
    WSearchInfo info;
    info.server = server;
    info.level = level;
    info.url = capped(item.url, kTextCap);
    info.title = cleantitle(capped(item.title, kTextCap).view());
    if (const WSearchDate* date = item.date) {
        info.date = {date->year, date->month,  date->dayOfWeek, date->day,
                     date->hour, date->minute, date->second,    date->milliseconds};
    }
    info.charset = Charset::fromresult(capped(item.charset, kNameCap).view());
    info.size = level == 0 ? 0 : item.size;
    info.fitness = item.fitness;
    info.sequence = sequence;
    return info;
}

bool WSearchInfo::fileableurl(std::string_view url) {
    const auto startswith = [url](std::string_view scheme) {
        return url.size() > scheme.size() &&
               std::equal(scheme.begin(), scheme.end(), url.begin(), [](char a, char b) {
                   return a == std::tolower(static_cast<unsigned char>(b));
               });
    };
    if (!startswith("http://") && !startswith("https://"))
        return false;
    return std::none_of(url.begin(), url.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

Str WSearchInfo::cleantitle(std::string_view title) {
    std::string out;
    out.reserve(title.size());
    for (const char c : title) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f')
            out += ' ';
        else if (byte >= 0x20 && byte != 0x7F)
            out += c;
    }
    return Str(out);
}

std::uint32_t WSearchInfo::countlevel(const char* leveltext) {
    if (!leveltext) {
        return 0;
    }
    std::uint32_t level = 0;
    for (std::size_t i = 0; i < kNameCap && leveltext[i]; ++i) {
        level += leveltext[i] == ':';
    }
    return level;
}

Str WSearchInfo::capped(const char* text, std::size_t cap) {
    if (!text) {
        return {};
    }
    return Str(std::string_view(text, strnlen(text, cap)));
}

} // namespace qx
