#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>

namespace qsearch {

// Texts with {name} placeholders: URL templates and word rules.
class Template {
public:
    // Replaces every {name} by its value; a name without a value stays as it is.
    static std::string expand(std::string_view text,
                              const std::map<std::string, std::string>& values);

    // Empty when every placeholder is one of the allowed names and the braces
    // pair up; else what is wrong.
    static std::string check(std::string_view text,
                             std::initializer_list<std::string_view> allowed);
};

} // namespace qsearch
