#include "search/TitleAnchors.h"

#include "model/DDoc.h"
#include "model/Object.h"
#include "model/SearchRef.h"

#include <algorithm>
#include <unordered_set>

namespace qx {

namespace {

std::string_view titleof(const Ref& node) {
    return node.target() ? node.target()->props().title.view() : std::string_view();
}

} // namespace

Ref* TitleAnchors::find(SearchRef& search, std::string_view title, const Ref* except) {
    if (&search != search_ || doc_.stamp() != stamp_) {
        rebuild(search);
    }
    auto entry = bytitle_.find(std::string(title));
    if (entry == bytitle_.end()) {
        return nullptr;
    }
    std::vector<Ref*>& nodes = entry->second;
    std::erase_if(nodes, [&](Ref* n) { return !matches(*n, title); });
    std::unordered_set<const Ref*> candidates;
    for (Ref* n : nodes) {
        if (n != except) {
            candidates.insert(n);
        }
    }
    if (candidates.size() == 1) {
        return const_cast<Ref*>(*candidates.begin());
    }
    // Several children share the title (rare): the first in the child order.
    for (Node* n = search.first(); n && !candidates.empty(); n = n->next()) {
        if (candidates.count(static_cast<Ref*>(n))) {
            return static_cast<Ref*>(n);
        }
    }
    return nullptr;
}

void TitleAnchors::added(Ref& node) {
    if (!search_ || node.parent() != search_ || !node.target()) {
        return;
    }
    std::vector<Ref*>& nodes = bytitle_[std::string(titleof(node))];
    if (std::find(nodes.begin(), nodes.end(), &node) == nodes.end()) {
        nodes.push_back(&node);
    }
}

void TitleAnchors::removed(Ref& node) {
    auto entry = bytitle_.find(std::string(titleof(node)));
    if (entry != bytitle_.end()) {
        std::erase(entry->second, &node);
    }
}

void TitleAnchors::sync() {
    stamp_ = doc_.stamp();
}

void TitleAnchors::rebuild(SearchRef& search) {
    bytitle_.clear();
    search_ = &search;
    for (Node* n = search.first(); n; n = n->next()) {
        added(*static_cast<Ref*>(n));
    }
    sync();
}

bool TitleAnchors::matches(const Ref& node, std::string_view title) const {
    return node.parent() == search_ && node.target() && titleof(node) == title;
}

} // namespace qx
