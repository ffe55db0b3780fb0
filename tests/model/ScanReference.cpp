#include "ScanReference.h"

#include "model/DDoc.h"
#include "model/NameCollation.h"
#include "model/RefOrder.h"
#include "model/RefRoot.h"
#include "model/UrlRef.h"

#include <string>

namespace qx::test {

Ref* scanfind(DDoc& doc, Ref& parent, std::string_view name, Ref** position) {
    const UrlRef probe{Str(name)};
    const bool root = &parent == &doc.domainroot();
    *position = nullptr;
    for (Node* n = parent.first(); n; n = n->next()) {
        auto* child = static_cast<Ref*>(n);
        int c = 0;
        if (!root)
            c = collation::compare(child->name().view(), name);
        else if (doc.sortservers() == DDoc::HostsByHost)
            c = RefOrder::byhost(child, &probe);
        else
            c = collation::comparenocase(child->name().view(), name);
        if (c == 0) {
            *position = nullptr;
            return child;
        }
        if (c > 0 && !*position && !(root && doc.sortservers() == DDoc::HostsByCount))
            *position = child;
    }
    return nullptr;
}

std::string childnames(const Ref& parent) {
    std::string text;
    for (const Node* n = parent.first(); n; n = n->next()) {
        if (!text.empty())
            text += ',';
        text += static_cast<const Ref*>(n)->name().view();
    }
    return text;
}

} // namespace qx::test
