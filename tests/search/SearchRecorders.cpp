#include "SearchRecorders.h"

#include "lang/Language.h"

#include <cstdlib>

namespace qx::test {

std::unique_ptr<Language> englishlanguage() {
    const char* folder = std::getenv("QX_PROGRAM_DIR");
    if (!folder) {
        return nullptr;
    }
    auto language = std::make_unique<Language>(folder);
    std::string code = "enu";
    return language->load(code) == 0 ? std::move(language) : nullptr;
}

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
