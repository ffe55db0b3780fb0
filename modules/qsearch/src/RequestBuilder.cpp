#include "RequestBuilder.h"

#include "Recoder.h"
#include "Template.h"

#include <algorithm>
#include <vector>

namespace qsearch {

namespace {

std::vector<std::string_view> words(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t start = text.find_first_not_of(" \t\r\n", at);
        if (start == std::string_view::npos)
            break;
        const std::size_t end = std::min(text.find_first_of(" \t\r\n", start), text.size());
        out.push_back(text.substr(start, end - start));
        at = end;
    }
    return out;
}

std::string apply(const WordRule& rule, std::string_view text) {
    const std::vector<std::string_view> list = words(text);
    if (list.empty())
        return {};
    std::string joined;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0)
            joined += rule.join;
        joined += Template::expand(rule.word, {{"w", std::string(list[i])}});
    }
    return Template::expand(rule.whole, {{"q", joined}});
}

} // namespace

RequestBuilder::RequestBuilder(const Definition& definition, std::string_view query, int mode,
                               std::string_view exclude, int wanted)
    : definition_(definition), perPage_(std::clamp(wanted, 1, definition.pageSize)) {
    const WordRule& rule = definition.modes[mode >= 0 && mode < 4 ? mode : 0];
    query_ = apply(rule, query);
    exclude_ = apply(definition.exclude, exclude);
    if (!exclude_.empty() && definition.url.find("{exclude}") == std::string::npos)
        query_ += (query_.empty() ? "" : " ") + exclude_;
}

std::string RequestBuilder::encode(std::string_view utf8) const {
    std::string bytes(utf8);
    if (!definition_.encoding.empty())
        Recoder::convert(utf8, "UTF-8", definition_.encoding, bytes);
    return Template::escape(bytes, definition_.space);
}

std::string RequestBuilder::address(int page) const {
    return Template::expand(
        definition_.url,
        {{"query", encode(query_)},
         {"exclude", encode(exclude_)},
         {"max", std::to_string(perPage_)},
         {"page", std::to_string(definition_.firstPage + page)},
         {"offset", std::to_string(definition_.firstOffset + page * definition_.pageSize)}});
}

bool RequestBuilder::pages() const {
    return definition_.url.find("{page}") != std::string::npos ||
           definition_.url.find("{offset}") != std::string::npos;
}

} // namespace qsearch
