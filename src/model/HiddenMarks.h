#pragma once

#include <cstdint>
#include <span>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace qx {

class DDoc;
class Object;
class Ref;
class TreeEdit;
class UrlRef;

// The hide and show commands. Hiding marks the chosen nodes with everything
// below them, and the chosen nodes' domain twins, hidden by the user (0x0004);
// then a node all of whose children are hidden, an organizer node whose domain
// twin is hidden, and a domain leaf whose every organizer reference is hidden
// count as hidden too (0x0040), as far up as that goes. Showing clears both
// marks on the chosen nodes, everything below them and their twins, and the
// derived mark wherever it no longer holds.
//
// Only the nodes whose state changes are followed (with their parents'
// children and their pages' other nodes), never the whole document. Changes
// of structure (filing, moving, pasting, deleting) bring their parents to
// settle, so that the derived mark holds wherever a child came or went.
class HiddenMarks {
public:
    HiddenMarks(DDoc& doc, TreeEdit& edit) : doc_(doc), edit_(edit) {}

    void hide(std::span<Ref* const> nodes);
    void show(std::span<Ref* const> nodes);
    // The parents gained or lost children: each gets the derived mark exactly
    // when it now counts as hidden, and what depends on them follows.
    void settle(std::span<Ref* const> parents);

private:
    // Follows the nodes that became hidden, and those that showed again.
    void spreadhidden();
    void spreadshown();
    // Hidden through its children, through its domain twin, or, for a domain
    // leaf, through its organizer references.
    bool derivedhidden(Ref& node);
    // The domain node has organizer references and every one is hidden.
    bool referrershidden(Ref& page);
    // The node and everything below it, parents before children.
    static std::vector<Ref*> subtree(Ref& top);
    void mark(Ref& node, std::uint16_t bit);
    void unmark(Ref& node, std::uint16_t bits);
    // The organizer nodes whose domain twin is this domain node.
    const std::vector<Ref*>& twinsof(Ref& domainnode);
    // The domain node filed for the node's page, and for a page.
    UrlRef* domaintwin(const Ref& node);
    UrlRef* domainnodeof(const Object* page);
    static bool allchildrenhidden(const Ref& node);
    void touch(Ref& node);
    void updateviews();

    DDoc& doc_;
    TreeEdit& edit_;
    // Nodes whose hidden state changed and whose surroundings are still to be
    // looked at.
    std::vector<Ref*> changed_;
    // Nodes whose marks changed, in the order they did, for the views.
    std::vector<Ref*> touched_;
    std::unordered_set<const Ref*> seen_;
    // A command on many references looks up each page's domain node once.
    std::unordered_map<const Object*, UrlRef*> domainnodes_;
    std::unordered_map<const Ref*, std::vector<Ref*>> twins_;
};

} // namespace qx
