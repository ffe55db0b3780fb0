#include "exchange/LinkBytes.h"

#include "exchange/ExchangeFormats.h"
#include "exchange/HtmlEscape.h"
#include "exchange/UriText.h"
#include "model/Object.h"
#include "model/Ref.h"

namespace qx::exchange {

namespace {

void collect(const Ref& node, std::vector<Link>& out) {
    if (const Object* page = node.target(); page && !page->props().url.empty()) {
        const ObjectProp& props = page->props();
        out.push_back({std::string(props.url.view()), std::string(props.title.view()),
                       std::string(node.label().view())});
    }
    for (const Node* child = node.first(); child; child = child->next())
        collect(static_cast<const Ref&>(*child), out);
}

} // namespace

LinkBytes LinkBytes::of(std::span<const Ref* const> nodes) {
    std::vector<Link> links;
    for (const Ref* node : nodes)
        collect(*node, links);
    return LinkBytes(std::move(links));
}

std::vector<std::string_view> LinkBytes::formats() const {
    if (links_.empty())
        return {};
    return {kUriList, kMozUrl, kNetscapeUrl, kHtml, kText, kPlainText};
}

std::string LinkBytes::bytes(std::string_view format) const {
    std::string out;
    if (links_.empty())
        return out;
    if (format == kUriList) {
        for (const Link& link : links_)
            out.append(UriText::encoded(link.url)).append("\r\n");
    } else if (format == kMozUrl || format == kNetscapeUrl) {
        // Browsers read pairs of lines, the address and then the title.
        std::string pairs;
        for (const Link& link : links_) {
            if (!pairs.empty())
                pairs += '\n';
            const std::string url = format == kMozUrl ? link.url : UriText::encoded(link.url);
            pairs.append(url).append("\n").append(link.title);
        }
        out = format == kMozUrl ? UriText::utf16le(pairs) : pairs;
    } else if (format == kText || format == kPlainText) {
        for (const Link& link : links_)
            out.append(link.url).append("\n");
    } else if (format == kHtml) {
        for (const Link& link : links_) {
            out.append("<a href=\"");
            HtmlEscape::append(UriText::encoded(link.url), out);
            out.append("\">");
            HtmlEscape::append(link.label, out);
            out.append("</a><br>\n");
        }
    }
    return out;
}

} // namespace qx::exchange
