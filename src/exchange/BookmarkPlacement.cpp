#include "exchange/BookmarkPlacement.h"

#include "exchange/BookmarkTree.h"
#include "exchange/PageFiling.h"
#include "model/DDoc.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/UrlRef.h"
#include "platform/DateTime.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace qx {

namespace {

// A folder path (the names from the import folder down) as a number: the
// paths of deep folders are not spelled out again for every folder below.
using PathKey = std::uint64_t;

PathKey childkey(PathKey parent, std::string_view name) {
    // FNV-1a over the parent's key and the name.
    std::uint64_t hash = 0xcbf29ce484222325ULL ^ parent;
    hash *= 0x100000001b3ULL;
    for (char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash ^ (hash >> 29);
}

struct PageAt {
    PathKey folder;
    const Object* page;
    bool operator==(const PageAt&) const = default;
};

struct PageAtHash {
    std::size_t operator()(const PageAt& at) const {
        return std::hash<PathKey>()(at.folder) ^ (std::hash<const void*>()(at.page) << 1);
    }
};

// What is under a folder already: its folders by path and its pages by path.
// Walked without recursion.
struct Present {
    std::unordered_map<PathKey, Ref*> folders;
    std::unordered_set<PageAt, PageAtHash> pages;

    void collect(Ref& top, PathKey topkey) {
        std::vector<std::pair<Ref*, PathKey>> open{{&top, topkey}};
        while (!open.empty()) {
            const auto [folder, key] = open.back();
            open.pop_back();
            for (Tree* n = folder->firstchild(); n; n = n->nextsibling()) {
                auto& node = static_cast<Ref&>(*n);
                if (const Object* page = node.target()) {
                    pages.insert({key, page});
                    continue;
                }
                const PathKey inner = childkey(key, node.name().view());
                folders.emplace(inner, &node);
                open.emplace_back(&node, inner);
            }
        }
    }
};

constexpr PathKey kTopKey = 0;

// Gives the page what the bookmark has and the page lacks; whether anything
// changed.
bool fillin(ObjectProp& props, const BookmarkTree::Item& item) {
    bool changed = false;
    if (props.title.empty() && !item.title.empty()) {
        props.title = Str(item.title);
        changed = true;
    }
    if (props.modified.year == 0 && item.added != 0)
        changed |= platform::fileTimeToSystemTime(item.added, props.modified);
    if (props.comment.empty() && !item.description.empty()) {
        props.comment = Str(item.description);
        changed = true;
    }
    return changed;
}

} // namespace

BookmarkPlacement::BookmarkPlacement(DDoc& doc) : doc_(doc) {}

void BookmarkPlacement::addall(const BookmarkTree& tree, Ref& parent) {
    place(tree, parent, false);
}

void BookmarkPlacement::addmissing(const BookmarkTree& tree, Ref& folder) {
    place(tree, folder, true);
}

Ref& BookmarkPlacement::topfolder(DDoc& doc, std::string_view name) {
    for (Tree* n = doc.orgroot().firstchild(); n; n = n->nextsibling()) {
        auto& node = static_cast<Ref&>(*n);
        if (!node.target() && node.name().view() == name)
            return node;
    }
    return doc.createfolder(Str(name), doc.orgroot(), nullptr);
}

void BookmarkPlacement::place(const BookmarkTree& tree, Ref& parent, bool onlymissing) {
    Present present;
    if (onlymissing)
        present.collect(parent, kTopKey);
    const std::vector<BookmarkTree::Item>& items = tree.items();
    // Per folder item: its path and its node.
    std::vector<PathKey> keys(items.size(), kTopKey);
    std::vector<Ref*> nodes(items.size(), nullptr);
    auto keyof = [&](std::uint32_t index) {
        return index == BookmarkTree::kTop ? kTopKey : keys[index];
    };
    auto nodeof = [&](std::uint32_t index) -> Ref& {
        return index == BookmarkTree::kTop ? parent : *nodes[index];
    };

    for (std::uint32_t i = 0; i < items.size(); ++i) {
        const BookmarkTree::Item& item = items[i];
        const PathKey above = keyof(item.parent);
        if (item.folder) {
            // A folder comes before everything in it; those of the source are
            // made even when empty, unless the path is there already.
            keys[i] = childkey(above, item.title);
            if (auto found = present.folders.find(keys[i]); found != present.folders.end()) {
                nodes[i] = found->second;
            } else {
                nodes[i] = &doc_.createfolder(Str(item.title), nodeof(item.parent), nullptr);
                ++folders_;
            }
            continue;
        }
        // Asked only when the folder held anything: a first import files
        // every address once.
        if (!present.pages.empty()) {
            const UrlRef* known = doc_.finddomainnode(item.url);
            if (known && known->target() && present.pages.contains({above, known->target()})) {
                ++present_;
                continue;
            }
        }
        ObjectProp fresh;
        fillin(fresh, item);
        const PageFiling::Filed filed = PageFiling::file(doc_, item.url, std::move(fresh));
        Object* page = filed.page;
        if (!page) {
            ++refused_;
            continue;
        }
        if (!filed.made) {
            ObjectProp props = page->props();
            if (fillin(props, item))
                doc_.setobjectprops(*page, props);
        }
        page->addflags(Object::Confirmed);
        doc_.createresult(page, nullptr, nodeof(item.parent), nullptr, false);
        ++bookmarks_;
    }
}

} // namespace qx
