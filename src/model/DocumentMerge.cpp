#include "model/DocumentMerge.h"

#include "model/DDoc.h"
#include "model/FindInfo.h"
#include "model/Object.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace qx {

namespace {

bool issearch(const Ref& node) {
    return node.hasflags(Ref::SavedSearch) && dynamic_cast<const SearchRef*>(&node) != nullptr;
}

// What a node stands for among its siblings. Domain-tree nodes are named by
// their piece of the address, so the name alone tells them apart there.
std::string keyof(const Ref& node, bool organizer) {
    std::string key;
    const Object* page = node.target();
    if (organizer && issearch(node)) {
        // Its name is made from the query with a word of the language.
        key = "q:";
        key += static_cast<const SearchRef&>(node).searchprop().query.view();
    } else if (!organizer || !page) {
        key = "n:";
        key += node.name().view();
    } else if (!page->props().url.view().empty()) {
        key = "u:";
        key += page->props().url.view();
    } else {
        key = "t:";
        key += page->props().title.view();
    }
    return key;
}

using Children = std::unordered_map<std::string, Ref*>;

// The children of a node by key; the first of equal ones stands for them all.
Children childrenof(const Ref& parent, bool organizer) {
    Children children;
    for (Tree* child = parent.firstchild(); child; child = child->nextsibling()) {
        auto* node = static_cast<Ref*>(child);
        children.emplace(keyof(*node, organizer), node);
    }
    return children;
}

Ref* counterpart(const Children& siblings, const Ref& node, bool organizer) {
    const auto found = siblings.find(keyof(node, organizer));
    return found == siblings.end() ? nullptr : found->second;
}

// Walks two trees side by side without recursion (trees read from files may
// be deep): each pair of nodes that stand for the same thing is handed to
// `matched`, each node of `from` without one to `unmatched` with the node of
// `into` it would go under; the children of an unmatched node are not walked.
template <class Matched, class Unmatched>
void walkpairs(const Ref& fromtop, Ref& intotop, bool organizer, Matched matched,
               Unmatched unmatched) {
    std::vector<std::pair<const Ref*, Ref*>> pending{{&fromtop, &intotop}};
    while (!pending.empty()) {
        auto [from, to] = pending.back();
        pending.pop_back();
        const Children siblings = childrenof(*to, organizer);
        for (Tree* child = from->firstchild(); child; child = child->nextsibling()) {
            const auto& node = *static_cast<const Ref*>(child);
            if (Ref* same = counterpart(siblings, node, organizer)) {
                matched(node, *same);
                pending.emplace_back(&node, same);
            } else {
                unmatched(node, *to);
            }
        }
    }
}

} // namespace

std::size_t DocumentMerge::addMissing(DDoc& into, DDoc& from) {
    // Collected first and added afterwards, so that what is added is never
    // walked or matched against.
    std::vector<std::pair<Ref*, std::vector<const Ref*>>> missing;
    walkpairs(
        from.orgroot(), into.orgroot(), true, [](const Ref&, Ref&) {},
        [&missing](const Ref& node, Ref& parent) {
            if (missing.empty() || missing.back().first != &parent)
                missing.emplace_back(&parent, std::vector<const Ref*>{});
            missing.back().second.push_back(&node);
        });
    std::size_t added = 0;
    for (auto& [parent, nodes] : missing) {
        // Through a copy of its own, as a paste: the pages are filed in the
        // domain tree and joined with the ones this document has.
        std::unique_ptr<DDoc> copy = from.copyselection(nodes);
        into.pasteinto(*copy, *parent);
        added += nodes.size();
    }
    if (added != 0)
        into.commit();
    return added;
}

void DocumentMerge::keepExpanded(DDoc& old, DDoc& fresh) {
    auto copy = [](const Ref& from, Ref& to) {
        if (from.hasflags(Ref::Expanded))
            to.addflags(Ref::Expanded);
        else
            to.clearflags(Ref::Expanded);
    };
    auto none = [](const Ref&, Ref&) {};
    walkpairs(old.orgroot(), fresh.orgroot(), true, copy, none);
    walkpairs(old.domainroot(), fresh.domainroot(), false, copy, none);
}

std::vector<Ref*> DocumentMerge::counterparts(const Ref& oldTop, Ref& freshTop, bool organizer,
                                              const std::vector<const Ref*>& nodes) {
    const std::unordered_set<const Ref*> wanted(nodes.begin(), nodes.end());
    std::unordered_map<const Ref*, Ref*> found;
    if (wanted.count(&oldTop))
        found.emplace(&oldTop, &freshTop);
    walkpairs(
        oldTop, freshTop, organizer,
        [&](const Ref& from, Ref& to) {
            if (wanted.count(&from))
                found.emplace(&from, &to);
        },
        [](const Ref&, Ref&) {});
    std::vector<Ref*> fresh;
    fresh.reserve(found.size());
    for (const Ref* node : nodes)
        if (const auto at = found.find(node); at != found.end())
            fresh.push_back(at->second);
    return fresh;
}

} // namespace qx
