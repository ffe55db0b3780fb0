#include "exchange/PageFiling.h"

#include "model/Container.h"
#include "model/DDoc.h"
#include "model/Object.h"
#include "model/UrlRef.h"

#include <memory>

namespace qx {

Object* PageFiling::filepage(DDoc& doc, std::string_view url) {
    return file(doc, url, ObjectProp()).page;
}

PageFiling::Filed PageFiling::file(DDoc& doc, std::string_view url, ObjectProp props) {
    const std::string_view::size_type scheme = url.find("://");
    if (scheme == 0 || scheme == std::string_view::npos || scheme + 3 == url.size())
        return {};
    UrlRef* node = doc.filedomainnode(url);
    if (!node)
        return {};
    if (node->target())
        return {node->target(), false};
    props.url = Str(url);
    auto* page = static_cast<Object*>(doc.container().add(std::make_unique<Object>(props)));
    doc.settarget(*node, page);
    return {page, true};
}

} // namespace qx
