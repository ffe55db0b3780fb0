#pragma once

#include "qsearch/WebSearch.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qsearch {

// One result ready to go out.
struct Result {
    std::string title;
    std::string url;
    bool dated = false;
    WSearchDate date{};
    std::int32_t size = 0;
    std::uint16_t fitness = 0;
};

// Hands items to the caller's result callback: the engine summary first,
// then the results of each page, those of one host under a heading of that
// host when the definition groups them. Titles are UTF-8, so the charset
// name is always empty.
class ItemEmitter {
public:
    ItemEmitter(const WSearchParam& param, bool groupByHost)
        : param_(param), groupByHost_(groupByHost) {}

    // False once the caller said it was stopped.
    bool summary(std::int32_t hits);
    bool page(const std::vector<Result>& results);

private:
    bool send(const char* level, const std::string& title, const std::string& url,
              const WSearchDate* date, std::int32_t size, std::uint16_t fitness);
    bool send(const char* level, const Result& result);

    const WSearchParam& param_;
    bool groupByHost_;
};

} // namespace qsearch
