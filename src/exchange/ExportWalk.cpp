#include "exchange/ExportWalk.h"

#include "model/Object.h"
#include "model/Ref.h"
#include "model/UrlRef.h"

#include <algorithm>
#include <array>
#include <vector>

namespace qx {

namespace {

void touch(const void* at) {
    if (at)
        __builtin_prefetch(at);
}

// A node's fields may lie across two cache lines.
void touchnode(const Tree* node) {
    if (node) {
        __builtin_prefetch(node);
        __builtin_prefetch(reinterpret_cast<const char*>(node) + 64);
    }
}

void touchtext(const Str& text) {
    touch(text.get());
}

// Asks for the memory of the nodes ahead in a list of siblings before the
// walk gets there. An export spends most of its time waiting for each node,
// its page and the page's texts to come from memory, one after the other;
// asked a few nodes ahead (the node three ahead, the page of the one two
// ahead, the texts of the next), those waits overlap with the work on the
// node at hand.
class Lookahead {
public:
    void at(const Tree* node) {
        if (ahead_[1] == node && node) {
            std::copy(ahead_.begin() + 1, ahead_.end(), ahead_.begin());
            ahead_[kLast] = ahead_[kLast - 1] ? ahead_[kLast - 1]->nextsibling() : nullptr;
        } else {
            // Another list: the first few nodes are waited for once.
            ahead_[0] = node;
            for (std::size_t i = 1; i < ahead_.size(); ++i)
                ahead_[i] = ahead_[i - 1] ? ahead_[i - 1]->nextsibling() : nullptr;
        }
        touchnode(ahead_[kLast]);
        if (ahead_[kPage])
            touch(static_cast<const Ref*>(ahead_[kPage])->target());
        if (ahead_[kTexts]) {
            if (const Object* page = static_cast<const Ref*>(ahead_[kTexts])->target()) {
                touchtext(page->props().title);
                touchtext(page->props().url);
            }
        }
    }

private:
    static constexpr std::size_t kLast = 3;
    static constexpr std::size_t kPage = 2;
    static constexpr std::size_t kTexts = 1;
    std::array<const Tree*, kLast + 1> ahead_{};
};

} // namespace

int ExportWalk::walk(const Ref& top, ExportVisitor& visitor) {
    if (top.hasflags(Ref::Hidden))
        return 0;
    int result = visitor.enter(top);
    // The nodes entered and not yet left; next is the one to look at after
    // the last of them, null once its children are done.
    std::vector<const Ref*> open{&top};
    const Tree* next = top.firstchild();
    Lookahead lookahead;
    while (result == 0 && !open.empty()) {
        if (next) {
            lookahead.at(next);
            const auto& node = static_cast<const Ref&>(*next);
            if (node.hasflags(Ref::Hidden)) {
                next = next->nextsibling();
                continue;
            }
            result = visitor.enter(node);
            open.push_back(&node);
            next = node.firstchild();
            continue;
        }
        const Ref* done = open.back();
        open.pop_back();
        result = visitor.leave(*done);
        next = done == &top ? nullptr : done->nextsibling();
    }
    return result;
}

const Object* ExportWalk::pageof(const Ref& node) {
    const Object* page = node.target();
    // Checked in this order so that the organizer tree's nodes, nearly all
    // of an export, pay one flag test.
    if (page && (page->flags() & (Object::Created | Object::Confirmed)) == Object::Created &&
        dynamic_cast<const UrlRef*>(&node))
        return nullptr;
    return page;
}

} // namespace qx
