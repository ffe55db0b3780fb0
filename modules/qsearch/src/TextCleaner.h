#pragma once

#include <string>
#include <string_view>

namespace qsearch {

// Titles as the program shows them: UTF-8 text with entities resolved, markup
// stripped and runs of white space made one blank. Engines put both entities
// and tags (highlighted words) into their titles, and feeds escape them once
// more; the text is read as an HTML fragment by libxml2.
class TextCleaner {
public:
    static std::string clean(std::string_view text);
};

} // namespace qsearch
