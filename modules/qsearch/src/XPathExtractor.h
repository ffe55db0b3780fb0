#pragma once

#include "Extractor.h"
#include "Xml.h"

namespace qsearch {

// Results of an HTML page or an RSS/Atom feed: the nodes the results
// expression selects, each field an XPath expression evaluated on its node.
// Feeds come with rules of their own for RSS 2.0 and Atom, which a
// definition may replace field by field.
class XPathExtractor : public Extractor {
public:
    // False in valid when an expression does not compile.
    XPathExtractor(const FieldRules& fields, bool feed, std::string pageEncoding);

    bool extract(std::string_view body, const std::string& charset, std::size_t limit,
                 PageResults& out) const override;

    bool valid() const { return valid_; }

private:
    bool feed_;
    std::string pageEncoding_;
    XPathComp results_;
    XPathComp title_;
    XPathComp url_;
    XPathComp date_;
    XPathComp size_;
    XPathComp score_;
    XPathComp total_;
    bool valid_ = true;
};

} // namespace qsearch
