// Engine result pages and feeds are hostile input: reading them by XPath rules
// (the first byte picks an HTML page or a feed, and a charset) with links
// resolved and unwrapped, titles cleaned and dates read must survive any bytes.
#include "PageReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    qsearch::Definition def;
    const bool feed = data[0] & 1;
    def.kind = feed ? qsearch::ResponseKind::Feed : qsearch::ResponseKind::Html;
    if (!feed)
        def.fields = {"//li[a]", "string(a)", "string(a/@href)",           "string(span)",
                      "",        "",          "string(//div[@id='total'])"};
    def.redirectParam = "u";
    def.groupByHost = data[0] & 2;
    static const char* const kCharsets[] = {"", "", "windows-1251", "koi8-r"};
    qsearch::PageReader reader(def, 50);
    qsearch::Page page;
    page.body.assign(reinterpret_cast<const char*>(data) + 1, size - 1);
    page.url = "http://engine.example/a/b?q=x";
    page.contentType = std::string("text/html; charset=") + kCharsets[(data[0] >> 2) & 3];
    std::vector<qsearch::Result> results;
    std::int64_t total = 0;
    reader.read(page, results, total);
    if (reader.delivered() > 50)
        __builtin_trap();
    return 0;
}
