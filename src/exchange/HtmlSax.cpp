#include "exchange/HtmlSax.h"

#include <libxml/HTMLparser.h>

#include <climits>
#include <cstring>
#include <memory>

namespace qx {

namespace {

struct ContextFree {
    void operator()(htmlParserCtxt* context) const { htmlFreeParserCtxt(context); }
};

} // namespace

bool HtmlSax::named(const char* name, const char* what) {
    return xmlStrcasecmp(reinterpret_cast<const xmlChar*>(name),
                         reinterpret_cast<const xmlChar*>(what)) == 0;
}

std::string HtmlSax::trimmed(std::string_view text) {
    const char* blanks = " \t\r\n\f";
    const std::string_view::size_type first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(blanks) - first + 1));
}

std::string HtmlSax::attribute(const char** attrs, const char* name) {
    for (; attrs && attrs[0]; attrs += 2) {
        if (named(attrs[0], name) && attrs[1])
            return trimmed(attrs[1]);
    }
    return {};
}

void HtmlSax::onstart(void* context, const unsigned char* name, const unsigned char** attrs) {
    static_cast<HtmlSax*>(context)->start(reinterpret_cast<const char*>(name),
                                          reinterpret_cast<const char**>(attrs));
}

void HtmlSax::onend(void* context, const unsigned char* name) {
    static_cast<HtmlSax*>(context)->end(reinterpret_cast<const char*>(name));
}

void HtmlSax::ontext(void* context, const unsigned char* bytes, int length) {
    if (length > 0)
        static_cast<HtmlSax*>(context)->text(std::string_view(reinterpret_cast<const char*>(bytes),
                                                              static_cast<std::size_t>(length)));
}

bool HtmlSax::read(std::string_view bytes) {
    xmlInitParser();
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX))
        return false;
    std::unique_ptr<htmlParserCtxt, ContextFree> context(htmlNewParserCtxt());
    if (!context)
        return false;
    htmlSAXHandler events;
    std::memset(&events, 0, sizeof events);
    events.startElement = onstart;
    events.endElement = onend;
    events.characters = ontext;
    events.ignorableWhitespace = ontext;
    *context->sax = events;
    context->userData = this;
    const int options = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                        HTML_PARSE_NONET | XML_PARSE_HUGE;
    htmlCtxtReadMemory(context.get(), bytes.data(), static_cast<int>(bytes.size()), nullptr,
                       "UTF-8", options);
    return true;
}

} // namespace qx
