#include "TextCleaner.h"

#include "Xml.h"

#include <libxml/HTMLparser.h>
#include <libxml/parserInternals.h>

#include <algorithm>
#include <cstdlib>

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

// Entities of a text without tags, by libxml2's table of HTML entities: the
// same answer as a parse, without a document per title. An '&' that starts no
// known entity stays as it is.
std::string decodeEntities(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t amp = text.find('&', at);
        if (amp == std::string_view::npos) {
            out.append(text.substr(at));
            break;
        }
        out.append(text.substr(at, amp - at));
        at = amp + 1;
        const std::size_t semi = text.find(';', amp);
        constexpr std::size_t kLongestName = 32;
        if (semi == std::string_view::npos || semi - amp - 1 > kLongestName || semi == amp + 1) {
            out += '&';
            continue;
        }
        const std::string name(text.substr(amp + 1, semi - amp - 1));
        unsigned long code = 0;
        if (name[0] == '#') {
            const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
            char* end = nullptr;
            const char* digits = name.c_str() + (hex ? 2 : 1);
            code = std::strtoul(digits, &end, hex ? 16 : 10);
            if (end == digits || *end != '\0')
                code = 0;
        } else if (const htmlEntityDesc* entity =
                       htmlEntityLookup(reinterpret_cast<const xmlChar*>(name.c_str()))) {
            code = entity->value;
        }
        if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            out += '&';
            continue;
        }
        xmlChar bytes[8] = {};
        const int length = xmlCopyCharMultiByte(bytes, static_cast<int>(code));
        out.append(reinterpret_cast<const char*>(bytes),
                   static_cast<std::size_t>(std::max(length, 0)));
        at = semi + 1;
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
        if (current.find('<') == std::string::npos) {
            current = decodeEntities(current);
            continue;
        }
        const std::string fragment = "<html><body><p>" + current + "</p></body></html>";
        XmlDoc doc = parseHtmlFragment(fragment);
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
