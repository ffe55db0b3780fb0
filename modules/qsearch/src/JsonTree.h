#pragma once

#include <nlohmann/json.hpp>

#include <map>
#include <string>
#include <string_view>

namespace qsearch {

// Reads JSON text into a tree without exceptions and without recursion, and
// refuses nesting deeper than kMaxDepth so that a hostile page cannot exhaust
// memory with brackets. Optionally notes the line of every value, keyed by its
// JSON pointer ("/engines/3/url"), for messages that point into the text.
class JsonTree {
public:
    static constexpr int kMaxDepth = 64;

    // False when the text is not one JSON value; error then says why and on
    // which line.
    static bool parse(std::string_view text, nlohmann::json& out, std::string* error,
                      std::map<std::string, int>* lines = nullptr);

    // The value at a dotted path ("data.items.0.title"; digits index an
    // array), or null when there is none. An empty path is the value itself.
    static const nlohmann::json* find(const nlohmann::json& root, std::string_view path);
};

} // namespace qsearch
