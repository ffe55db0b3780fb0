#include "model/HiddenMarks.h"

#include "model/DDoc.h"
#include "model/Object.h"
#include "model/UrlRef.h"

#include <algorithm>
#include <string>

namespace qx {
namespace {

Ref* parentof(const Ref& node) {
    return static_cast<Ref*>(node.parent());
}

} // namespace

// Everything below a hidden node is hidden with it, so that it shows greyed
// when hidden references are shown and stays hidden when it is moved out.
// The nodes below are marked before the node itself: the views then take the
// subtree away in one piece.
void HiddenMarks::hide(std::span<Ref* const> nodes) {
    for (Ref* node : nodes) {
        if (!node || !node->parent())
            continue;
        const std::vector<Ref*> below = subtree(*node);
        for (auto n = below.rbegin(); n != below.rend(); ++n)
            mark(**n, Ref::Hidden);
        if (UrlRef* twin = domaintwin(*node))
            mark(*twin, Ref::Hidden);
    }
    spreadhidden();
    updateviews();
}

void HiddenMarks::spreadhidden() {
    // Parents are judged once per round, after all their children of the
    // round, so that hiding many siblings reads the child list once.
    // Pages whose references were hidden are judged the same way, once all
    // of the round's references are.
    std::unordered_set<Ref*> parents;
    std::unordered_set<UrlRef*> pages;
    while (!changed_.empty()) {
        while (!changed_.empty()) {
            Ref& node = *changed_.back();
            changed_.pop_back();
            if (Ref* parent = parentof(node))
                parents.insert(parent);
            if (edit_.indomain(node)) {
                for (Ref* twin : twinsof(node))
                    mark(*twin, Ref::HiddenChildren);
            } else if (UrlRef* twin = domaintwin(node);
                       twin && !twin->first() && !twin->hasflags(Ref::kHiddenFlags)) {
                pages.insert(twin);
            }
        }
        for (Ref* parent : parents) {
            if (allchildrenhidden(*parent))
                mark(*parent, Ref::HiddenChildren);
        }
        parents.clear();
        for (UrlRef* page : pages) {
            if (referrershidden(*page))
                mark(*page, Ref::HiddenChildren);
        }
        pages.clear();
    }
}

// Showing a node shows everything below it, as hiding hid it. A root keeps
// what is below it: a root is never hidden by the user. Parents are marked
// before their children, so that the views bring a subtree back in one piece.
void HiddenMarks::show(std::span<Ref* const> nodes) {
    for (Ref* node : nodes) {
        if (!node)
            continue;
        const std::vector<Ref*> below = node->parent() ? subtree(*node) : std::vector<Ref*>{node};
        for (Ref* n : below) {
            unmark(*n, Ref::kHiddenFlags);
            if (UrlRef* twin = domaintwin(*n))
                unmark(*twin, Ref::kHiddenFlags);
        }
    }
    spreadshown();
    updateviews();
}

void HiddenMarks::spreadshown() {
    // A node that shows again leaves its parent with a child shown, and its
    // page's organizer nodes with a twin shown.
    while (!changed_.empty()) {
        Ref& node = *changed_.back();
        changed_.pop_back();
        if (Ref* parent = parentof(node))
            unmark(*parent, Ref::HiddenChildren);
        if (edit_.indomain(node)) {
            for (Ref* twin : twinsof(node)) {
                if (!allchildrenhidden(*twin))
                    unmark(*twin, Ref::HiddenChildren);
            }
        } else if (UrlRef* twin = domaintwin(node);
                   twin && !twin->first() && !twin->hasflags(Ref::Hidden)) {
            // A page hidden only because all its references were.
            unmark(*twin, Ref::HiddenChildren);
        }
    }
}

void HiddenMarks::settle(std::span<Ref* const> parents) {
    std::vector<Ref*> shown;
    for (Ref* parent : parents) {
        if (derivedhidden(*parent))
            mark(*parent, Ref::HiddenChildren);
        else if (parent->hasflags(Ref::HiddenChildren))
            shown.push_back(parent);
    }
    spreadhidden();
    for (Ref* parent : shown)
        unmark(*parent, Ref::HiddenChildren);
    spreadshown();
    updateviews();
}

bool HiddenMarks::derivedhidden(Ref& node) {
    if (allchildrenhidden(node))
        return true;
    if (!node.parent())
        return false;
    if (edit_.indomain(node))
        return !node.first() && referrershidden(node);
    const UrlRef* twin = domaintwin(node);
    return twin && twin->hasflags(Ref::kHiddenFlags);
}

void HiddenMarks::mark(Ref& node, std::uint16_t bit) {
    if (node.hasflags(bit))
        return;
    const bool washidden = node.hasflags(Ref::kHiddenFlags);
    node.addflags(bit);
    touch(node);
    if (!washidden)
        changed_.push_back(&node);
}

void HiddenMarks::unmark(Ref& node, std::uint16_t bits) {
    if (!node.hasflags(bits))
        return;
    node.clearflags(bits);
    touch(node);
    if (!node.hasflags(Ref::kHiddenFlags))
        changed_.push_back(&node);
}

// A twin is found by its page's address, which need not be the page of the
// domain node: "s://h/x/" files to the node of "s://h/x". The pages looked at
// are the node's own and those at the address its pieces spell, with and
// without a closing slash. Every referrer of a page has the same twin, the
// domain node its address files to.
//
// A command asks for a domain node's twins more than once (whether they are
// all hidden, then to mark them); the structure does not change meanwhile, so
// the answer is kept for the command.
const std::vector<Ref*>& HiddenMarks::twinsof(Ref& domainnode) {
    auto [at, added] = twins_.try_emplace(&domainnode);
    std::vector<Ref*>& twins = at->second;
    if (!added || !domainnode.parent() || !edit_.indomain(domainnode))
        return twins;
    std::string address;
    for (Ref* n = &domainnode; n && n->parent(); n = parentof(*n))
        address.insert(0, std::string(n->name().view()) + (address.empty() ? "" : "/"));
    const Object* own = domainnode.target();
    std::vector<const Object*> pages{own};
    for (const std::string& url : {address, address + "/"}) {
        // The node's own page needs no looking up.
        if (own && own->props().url.view() == url)
            continue;
        const Object* page = doc_.findpage(url);
        if (std::find(pages.begin(), pages.end(), page) == pages.end())
            pages.push_back(page);
    }
    for (const Object* page : pages) {
        if (!page || domainnodeof(page) != &domainnode)
            continue;
        for (Ref* node : edit_.targets().referrers(page)) {
            if (!edit_.indomain(*node) &&
                std::find(twins.begin(), twins.end(), node) == twins.end())
                twins.push_back(node);
        }
    }
    return twins;
}

bool HiddenMarks::referrershidden(Ref& page) {
    const std::vector<Ref*>& twins = twinsof(page);
    return !twins.empty() && std::all_of(twins.begin(), twins.end(), [](const Ref* twin) {
        return twin->hasflags(Ref::kHiddenFlags);
    });
}

std::vector<Ref*> HiddenMarks::subtree(Ref& top) {
    std::vector<Ref*> nodes;
    for (Tree* n = &top; n; n = n->nextpreorder(&top))
        nodes.push_back(static_cast<Ref*>(n));
    return nodes;
}

UrlRef* HiddenMarks::domaintwin(const Ref& node) {
    return node.target() ? domainnodeof(node.target()) : nullptr;
}

UrlRef* HiddenMarks::domainnodeof(const Object* page) {
    auto [at, added] = domainnodes_.try_emplace(page, nullptr);
    if (added)
        at->second = doc_.finddomainnode(page->props().url.view());
    return at->second;
}

bool HiddenMarks::allchildrenhidden(const Ref& node) {
    if (!node.first())
        return false;
    for (const Node* child = node.first(); child; child = child->next()) {
        if (!static_cast<const Ref*>(child)->hasflags(Ref::kHiddenFlags))
            return false;
    }
    return true;
}

void HiddenMarks::touch(Ref& node) {
    if (seen_.insert(&node).second)
        touched_.push_back(&node);
}

// Only the hidden marks changed, so a node that keeps its item keeps its
// children's too: it is drawn again while it still shows and loses its item,
// with those below it, when it no longer does; a node without an item gets one
// when it now shows. A root always keeps its item, whatever its marks. Parents
// were marked after their children: going through the list backwards takes a
// subtree away in one piece, not child by child.
void HiddenMarks::updateviews() {
    for (auto node = touched_.rbegin(); node != touched_.rend(); ++node) {
        if (!(*node)->parent())
            continue;
        if (!(*node)->viewitem())
            edit_.showitem(**node);
        else if ((*node)->isvisible())
            edit_.repaint(**node);
        else
            edit_.removeitem(**node);
    }
    touched_.clear();
    seen_.clear();
}

} // namespace qx
