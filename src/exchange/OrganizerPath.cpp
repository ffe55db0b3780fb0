#include "exchange/OrganizerPath.h"

#include "model/DDoc.h"
#include "model/Object.h"
#include "model/RefRoot.h"

namespace qx {

namespace {

bool namedas(const Ref& node, std::string_view name) {
    return node.name().view() == name ||
           (node.target() && node.target()->props().title.view() == name);
}

} // namespace

Ref* OrganizerPath::find(DDoc& doc, std::string_view path) {
    Ref* node = &doc.orgroot();
    while (node && !path.empty()) {
        const std::string_view::size_type slash = path.find('/');
        const std::string_view name = path.substr(0, slash);
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
        if (name.empty())
            continue;
        Ref* found = nullptr;
        for (Tree* child = node->firstchild(); child && !found; child = child->nextsibling()) {
            if (namedas(static_cast<Ref&>(*child), name))
                found = static_cast<Ref*>(child);
        }
        node = found;
    }
    return node;
}

} // namespace qx
