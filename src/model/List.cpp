#include "model/List.h"

#include "stream/iwstream.h"
#include "stream/owstream.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>

namespace qx {

List::~List() {
    clear();
}

void List::append(Node* node, Node* position) {
    if (!node || node == position) {
        return;
    }
    if (position && position->owner_ != this) {
        position = nullptr;
    }
    takeout(node);
    linkafter(node, position ? position : last_);
}

void List::insert(Node* node, Node* position) {
    if (!node || node == position) {
        return;
    }
    if (position && position->owner_ != this) {
        position = nullptr;
    }
    takeout(node);
    linkbefore(node, position ? position : first_);
}

void List::unlink(Node* node) {
    if (node && node->owner_ == this) {
        detach(node);
    }
}

Node* List::nth(std::size_t index) const {
    if (index >= count_) {
        return nullptr;
    }
    Node* node = first_;
    while (index--) {
        node = node->next_;
    }
    return node;
}

int List::sort(Compare compare, bool descending) {
    if (count_ < 2) {
        return 0;
    }
    std::unique_ptr<Node*[]> nodes(new (std::nothrow) Node*[count_]);
    if (!nodes) {
        return -1;
    }
    std::size_t n = 0;
    for (Node* node = first_; node; node = node->next_) {
        nodes[n++] = node;
    }
    // A stable merge sort stays within bounds even when a comparison is not a
    // strict order (orders that call nodes without targets equal to all).
    std::stable_sort(nodes.get(), nodes.get() + n, [&](const Node* a, const Node* b) {
        const int c = compare(a, b);
        return descending ? c > 0 : c < 0;
    });
    for (std::size_t i = 0; i < n; ++i) {
        nodes[i]->prev_ = i ? nodes[i - 1] : nullptr;
        nodes[i]->next_ = i + 1 < n ? nodes[i + 1] : nullptr;
    }
    first_ = nodes[0];
    last_ = nodes[n - 1];
    return 0;
}

Node* List::find(Predicate predicate, void* data) const {
    for (Node* node = first_; node; node = node->next_) {
        if (predicate(node, data)) {
            return node;
        }
    }
    return nullptr;
}

int List::foreach (Predicate fn, void* data) {
    for (Node* node = first_; node;) {
        Node* next = node->next_;
        if (const int result = fn(node, data)) {
            return result;
        }
        node = next;
    }
    return 0;
}

void List::clear() {
    while (first_) {
        delete first_;
    }
}

int List::writeall(owstream& out) const {
    constexpr std::size_t kMaxCount = 0xFFFF;
    std::size_t n = 0;
    for (const Node* node = first_; node && n < kMaxCount; node = node->next_) {
        n += node->persist();
    }
    out.put16(static_cast<std::uint16_t>(n));
    if (out.state()) {
        return -1;
    }
    for (const Node* node = first_; node && n; node = node->next_) {
        if (!node->persist()) {
            continue;
        }
        --n;
        if (const int result = node->writekind(out)) {
            return result;
        }
        if (const int result = node->writedata(out)) {
            return result;
        }
    }
    return 0;
}

int List::readall(iwstream& in, int version, Factory factory) {
    std::uint16_t n = 0;
    in.get16(n);
    if (in.state()) {
        return -1;
    }
    while (n--) {
        Node* node = factory(in, version);
        if (!node) {
            return 1;
        }
        if (const int result = node->readdata(in, version)) {
            delete node;
            return result;
        }
        append(node);
    }
    return 0;
}

Tree* List::astree() {
    return nullptr;
}

void List::linkafter(Node* node, Node* position) {
    node->owner_ = this;
    node->prev_ = position;
    node->next_ = position ? position->next_ : first_;
    (node->next_ ? node->next_->prev_ : last_) = node;
    (position ? position->next_ : first_) = node;
    ++count_;
}

void List::linkbefore(Node* node, Node* position) {
    linkafter(node, position ? position->prev_ : last_);
}

void List::detach(Node* node) {
    (node->prev_ ? node->prev_->next_ : first_) = node->next_;
    (node->next_ ? node->next_->prev_ : last_) = node->prev_;
    node->owner_ = nullptr;
    node->prev_ = node->next_ = nullptr;
    --count_;
}

void List::takeout(Node* node) {
    if (node->owner_) {
        node->owner_->unlink(node);
    }
}

} // namespace qx
