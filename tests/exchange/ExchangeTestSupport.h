#pragma once

#include "exchange/PageFiling.h"
#include "model/DDoc.h"
#include "model/Object.h"
#include "model/OrgProp.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"

#include <string>
#include <vector>

namespace qx::test {

// A document built in a few words: folders and references in the organizer
// tree, their pages filed in the domain tree.
class ExchangeDoc {
public:
    Ref& folder(const std::string& name, Ref* parent = nullptr) {
        return doc.createfolder(Str(name), parent ? *parent : doc.orgroot(), nullptr);
    }
    Ref& reference(const std::string& title, const std::string& url, Ref* parent = nullptr,
                   std::uint32_t charset = 0) {
        Object* page = PageFiling::filepage(doc, url);
        ObjectProp props = page ? page->props() : ObjectProp();
        props.url = Str(url);
        props.title = Str(title);
        props.charset = charset;
        // An address without a host has no place in the domain tree.
        if (!page)
            return doc.createresultobject(props, OrgProp(), parent ? *parent : doc.orgroot(),
                                          nullptr);
        doc.setobjectprops(*page, props);
        return doc.createresult(page, nullptr, parent ? *parent : doc.orgroot(), nullptr, false);
    }
    std::vector<const Ref*> toplevel() {
        std::vector<const Ref*> nodes;
        for (Tree* n = doc.orgroot().firstchild(); n; n = n->nextsibling())
            nodes.push_back(static_cast<const Ref*>(n));
        return nodes;
    }

    DDoc doc;
};

} // namespace qx::test
