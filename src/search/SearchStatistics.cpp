#include "search/SearchStatistics.h"

#include "model/SearchProp.h"

namespace qx {

std::vector<std::string> SearchStatistics::columns(std::string_view titles) {
    std::vector<std::string> out;
    while (!titles.empty() && out.size() < kMaxColumns) {
        const std::size_t bar = titles.find('|');
        out.emplace_back(titles.substr(0, bar));
        if (bar == std::string_view::npos)
            break;
        titles.remove_prefix(bar + 1);
    }
    return out;
}

std::vector<SearchStatistics::Row> SearchStatistics::rows(const SearchProp& search,
                                                          std::string_view totalTitle,
                                                          const EngineName& engineName,
                                                          const ShortDate& date) {
    std::vector<Row> out;
    out.push_back({std::string(totalTitle), std::to_string(search.total),
                   std::to_string(search.added), std::to_string(search.broken),
                   date.format(search.time)});
    for (auto* node = search.serverinfo.first(); node;
         node = static_cast<ServerInfoNode*>(node->next())) {
        const ServerInfo& info = node->info;
        out.push_back(
            {engineName(info.server), std::to_string(info.found),
             info.error.empty() ? std::to_string(info.added) : std::string(info.error.view()),
             std::string(), date.format(info.time)});
    }
    return out;
}

} // namespace qx
