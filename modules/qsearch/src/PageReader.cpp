#include "PageReader.h"

#include "DateParser.h"
#include "Template.h"
#include "TextCleaner.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <strings.h>

namespace qsearch {

namespace {

// The charset parameter of a Content-Type value, quotes removed.
std::string charsetOf(const std::string& contentType) {
    std::size_t at = 0;
    while ((at = contentType.find(';', at)) != std::string::npos) {
        ++at;
        const std::size_t start = contentType.find_first_not_of(" \t", at);
        if (start == std::string::npos)
            break;
        if (strncasecmp(contentType.c_str() + start, "charset=", 8) != 0)
            continue;
        std::string value = contentType.substr(start + 8);
        value = value.substr(0, value.find_first_of("; \t"));
        value.erase(std::remove(value.begin(), value.end(), '"'), value.end());
        return value;
    }
    return {};
}

// A count as pages write it ("About 1,234,567 results", "1 234"): the first
// run of digits, group separators inside it skipped.
std::int64_t count(const std::string& text) {
    const std::size_t first = text.find_first_of("0123456789");
    if (first == std::string::npos)
        return -1;
    std::int64_t value = 0;
    for (std::size_t i = first; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            value = std::min<std::int64_t>(value * 10 + (c - '0'), INT32_MAX);
            continue;
        }
        // A separator counts only with a digit right after it: ",", ".", a
        // blank, an apostrophe, or a no-break or narrow no-break space.
        std::size_t width = 0;
        if (c == ',' || c == '.' || c == ' ' || c == '\'')
            width = 1;
        else if (text.compare(i, 2, "\xC2\xA0") == 0)
            width = 2;
        else if (text.compare(i, 3, "\xE2\x80\xAF") == 0)
            width = 3;
        if (width == 0 || i + width >= text.size() || text[i + width] < '0' ||
            text[i + width] > '9')
            break;
        i += width - 1;
    }
    return value;
}

std::uint16_t scoreFitness(const std::string& score, double scale) {
    char* end = nullptr;
    const double value = std::strtod(score.c_str(), &end);
    if (end == score.c_str() || !std::isfinite(value))
        return 0;
    return static_cast<std::uint16_t>(
        std::clamp(std::lround(std::clamp(value * scale, 0.0, 65535.0)), 0L, 65535L));
}

// 10000 for the first result, falling linearly to the last wanted.
std::uint16_t rankFitness(int rank, int wanted) {
    return static_cast<std::uint16_t>(10000L * (wanted - rank) / wanted);
}

} // namespace

PageReader::PageReader(const Definition& definition, int wanted)
    : definition_(definition), wanted_(wanted), extractor_(Extractor::create(definition)),
      links_(definition.redirectParam) {}

bool PageReader::read(const Page& page, std::vector<Result>& results, std::int64_t& total) {
    results.clear();
    total = -1;
    PageResults raw;
    if (!extractor_ ||
        !extractor_->extract(page.body, charsetOf(page.contentType),
                             static_cast<std::size_t>(std::max(wanted_, 0)) + seen_.size(), raw))
        return false;
    entries_ = raw.results.size();
    for (const RawResult& entry : raw.results) {
        if (delivered_ >= wanted_)
            break;
        Result result;
        result.url =
            definition_.urlTemplate.empty() || entry.url.empty()
                ? links_.resolve(page.url, entry.url)
                : links_.resolve(
                      {}, Template::expand(definition_.urlTemplate,
                                           {{"url", Template::escape(entry.url, "%20", "/")}}));
        if (result.url.empty() || !seen_.insert(result.url).second)
            continue;
        result.title = TextCleaner::clean(entry.title);
        result.dated = DateParser::parse(entry.date, result.date);
        result.size = static_cast<std::int32_t>(std::max<std::int64_t>(count(entry.size), 0));
        result.fitness = entry.score.empty() ? rankFitness(delivered_, wanted_)
                                             : scoreFitness(entry.score, definition_.scoreScale);
        results.push_back(std::move(result));
        ++delivered_;
    }
    total = count(raw.total);
    return true;
}

} // namespace qsearch
