#include "JsonExtractor.h"

#include "JsonTree.h"
#include "Recoder.h"

#include <cmath>
#include <cstdio>
#include <strings.h>

namespace qsearch {

namespace {

using nlohmann::json;

// A field as text: texts as they are, numbers written out, anything else empty.
std::string fieldText(const json& entry, const std::string& path) {
    if (path.empty())
        return {};
    const json* value = JsonTree::find(entry, path);
    if (!value)
        return {};
    if (value->is_string())
        return value->get<std::string>();
    if (value->is_number_integer())
        return value->is_number_unsigned() ? std::to_string(value->get<std::uint64_t>())
                                           : std::to_string(value->get<std::int64_t>());
    if (value->is_number_float()) {
        const double number = value->get<double>();
        if (!std::isfinite(number))
            return {};
        char text[64];
        std::snprintf(text, sizeof text, "%.17g", number);
        return text;
    }
    return {};
}

} // namespace

bool JsonExtractor::extract(std::string_view body, const std::string& charset, std::size_t limit,
                            PageResults& out) const {
    out = PageResults();
    // JSON is UTF-8; an engine that answers in another charset says so in its
    // header or its definition.
    const std::string& from = !charset.empty() ? charset : pageEncoding_;
    std::string converted;
    if (!from.empty() && strcasecmp(from.c_str(), "utf-8") != 0 &&
        Recoder::convert(body, from, "UTF-8", converted))
        body = converted;
    json root;
    if (!JsonTree::parse(body, root, nullptr))
        return false;
    const json* results = JsonTree::find(root, fields_.results);
    if (!results || !results->is_array())
        return false;
    for (const json& entry : *results) {
        if (out.results.size() >= limit)
            break;
        RawResult result{fieldText(entry, fields_.title), fieldText(entry, fields_.url),
                         fieldText(entry, fields_.date), fieldText(entry, fields_.size),
                         fieldText(entry, fields_.score)};
        out.results.push_back(std::move(result));
    }
    out.total = fieldText(root, fields_.total);
    return true;
}

} // namespace qsearch
