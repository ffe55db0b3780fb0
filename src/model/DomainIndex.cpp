#include "model/DomainIndex.h"

#include "model/DomainRef.h"
#include "model/NameCollation.h"
#include "model/RefOrder.h"

#include <algorithm>

namespace qx {
namespace {

Ref* asref(Node* node) {
    return static_cast<Ref*>(node);
}

const Ref* parentof(const Ref& node) {
    return static_cast<const Ref*>(node.parent());
}

struct NameLess {
    List::Compare compare;
    bool operator()(const Ref* a, const Ref* b) const { return compare(a, b) < 0; }
};

// A hash that names equal under any of the orders share: letters folded and
// the two host separators made one. Names it puts together are then told
// apart by the order itself.
std::size_t roughhash(std::string_view name) {
    std::size_t hash = 14695981039346656037ull;
    auto mix = [&hash](char c) {
        hash = (hash ^ static_cast<unsigned char>(c == '/' ? '.' : c)) * 1099511628211ull;
    };
    // Every lookup hashes a name: the ASCII front, most names whole, is
    // folded here as collation::fold folds it, without making a string.
    std::size_t at = 0;
    for (; at < name.size() && static_cast<unsigned char>(name[at]) < 0x80; ++at)
        mix(name[at] >= 'A' && name[at] <= 'Z' ? static_cast<char>(name[at] + ('a' - 'A'))
                                               : name[at]);
    if (at < name.size()) {
        for (char c : collation::fold(name.substr(at)))
            mix(c);
    }
    return hash;
}

} // namespace

// The index of one parent's children.
class DomainIndex::Children {
public:
    Children(Ref& parent, Order order)
        : parent_(parent), order_(order),
          compare_(compareof(order == Order::Count ? Order::NameNoCase : order)),
          names_(NameLess{compare_}) {
        for (Node* child = parent_.first(); child; child = child->next()) {
            if (order_ == Order::Count)
                counts_[asref(child)] = hostcount(child);
            addname(asref(child));
            inversions_ += outoforder(asref(child->prev()), asref(child));
        }
    }

    Order order() const { return order_; }

    // Most lookups find the child: the hash answers them, whatever the order
    // of the list. Only a name that is not there needs its place among the
    // ordered names, and only a list in its order has them in list order.
    Place find(const Ref& probe) {
        Ref* equal = nullptr;
        auto [from, to] = hashes_.equal_range(roughhash(probe.name().view()));
        for (auto at = from; at != to; ++at) {
            if (compare_(at->second, &probe) != 0)
                continue;
            if (equal) // siblings of one name: the first in the list answers
                return scan(parent_, probe, order_);
            equal = at->second;
        }
        if (equal)
            return {equal, nullptr};
        if (order_ == Order::Count)
            return {};
        if (inversions_ != 0)
            return scan(parent_, probe, order_);
        auto at = names_.lower_bound(const_cast<Ref*>(&probe));
        if (at == names_.end())
            return {};
        return {nullptr, firstofrun(*at)};
    }

    // Only while the hosts are in order (countsinorder).
    Ref* hostplace(std::uint32_t count) {
        if (!runsvalid_)
            rebuildruns();
        auto above = runs_.lower_bound(count);
        if (above == runs_.begin())
            return asref(parent_.last());
        return asref(std::prev(above)->second->prev());
    }

    bool countsinorder() const { return order_ == Order::Count && inversions_ == 0; }

    void add(Ref* child) {
        addname(child);
        addcount(child);
    }

    void remove(Ref* child) {
        removecount(child);
        erasename(child);
    }

    // The order of the list around a child entering it, and under the count
    // order the child's count, registered so that leaving uses the same one.
    void addcount(Ref* child) {
        if (order_ == Order::Count)
            counts_[child] = hostcount(child);
        Ref* before = asref(child->prev());
        Ref* behind = asref(child->next());
        const std::size_t was = inversions_;
        if (before && behind)
            inversions_ -= outoforder(before, behind);
        inversions_ += outoforder(before, child) + outoforder(child, behind);
        if (order_ != Order::Count)
            return;
        if (was != 0 || inversions_ != 0) {
            runsvalid_ = false;
        } else if (runsvalid_ && (!before || countof(before) != countof(child))) {
            runs_[countof(child)] = child;
        }
    }

    void removecount(Ref* child) {
        Ref* before = asref(child->prev());
        Ref* behind = asref(child->next());
        if (order_ == Order::Count) {
            if (inversions_ != 0)
                runsvalid_ = false;
            else if (runsvalid_)
                leaverun(child, behind);
        }
        inversions_ -= outoforder(before, child) + outoforder(child, behind);
        if (before && behind)
            inversions_ += outoforder(before, behind);
        counts_.erase(child);
    }

private:
    std::uint32_t countof(const Ref* node) const {
        auto at = counts_.find(node);
        return at != counts_.end() ? at->second : hostcount(node);
    }

    std::size_t outoforder(const Ref* a, const Ref* b) const {
        if (!a || !b)
            return 0;
        if (order_ == Order::Count)
            return countof(a) < countof(b) ? 1 : 0;
        return compare_(a, b) > 0 ? 1 : 0;
    }

    // In an ordered list equal names sit together; the scan meets the first.
    Ref* firstofrun(Ref* node) const {
        while (node->prev() && compare_(node->prev(), node) == 0)
            node = asref(node->prev());
        return node;
    }

