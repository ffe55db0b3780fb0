#include "SearchRecorders.h"

namespace qx::test {

WSearchInfo resultitem(std::uint32_t level, const char* title, const char* url,
                       std::uint32_t server, std::uint32_t fitness, std::uint32_t sequence) {
    WSearchInfo item;
    item.level = level;
    item.title = Str(title);
    item.url = Str(url);
    item.server = server;
    item.fitness = fitness;
    item.sequence = sequence;
    return item;
}

} // namespace qx::test
