#include "search/WSearchInfo.h"

#include "model/Charset.h"

#include <qsearch/WebSearch.h>

#include <cstring>
#include <string_view>

namespace qx {

WSearchInfo WSearchInfo::fromitem(const WSearchItem& item, std::uint32_t server,
                                  std::uint32_t level, std::uint32_t sequence) {
    WSearchInfo info;
    info.server = server;
    info.level = level;
    info.url = capped(item.url, kTextCap);
    info.title = capped(item.title, kTextCap);
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
