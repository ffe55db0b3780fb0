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

    // The bytes percent-encoded for an address: letters, digits, "-._~" and
    // the bytes of keep stay, a blank becomes space, anything else %XX.
    static std::string escape(std::string_view bytes, std::string_view space,
                              std::string_view keep = {});

    // Empty when every placeholder is one of the allowed names and the braces
    // pair up; else what is wrong.
    static std::string check(std::string_view text,
                             std::initializer_list<std::string_view> allowed);
};

} // namespace qsearch
