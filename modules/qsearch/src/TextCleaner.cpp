#include "TextCleaner.h"

#include "Xml.h"

namespace qsearch {

namespace {

std::string collapse(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool blank = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
            blank = !out.empty();
            continue;
        }
        if (blank)
            out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

// Two passes at most: a feed escapes the markup of a title once, so the first
// pass may reveal tags that the second strips.
constexpr int kPasses = 2;

} // namespace

std::string TextCleaner::clean(std::string_view text) {
    std::string current(text);
    for (int pass = 0; pass < kPasses; ++pass) {
        if (current.find_first_of("<&") == std::string::npos)
            break;
        const std::string fragment = "<html><body><p>" + current + "</p></body></html>";
        XmlDoc doc = parseHtml(fragment, "UTF-8");
        xmlNode* root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
        if (!root)
            return {};
        xmlChar* content = xmlNodeGetContent(root);
        current = content ? reinterpret_cast<const char*>(content) : "";
        xmlFree(content);
    }
    return collapse(current);
}

} // namespace qsearch
