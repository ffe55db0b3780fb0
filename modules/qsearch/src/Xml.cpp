#include "Xml.h"

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <climits>

namespace qsearch {

namespace {

void ignoreError(void*, xmlErrorPtr) {}
void ignoreGeneric(void*, const char*, ...) {}

int clampedSize(std::string_view bytes) {
    return bytes.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX
                                                            : static_cast<int>(bytes.size());
}

} // namespace

void silenceXml() {
    xmlSetStructuredErrorFunc(nullptr, ignoreError);
    xmlSetGenericErrorFunc(nullptr, ignoreGeneric);
}

XmlDoc parseHtml(std::string_view bytes, const std::string& encoding) {
    silenceXml();
    return XmlDoc(htmlReadMemory(bytes.data(), clampedSize(bytes), "",
                                 encoding.empty() ? nullptr : encoding.c_str(),
                                 HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                                     HTML_PARSE_NONET | HTML_PARSE_COMPACT));
}

XmlDoc parseXml(std::string_view bytes, const std::string& encoding) {
    silenceXml();
    return XmlDoc(xmlReadMemory(bytes.data(), clampedSize(bytes), "",
                                encoding.empty() ? nullptr : encoding.c_str(),
                                XML_PARSE_RECOVER | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                                    XML_PARSE_NONET | XML_PARSE_NOCDATA | XML_PARSE_COMPACT));
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
