#pragma once

#include "model/List.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string_view>
#include <unordered_map>

namespace qx {

class Ref;

// Finds a child of a domain-tree node by name, and the place of a host by its
// count, without scanning the children: a host may hold tens of thousands of
// pages and the root tens of thousands of hosts.
//
// The answers are those of a scan of the whole list: the first child equal to
// the name, else the first child that sorts after it (the place of a new
// name). A list out of its order (a document written under another order or
// elsewhere) still finds every name it holds, so filing never makes a second
// sibling of a name. While a child list is in its order (filing keeps it so)
// an ordered index gives the same answers; the hash of the names answers
// equality in any order. Short lists are always scanned and have no index.
// The document tells the index about every child it links or unlinks under an
// indexed parent.
class DomainIndex {
public:
    // How the children of a parent are ordered: by name in the user's
    // collation (below the hosts); by name ignoring case, by host, or by count
    // with names compared ignoring case (the hosts under the root).
    enum class Order { Name, NameNoCase, Host, Count };

    struct Place {
        Ref* found = nullptr;
        // When nothing was found: the child the name belongs before (null: at
        // the end).
        Ref* before = nullptr;
    };

    // Lists up to this long are scanned.
    static constexpr std::size_t kScanLimit = 16;

    DomainIndex();
    ~DomainIndex();
    DomainIndex(const DomainIndex&) = delete;
    DomainIndex& operator=(const DomainIndex&) = delete;

    Place find(Ref& parent, std::string_view name, Order order);
    // Under a root ordered by count, the host that a host with this count
    // (not linked at the moment) goes right after: scanning from the last,
    // the first with a count not below it; null for the front.
    Ref* hostplace(Ref& root, std::uint32_t count);

    // After child was linked under its parent.
    void linked(Ref& child);
    // Before child leaves its parent.
    void unlinking(Ref& child);
    // A host's count is about to change, and has changed, where it stands.
    void countchanging(Ref& host);
    void countchanged(Ref& host);
    // The parent's children were reordered, or the parent goes away.
    void forget(const Ref& parent);
    void clear();

    // The order of names below a host: case-sensitive, in the user's
    // collation (collation::compare).
    static int bynamecase(const Node* a, const Node* b);
    static List::Compare compareof(Order order);
    // The count of a host; 0 for any other node.
    static std::uint32_t hostcount(const Node* node);

private:
    class Children;

    Children* entry(Ref& parent, Order order);
    static Place scan(Ref& parent, const Ref& probe, Order order);

    std::unordered_map<const Ref*, std::unique_ptr<Children>> entries_;
};

} // namespace qx
