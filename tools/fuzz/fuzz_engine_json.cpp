// An engine's JSON answer is hostile input: reading it by a SearXNG-shaped
// definition, and by one that makes addresses from a template (as for
// Wikipedia's titles), with links, titles, dates, counts and scores made ready
// to go out, must survive any bytes and never hand out more than was wanted.
#include "PageReader.h"

#include <cstddef>
#include <cstdint>

namespace {

void readTwice(const qsearch::Definition& def, const std::uint8_t* data, std::size_t size) {
    qsearch::PageReader reader(def, 20);
    qsearch::Page page;
    page.body.assign(reinterpret_cast<const char*>(data), size);
    page.url = "http://engine.example/search?q=x";
    page.contentType = "application/json";
    std::vector<qsearch::Result> results;
    std::int64_t total = 0;
    reader.read(page, results, total);
    reader.read(page, results, total);
    if (reader.delivered() > 20)
        __builtin_trap();
    for (const qsearch::Result& result : results) {
        if (!def.urlTemplate.empty() && result.url.rfind("https://e.example/", 0) != 0)
            __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qsearch::Definition searx;
    searx.fields = {"results",          "title", "url", "publishedDate", "size", "score",
                    "number_of_results"};
    readTwice(searx, data, size);
    qsearch::Definition templated;
    templated.fields = {"query.search", "title.0", "title", "timestamp", "size", "", "total"};
    templated.urlTemplate = "https://e.example/wiki/{url}";
    readTwice(templated, data, size);
    return 0;
}
