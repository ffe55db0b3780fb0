// A search module for the tests: it replays the lines of the script named by
// QX_FAKE_SEARCH_SCRIPT that belong to the engine it is asked for. Lines are
// tab-separated, the first field the engine number ("*" for every engine):
//   N  item  LEVEL  TITLE  URL  CHARSET  SIZE  FITNESS  [YYYY-MM-DD]
//   N  sleep MS
//   N  waitstop          blocks until the stop event fires, then returns 1223
//   N  return CODE
//   N  query             an item whose title is the query and its mode, max,
//                        exclusion, engine and access type as "k=v" words
// An item the program refuses (callback 0) ends the run with 1223.
#include <qsearch/WebSearch.h>

#include <poll.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#ifndef FAKE_ABI_VERSION
#define FAKE_ABI_VERSION WSEARCH_ABI_VERSION
#endif

namespace {

std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, '\t');)
        fields.push_back(field);
    return fields;
}

[[maybe_unused]] int32_t replay(const WSearchParam* param) {
    // As a real module's first network handle would, so that the worker's
    // start wait ends.
    param->status(param->statusContext, WSEARCH_STATUS_HANDLE_CREATED, nullptr, 0);
    const char* path = std::getenv("QX_FAKE_SEARCH_SCRIPT");
    std::ifstream script(path ? path : "");
    const std::string engine = std::to_string(param->engine);
    for (std::string line; std::getline(script, line);) {
        std::vector<std::string> f = split(line);
        if (f.size() < 2 || (f[0] != "*" && f[0] != engine))
            continue;
        f.resize(10);
        if (f[1] == "sleep") {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(f[2].c_str())));
        } else if (f[1] == "waitstop") {
            pollfd stop{param->stopEvent, POLLIN, 0};
            while (poll(&stop, 1, -1) != 1) {
            }
            return 1223;
        } else if (f[1] == "return") {
            return std::atoi(f[2].c_str());
        } else if (f[1] == "query") {
            std::ostringstream text;
            text << param->query << " mode=" << param->queryMode << " max=" << param->max
                 << " exclude=" << param->exclude << " engine=" << param->engine
                 << " access=" << param->accessType << " proxy=" << param->proxy;
            const std::string title = text.str();
            WSearchItem item{":", title.c_str(), "http://query.example/", nullptr, "", 0, 0};
            if (!param->result(&item, param->resultContext))
                return 1223;
        } else if (f[1] == "item") {
            WSearchDate date{};
            WSearchItem item{f[2].c_str(),
                             f[3].c_str(),
                             f[4].c_str(),
                             nullptr,
                             f[5].c_str(),
                             std::atoi(f[6].c_str()),
                             static_cast<uint16_t>(std::atoi(f[7].c_str()))};
            if (f[8].size() == 10) {
                date.year = static_cast<uint16_t>(std::atoi(f[8].substr(0, 4).c_str()));
                date.month = static_cast<uint16_t>(std::atoi(f[8].substr(5, 2).c_str()));
                date.day = static_cast<uint16_t>(std::atoi(f[8].substr(8, 2).c_str()));
                item.date = &date;
            }
            if (!param->result(&item, param->resultContext))
                return 1223;
        }
    }
    return 0;
}

} // namespace

extern "C" {

#ifndef FAKE_NO_ENTRY
QSEARCH_EXPORT int32_t WebSearch(const WSearchParam* param) {
    return replay(param);
}
#endif

QSEARCH_EXPORT int WebSearchAbiVersion(void) {
    return FAKE_ABI_VERSION;
}

} // extern "C"
