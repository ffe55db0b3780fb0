// An engine's JSON answer is hostile input: reading it by a SearXNG-shaped
// definition, with links, titles, dates, counts and scores made ready to go
// out, must survive any bytes and never hand out more than was wanted.
#include "PageReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qsearch::Definition def;
    def.fields = {"results", "title", "url", "publishedDate", "size", "score", "number_of_results"};
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
    return 0;
}