    void leaverun(Ref* child, Ref* behind) {
        const std::uint32_t count = countof(child);
        auto run = runs_.find(count);
        if (run == runs_.end() || run->second != child)
            return;
        if (behind && countof(behind) == count)
            run->second = behind;
        else
            runs_.erase(run);
    }

    void rebuildruns() {
        runs_.clear();
        for (Node* node = parent_.first(); node; node = node->next())
            runs_.try_emplace(countof(asref(node)), asref(node));
        runsvalid_ = true;
    }

    void addname(Ref* child) {
        hashes_.emplace(roughhash(child->name().view()), child);
        if (order_ != Order::Count)
            names_.insert(child);
    }

    // A node renamed behind the index's back is no longer where its name says;
    // it is then looked for one by one, so that no pointer stays behind.
    void erasename(Ref* child) {
        auto [from, to] = hashes_.equal_range(roughhash(child->name().view()));
        auto hashed =
            std::find_if(from, to, [child](const auto& entry) { return entry.second == child; });
        if (hashed == to)
            hashed = std::find_if(hashes_.begin(), hashes_.end(),
                                  [child](const auto& entry) { return entry.second == child; });
        if (hashed != hashes_.end())
            hashes_.erase(hashed);
        if (order_ == Order::Count)
            return;
        auto [first, last] = names_.equal_range(child);
        auto at = std::find(first, last, child);
        if (at == last)
            at = std::find(names_.begin(), names_.end(), child);
        if (at != names_.end())
            names_.erase(at);
    }

    Ref& parent_;
    Order order_;
    // Equality of names, and the order of the list except under the count
    // order.
    List::Compare compare_;
    std::unordered_multimap<std::size_t, Ref*> hashes_;
    // The children by name, for the place of a name not there (not under the
    // count order, where new hosts go at the end).
    std::multiset<Ref*, NameLess> names_;
    // Adjacent pairs of children out of the order: 0 while the list is in it.
    std::size_t inversions_ = 0;
    // Count order: each host's count as it was linked, and the first host of
    // each run of equal counts (valid while the list is in order).
    std::unordered_map<const Ref*, std::uint32_t> counts_;
    std::map<std::uint32_t, Ref*> runs_;
    bool runsvalid_ = false;
};

DomainIndex::DomainIndex() = default;
DomainIndex::~DomainIndex() = default;

int DomainIndex::bynamecase(const Node* a, const Node* b) {
    return collation::compare(static_cast<const Ref*>(a)->name().view(),
                              static_cast<const Ref*>(b)->name().view());
}

List::Compare DomainIndex::compareof(Order order) {
    switch (order) {
    case Order::Name:
        return &bynamecase;
    case Order::Host:
        return &RefOrder::byhost;
    case Order::NameNoCase:
    case Order::Count:
        break;
    }
    return &RefOrder::byname;
}

std::uint32_t DomainIndex::hostcount(const Node* node) {
    const auto* host = dynamic_cast<const DomainRef*>(node);
    return host ? host->hostcount() : 0;
}

DomainIndex::Place DomainIndex::scan(Ref& parent, const Ref& probe, Order order) {
    List::Compare compare = compareof(order);
    Place place;
    for (Node* child = parent.first(); child; child = child->next()) {
        const int c = compare(child, &probe);
        if (c == 0)
            return {asref(child), nullptr};
        if (c > 0 && !place.before && order != Order::Count)
            place.before = asref(child);
    }
    return place;
}

DomainIndex::Children* DomainIndex::entry(Ref& parent, Order order) {
    auto at = entries_.find(&parent);
    if (at != entries_.end() && at->second->order() == order)
        return at->second.get();
    if (at == entries_.end() && parent.count() <= kScanLimit)
        return nullptr;
    auto made = std::make_unique<Children>(parent, order);
    Children* children = made.get();
    entries_[&parent] = std::move(made);
    return children;
}

DomainIndex::Place DomainIndex::find(Ref& parent, std::string_view name, Order order) {
    const UrlRef probe{Str(name)};
    Children* children = entry(parent, order);
    return children ? children->find(probe) : scan(parent, probe, order);
}

Ref* DomainIndex::hostplace(Ref& root, std::uint32_t count) {
    auto at = entries_.find(&root);
    if (at != entries_.end() && at->second->countsinorder())
        return at->second->hostplace(count);
    for (Node* host = root.last(); host; host = host->prev())
        if (hostcount(host) >= count)
            return asref(host);
    return nullptr;
}

void DomainIndex::linked(Ref& child) {
    if (auto at = entries_.find(parentof(child)); at != entries_.end())
        at->second->add(&child);
}

void DomainIndex::unlinking(Ref& child) {
    if (auto at = entries_.find(parentof(child)); at != entries_.end())
        at->second->remove(&child);
}

void DomainIndex::countchanging(Ref& host) {
    if (auto at = entries_.find(parentof(host)); at != entries_.end())
        at->second->removecount(&host);
}

void DomainIndex::countchanged(Ref& host) {
    if (auto at = entries_.find(parentof(host)); at != entries_.end())
        at->second->addcount(&host);
}

void DomainIndex::forget(const Ref& parent) {
    entries_.erase(&parent);
}

void DomainIndex::clear() {
    entries_.clear();
}

} // namespace qx
