#include "model/RefOrder.h"

#include "model/DomainRef.h"
#include "model/NameCollation.h"
#include "model/Object.h"
#include "model/OrgRef2.h"

#include <string_view>

namespace qx {

namespace {

const RefTree* asref(const Node* node) {
    return static_cast<const RefTree*>(node);
}

int sign(std::int64_t value) {
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

// Cuts the rightmost host piece off text: after the last dot, or with no dot
// after the last slash. False, with nothing cut, when the text has neither.
bool cutpiece(std::string_view& text, std::string_view& piece) {
    std::size_t at = text.rfind('.');
    if (at == std::string_view::npos)
        at = text.rfind('/');
    if (at == std::string_view::npos)
        return false;
    piece = text.substr(at + 1);
    text = text.substr(0, at);
    return true;
}

} // namespace

int RefOrder::bydate(const Node* a, const Node* b) {
    const Object* ta = asref(a)->target();
    const Object* tb = asref(b)->target();
    if (!ta || !tb) {
        return 0;
    }
    platform::FileTime fa = 0, fb = 0;
    const bool va = platform::systemTimeToFileTime(ta->props().modified, fa);
    const bool vb = platform::systemTimeToFileTime(tb->props().modified, fb);
    if (!va || !vb) {
        // Two dates without a moment compare equal, so that the order stays a
        // consistent one for sorting.
        return va == vb ? 0 : (va ? 1 : -1);
    }
    return fa < fb ? -1 : (fa > fb ? 1 : 0);
}

int RefOrder::bysequence(const Node* a, const Node* b) {
    const auto* ra = dynamic_cast<const OrgRef2*>(a);
    const auto* rb = dynamic_cast<const OrgRef2*>(b);
    if (!ra || !rb) {
        return 0;
    }
    return int{rb->orgprop().sequence} - int{ra->orgprop().sequence};
}

int RefOrder::byname(const Node* a, const Node* b) {
    return collation::comparenocase(asref(a)->name().view(), asref(b)->name().view());
}

// A text without a separator ("news:", or what is left of "mailto:x@y") is
// compared whole against the other text, not as a piece against its last
// piece.
int RefOrder::byhost(const Node* a, const Node* b) {
    std::string_view ta = asref(a)->name().view();
    std::string_view tb = asref(b)->name().view();
    for (;;) {
        std::string_view restA = ta, restB = tb, pa, pb;
        if (!cutpiece(restA, pa) || !cutpiece(restB, pb))
            return collation::comparenocase(ta, tb);
        if (const int c = collation::comparenocase(pa, pb))
            return c;
        ta = restA;
        tb = restB;
    }
}

int RefOrder::byhostcount(const Node* a, const Node* b) {
    const auto* ha = dynamic_cast<const DomainRef*>(a);
    const auto* hb = dynamic_cast<const DomainRef*>(b);
    if (!ha || !hb) {
        return 0;
    }
    return sign(std::int64_t{ha->hostcount()} - std::int64_t{hb->hostcount()});
}

List::Compare RefOrder::resultcompare(std::uint32_t resultorder) {
    switch (resultorder) {
    case 0:
        return &bysequence;
    case 1:
        return &bydate;
    default:
        return nullptr;
    }
}

Node* RefOrder::resultposition(const List& parent, const Node* node, List::Compare compare) {
    if (!compare) {
        return nullptr;
    }
    auto after = [node](Node* c) {
        Node* next = c ? c->next() : nullptr;
        return next == node ? node->next() : next;
    };
    for (Node* c = parent.last(); c; c = c->prev()) {
        if (c != node && compare(node, c) <= 0) {
            return after(c);
        }
    }
    Node* first = parent.first();
    return first == node ? node->next() : first;
}

bool RefOrder::resultinorder(const Node* node, List::Compare compare) {
    if (!compare) {
        return true;
    }
    const Node* before = node->prev();
    const Node* behind = node->next();
    return (!before || compare(node, before) <= 0) && (!behind || compare(node, behind) >= 0);
}

} // namespace qx
