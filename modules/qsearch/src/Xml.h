#pragma once

#include <libxml/tree.h>
#include <libxml/xpath.h>

#include <memory>
#include <string>
#include <string_view>

namespace qsearch {

struct XmlDocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
struct XPathContextFree {
    void operator()(xmlXPathContext* context) const { xmlXPathFreeContext(context); }
};
struct XPathObjectFree {
    void operator()(xmlXPathObject* object) const { xmlXPathFreeObject(object); }
};
struct XPathCompFree {
    void operator()(xmlXPathCompExpr* expr) const { xmlXPathFreeCompExpr(expr); }
};
using XmlDoc = std::unique_ptr<xmlDoc, XmlDocFree>;
using XPathContext = std::unique_ptr<xmlXPathContext, XPathContextFree>;
using XPathObject = std::unique_ptr<xmlXPathObject, XPathObjectFree>;
using XPathComp = std::unique_ptr<xmlXPathCompExpr, XPathCompFree>;

// libxml2 reports every oddity of a hostile page on the standard error unless
// told otherwise; its handlers are per thread, so each reading thread calls this.
void silenceXml();

// Parses an HTML page; encoding empty means as the page declares it. Never
// null for non-empty input: the parser recovers from anything.
XmlDoc parseHtml(std::string_view bytes, const std::string& encoding);

// Parses a small UTF-8 HTML text (a title) with the calling thread's reused
// parser context, which spares a context's set-up per title.
XmlDoc parseHtmlFragment(std::string_view bytes);

// Parses an XML document (a feed) without fetching or expanding anything
// external; null when nothing could be made of it, and for a document that
// declares entities of its own.
XmlDoc parseXml(std::string_view bytes, const std::string& encoding);

// An XPath expression compiled once; null when it is not valid XPath.
XPathComp compileXPath(const std::string& expression);

// The string value of an XPath result (the first node of a node set).
std::string xpathString(xmlXPathObject* object);

} // namespace qsearch
