#include "XPathExtractor.h"

#include "JsonExtractor.h"

namespace qsearch {

namespace {

// RSS 2.0 items and Atom entries, by local names so that neither namespace
// needs registering; an RSS link is the element's text, an Atom link its href.
const FieldRules kFeedRules = {
    "//*[local-name()='item' or local-name()='entry']",
    "string(*[local-name()='title'])",
    "concat(*[local-name()='link'][not(@href)][1], "
    "(*[local-name()='link'][@href][not(@rel) or @rel='alternate'])[1]/@href)",
    "string((*[local-name()='pubDate' or local-name()='published' or local-name()='updated' or "
    "local-name()='date'])[1])",
    "",
    "",
    "string((//*[local-name()='totalResults'])[1])",
};

const std::string& pick(const std::string& own, const std::string& fallback, bool feed) {
    return own.empty() && feed ? fallback : own;
}

std::string evaluate(xmlXPathCompExpr* expression, xmlXPathContext* context, xmlNode* node) {
    if (!expression)
        return {};
    context->node = node;
    XPathObject value(xmlXPathCompiledEval(expression, context));
    return xpathString(value.get());
}

} // namespace

XPathExtractor::XPathExtractor(const FieldRules& fields, bool feed, std::string pageEncoding)
    : feed_(feed), pageEncoding_(std::move(pageEncoding)) {
    const std::pair<const std::string*, XPathComp*> all[] = {
        {&pick(fields.results, kFeedRules.results, feed), &results_},
        {&pick(fields.title, kFeedRules.title, feed), &title_},
        {&pick(fields.url, kFeedRules.url, feed), &url_},
        {&pick(fields.date, kFeedRules.date, feed), &date_},
        {&fields.size, &size_},
        {&fields.score, &score_},
        {&pick(fields.total, kFeedRules.total, feed), &total_}};
    for (const auto& [expression, compiled] : all) {
        if (expression->empty())
            continue;
        *compiled = compileXPath(*expression);
        if (!*compiled)
            valid_ = false;
    }
    if (!results_)
        valid_ = false;
}

bool XPathExtractor::extract(std::string_view body, const std::string& charset, std::size_t limit,
                             PageResults& out) const {
    out = PageResults();
    if (!valid_)
        return false;
    const std::string& encoding = !charset.empty() ? charset : pageEncoding_;
    XmlDoc doc = feed_ ? parseXml(body, encoding) : parseHtml(body, encoding);
    if (!doc)
        return false;
    XPathContext context(xmlXPathNewContext(doc.get()));
    if (!context)
        return false;
    XPathObject nodes(xmlXPathCompiledEval(results_.get(), context.get()));
    if (!nodes || nodes->type != XPATH_NODESET)
        return false;
    const int count = nodes->nodesetval ? nodes->nodesetval->nodeNr : 0;
    for (int i = 0; i < count && out.results.size() < limit; ++i) {
        xmlNode* node = nodes->nodesetval->nodeTab[i];
        RawResult result{
            evaluate(title_.get(), context.get(), node), evaluate(url_.get(), context.get(), node),
            evaluate(date_.get(), context.get(), node), evaluate(size_.get(), context.get(), node),
            evaluate(score_.get(), context.get(), node)};
        out.results.push_back(std::move(result));
    }
    out.total = evaluate(total_.get(), context.get(), reinterpret_cast<xmlNode*>(doc.get()));
    return true;
}

std::unique_ptr<Extractor> Extractor::create(const Definition& definition) {
    if (definition.kind == ResponseKind::Json)
        return std::make_unique<JsonExtractor>(definition.fields, definition.pageEncoding);
    auto extractor = std::make_unique<XPathExtractor>(
        definition.fields, definition.kind == ResponseKind::Feed, definition.pageEncoding);
    if (!extractor->valid())
        return nullptr;
    return extractor;
}

} // namespace qsearch
