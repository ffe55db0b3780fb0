#include "Xml.h"

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <climits>
#include <memory>
#include <mutex>

namespace qsearch {

namespace {

constexpr int kHtmlOptions = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                             HTML_PARSE_NONET | HTML_PARSE_COMPACT;

void ignoreError(void*, xmlErrorPtr) {}
void ignoreGeneric(void*, const char*, ...) {}

int clampedSize(std::string_view bytes) {
    return bytes.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX
                                                            : static_cast<int>(bytes.size());
}

} // namespace

void silenceXml() {
    // libxml2 wants its global set-up done once before threads share it.
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
    xmlSetStructuredErrorFunc(nullptr, ignoreError);
    xmlSetGenericErrorFunc(nullptr, ignoreGeneric);
}

XmlDoc parseHtml(std::string_view bytes, const std::string& encoding) {
    silenceXml();
    return XmlDoc(htmlReadMemory(bytes.data(), clampedSize(bytes), "",
                                 encoding.empty() ? nullptr : encoding.c_str(), kHtmlOptions));
}

XmlDoc parseHtmlFragment(std::string_view bytes) {
    silenceXml();
    struct ContextFree {
        void operator()(htmlParserCtxt* context) const { htmlFreeParserCtxt(context); }
    };
    thread_local std::unique_ptr<htmlParserCtxt, ContextFree> context(htmlNewParserCtxt());
    if (!context)
        return parseHtml(bytes, "UTF-8");
    return XmlDoc(htmlCtxtReadMemory(context.get(), bytes.data(), clampedSize(bytes), "", "UTF-8",
                                     kHtmlOptions));
}

XmlDoc parseXml(std::string_view bytes, const std::string& encoding) {
    silenceXml();
    XmlDoc doc(xmlReadMemory(bytes.data(), clampedSize(bytes), "",
                             encoding.empty() ? nullptr : encoding.c_str(),
                             XML_PARSE_RECOVER | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                                 XML_PARSE_NONET | XML_PARSE_NOCDATA | XML_PARSE_COMPACT));
    // No feed needs entities of its own; reading the text of nested ones would
    // expand them without bound (the "billion laughs").
    if (doc && doc->intSubset && doc->intSubset->entities)
        return {};
    return doc;
}

XPathComp compileXPath(const std::string& expression) {
    silenceXml();
    return XPathComp(xmlXPathCompile(reinterpret_cast<const xmlChar*>(expression.c_str())));
}

std::string xpathString(xmlXPathObject* object) {
    if (!object)
        return {};
    xmlChar* text = xmlXPathCastToString(object);
    if (!text)
        return {};
    std::string out(reinterpret_cast<const char*>(text));
    xmlFree(text);
    return out;
}

} // namespace qsearch
