#include "model/DDoc.h"

#include "model/Container.h"
#include "model/DocViews.h"
#include "model/DomainRef.h"
#include "model/FindInfo.h"
#include "model/HiddenMarks.h"
#include "model/Object.h"
#include "model/ObjectComparator.h"
#include "model/OrgRef2.h"
#include "model/RefOrder.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"
#include "model/SubtreeDeleter.h"
#include "model/URLPartIterator.h"
#include "stream/iwstream.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace qx {
namespace {

Ref* parentof(const Ref& node) {
    return static_cast<Ref*>(node.parent());
}

// How a copy's target is found: the same object, or the page of another
// document.
using TargetMap = std::function<Object*(Object*)>;

std::unique_ptr<Ref> copyone(const Ref& node, bool asorganizer, const TargetMap& map) {
    std::unique_ptr<Ref> copy = asorganizer ? nullptr : node.clone();
    // Roots and domain-tree nodes do not clone; they arrive as references.
    if (!copy)
        copy = std::make_unique<OrgRef2>(node.name());
    if (Object* target = node.target() ? map(node.target()) : nullptr) {
        copy->settarget(target);
        target->addref();
    }
    return copy;
}

// Builds the copy of a whole subtree apart from both trees, so that copying a
// node into its own subtree sees only the nodes that were there before, and
// without recursion, because trees read from files may be deep.
std::unique_ptr<Ref> copytree(const Ref& top, bool asorganizer, const TargetMap& map) {
    std::unique_ptr<Ref> copy = copyone(top, asorganizer, map);
    std::vector<std::pair<const Ref*, Ref*>> pending{{&top, copy.get()}};
    while (!pending.empty()) {
        auto [source, into] = pending.back();
        pending.pop_back();
        for (const Node* child = source->first(); child; child = child->next()) {
            const auto& from = *static_cast<const Ref*>(child);
            Ref* made = copyone(from, asorganizer, map).release();
            into->append(made); // the copy's child list owns it
            pending.emplace_back(&from, made);
        }
    }
    return copy;
}

bool busyorholdsbusy(const Node* child) {
    const auto& ref = *static_cast<const Ref*>(child);
    return ref.hasflags(Ref::Checking) || (ref.flags2() & Ref::kChildChecking);
}

// Whether a child of from's parent other than from is busy. Checks are handed
// out in tree order and end roughly in it, so the busy siblings of the one
// that just ended lie after it: looking there first keeps a check of a
// thousand siblings from scanning the ones already done a thousand times.
bool anysiblingbusy(const Ref& from) {
    for (const Node* child = from.next(); child; child = child->next()) {
        if (busyorholdsbusy(child))
            return true;
    }
    for (const Node* child = from.owner()->first(); child != &from; child = child->next()) {
        if (busyorholdsbusy(child))
            return true;
    }
    return false;
}

} // namespace

DDoc::DDoc()
    : container_(std::make_unique<Container>()),
      orgroot_(std::make_unique<RefRoot>(container_.get())),
      domainroot_(std::make_unique<RefRoot>(container_.get())), edit_(*orgroot_, *domainroot_) {}

DDoc::~DDoc() {
    orgroot_.reset();
    domainroot_.reset();
    container_.reset();
}

// --- Lookup

UrlRef* DDoc::finddomainnode(std::string_view url) {
    if (url.empty())
        return nullptr;
    URLPartIterator pieces(url);
    Ref* node = domainroot_.get();
    while (pieces.Next()) {
        node = findsorted(*node, pieces.Piece());
        if (!node)
            return nullptr;
        pieces.Advance();
    }
    if (!pieces.Piece().empty())
        node = findsorted(*node, pieces.Piece());
    return node ? dynamic_cast<UrlRef*>(node) : nullptr;
}

DomainIndex::Order DDoc::orderof(const Ref& parent) const {
    if (&parent != domainroot_.get())
        return DomainIndex::Order::Name;
    switch (sortservers_) {
    case HostsByHost:
        return DomainIndex::Order::Host;
    case HostsByCount:
        return DomainIndex::Order::Count;
    default:
        return DomainIndex::Order::NameNoCase;
    }
}

Ref* DDoc::findsorted(Ref& parent, std::string_view name, Ref** position) {
    DomainIndex::Place place = edit_.domainindex().find(parent, name, orderof(parent));
    if (position)
        *position = place.before;
    return place.found;
}

UrlRef* DDoc::domaintwin(const Ref& node) {
    const Object* target = node.target();
    return target ? finddomainnode(target->props().url.view()) : nullptr;
}

SearchRef* DDoc::searchbyquery(std::string_view query) {
    for (Tree* node = orgroot_.get(); node; node = node->nextpreorder(orgroot_.get())) {
        auto* search = static_cast<Ref*>(node)->hasflags(Ref::SavedSearch)
                           ? dynamic_cast<SearchRef*>(node)
                           : nullptr;
        if (search && search->searchprop().query.view() == query)
            return search;
    }
    return nullptr;
}

Object* DDoc::findpage(const std::string& url) const {
    if (url.empty())
        return nullptr;
    const SearchKey key(url.c_str(), false);
    return static_cast<Object*>(container_->find(ObjectComparator(key)));
}

Object* DDoc::findobject(const Object& object) const {
    return static_cast<Object*>(container_->find(ObjectComparator(object.identitykey())));
}

// --- Filing

UrlRef* DDoc::filedomainnode(std::string_view url) {
    if (url.empty())
        return nullptr;
    URLPartIterator pieces(url);
    Ref* node = domainroot_.get();
    std::string path;
    bool created = false;
    while (pieces.Next()) {
        node = &fileone(*node, pieces.Piece(), created);
        if (!path.empty())
            path += '/';
        path += pieces.Piece();
        if (created) {
            ObjectProp props;
            props.url = Str(path);
            edit_.settarget(*node, &createobject(props, Object::Created));
        }
        pieces.Advance();
    }
    if (!pieces.Piece().empty())
        node = &fileone(*node, pieces.Piece(), created);
    if (node == domainroot_.get())
        return nullptr;
    if (created) {
        for (Ref* up = node; up; up = parentof(*up)) {
            if (auto* host = dynamic_cast<DomainRef*>(up)) {
                bumphost(*host);
                break;
            }
        }
    }
    return dynamic_cast<UrlRef*>(node);
}

Ref& DDoc::fileone(Ref& parent, std::string_view piece, bool& created) {
    Ref* before = nullptr;
    if (Ref* found = findsorted(parent, piece, &before)) {
        created = false;
        return *found;
    }
    created = true;
    return createdomainnode(parent, Str(piece), before, parent.hasflags(Ref::kHiddenFlags));
}

// A host's count grows by one with every leaf filed below it. Under the count
// order a host that is still in order only changes its count; one that is not
// is taken out first, so that its place is found among hosts in order.
void DDoc::bumphost(DomainRef& host) {
    const std::uint32_t count = host.hostcount() + 1;
    const auto* before = dynamic_cast<const DomainRef*>(host.prev());
    const bool inorder = !before || before->hostcount() >= count;
    if (sortservers_ == HostsByCount && host.parent() == domainroot_.get() && !inorder) {
        movehost(host, count);
    } else {
        DomainIndex& index = edit_.domainindex();
        index.countchanging(host);
        host.sethostcount(count);
        index.countchanged(host);
    }
    edit_.settext(host);
}

void DDoc::repositionhost(DomainRef& host) {
    if (sortservers_ != HostsByCount || host.parent() != domainroot_.get())
        return;
    const std::uint32_t count = host.hostcount();
    const Node* before = host.prev();
    const Node* behind = host.next();
    if ((!before || DomainIndex::hostcount(before) >= count) &&
        (!behind || DomainIndex::hostcount(behind) <= count))
        return;
    movehost(host, count);
}

void DDoc::movehost(DomainRef& host, std::uint32_t count) {
    const bool hadItem = host.viewitem() != nullptr;
    edit_.removeitem(host);
    edit_.detach(host);
    host.sethostcount(count);
    Ref* after = edit_.domainindex().hostplace(*domainroot_, count);
    edit_.attach(*domainroot_, host,
                 after ? static_cast<Ref*>(after->next())
                       : static_cast<Ref*>(domainroot_->first()));
    if (hadItem)
        edit_.showitem(host);
}

// --- Creating

Object& DDoc::createobject(const ObjectProp& props, std::uint16_t flags) {
    auto object = std::make_unique<Object>(props);
    object->addflags(flags);
    return *static_cast<Object*>(container_->add(std::move(object)));
}

UrlRef& DDoc::createdomainnode(Ref& parent, const Str& name, Ref* before, bool hidden) {
    std::unique_ptr<UrlRef> node;
    if (&parent == domainroot_.get())
        node = std::make_unique<DomainRef>(name);
    else
        node = std::make_unique<UrlRef>(name);
    if (hidden)
        node->addflags(Ref::Hidden);
    auto& made = static_cast<UrlRef&>(edit_.insert(parent, std::move(node), before));
    settlemarks();
    return made;
}

OrgRef2& DDoc::createresult(Object* target, const OrgProp* prop, Ref& parent, Ref* before,
                            bool hidden) {
    return placeresult(std::make_unique<OrgRef2>(target ? target->label() : Str()), target, prop,
                       parent, before, hidden);
}

OrgRef2& DDoc::createresult(const Str& name, const OrgProp* prop, Ref& parent, Ref* before,
                            bool hidden) {
    return placeresult(std::make_unique<OrgRef2>(name), nullptr, prop, parent, before, hidden);
}

OrgRef2& DDoc::placeresult(std::unique_ptr<OrgRef2> node, Object* target, const OrgProp* prop,
                           Ref& parent, Ref* before, bool hidden) {
    if (prop)
        node->setorgprop(*prop);
    if (hidden)
        node->addflags(Ref::Hidden);
    if (target) {
        node->settarget(target);
        target->addref();
    }
    if (!before && dynamic_cast<SearchRef*>(&parent))
        before = static_cast<Ref*>(RefOrder::resultposition(
            parent, node.get(), RefOrder::resultcompare(orgroot_->resultorder())));
    auto& made = static_cast<OrgRef2&>(edit_.insert(parent, std::move(node), before));
    settlemarks();
    return made;
}

OrgRef2& DDoc::createresultobject(const ObjectProp& props, const OrgProp& prop, Ref& parent,
                                  Ref* before) {
    OrgRef2& node =
        createresult(&createobject(props, Object::Created), &prop, parent, before, false);
    hints_ |= HintNodes;
    return node;
}

SearchRef& DDoc::createsearch(const Str& name, Ref& parent, Ref* before) {
    auto node = std::make_unique<SearchRef>(name);
    node->addflags(Ref::New | Ref::SavedSearch);
    hints_ |= HintNodes;
    auto& made = static_cast<SearchRef&>(edit_.insert(parent, std::move(node), before));
    settlemarks();
    return made;
}

OrgRef2& DDoc::createfolder(const Str& name, Ref& parent, Ref* before) {
    return createresult(name, nullptr, parent, before, false);
}

// --- Placing

void DDoc::reposition(Ref& result) {
    List::Compare compare = RefOrder::resultcompare(orgroot_->resultorder());
    Ref* parent = parentof(result);
    if (!parent || !compare || RefOrder::resultinorder(&result, compare))
        return;
    edit_.move(*parent, result,
               static_cast<Ref*>(RefOrder::resultposition(*parent, &result, compare)));
    settlemarks();
}

void DDoc::childrenreordered(Ref& node) {
    for (Tree* n = &node; n; n = n->nextpreorder(&node))
        edit_.reordered(*static_cast<Ref*>(n));
    edit_.refreshitem(node);
}

void DDoc::sortbydate(Ref& node) {
    node.sortall(&RefOrder::bydate, true);
    childrenreordered(node);
}

// bysequence answers b's sequence minus a's, so ascending sequences come from
// the descending sort.
void DDoc::sortbysequence(Ref& node) {
    node.sortall(&RefOrder::bysequence, true);
    childrenreordered(node);
}

void DDoc::sorthosts() {
    switch (sortservers_) {
    case HostsByHost:
        domainroot_->sort(&RefOrder::byhost, false);
        break;
    case HostsByCount:
        domainroot_->sort(&RefOrder::byhostcount, true);
        break;
    default:
        domainroot_->sort(&RefOrder::byname, false);
        break;
    }
    edit_.reordered(*domainroot_);
    edit_.refreshitem(*domainroot_);
}

// --- Properties

void DDoc::setobjectprops(Object& object, const ObjectProp& props) {
    replaceprops(object, props);
    edit_.touch();
    object.addchangemask(Object::kPropsChanged);
    changedobjects_.insert(&object);
    hints_ |= HintProps | HintNodes | HintDeleted;
    commit();
}

void DDoc::replaceprops(Object& page, const ObjectProp& props) {
    page.setprops(props);
    relabel(page);
}

int DDoc::mergeprops(Object& page, const ObjectProp& newer) {
    const int answer = page.mergeprops(newer);
    relabel(page);
    return answer;
}

void DDoc::relabel(const Object& page) {
    for (Ref* node : referrers(&page)) {
        node->updateview();
        for (const Node* child = node->first(); child; child = child->next())
            static_cast<const Ref*>(child)->updateview();
    }
}

void DDoc::setsearchrequest(SearchRef& search, const FindInfo& request) {
    search.setrequest(request, labeltexts());
    hints_ |= HintProps | HintNodes | HintDeleted;
    commit();
}

void DDoc::commit() {
    if (DocViews* views = edit_.views())
        views->changed(hints_);
    hints_ = 0;
    for (Object* object : changedobjects_)
        object->clearchangemask();
    changedobjects_.clear();
}

// --- Deleting

void DDoc::deletenode(Ref& node) {
    edit_.destroy(node);
    settlemarks();
}

void DDoc::deletesubtree(Ref& node) {
    if (!node.parent())
        return;
    SubtreeDeleter(*this, edit_).run(node);
    settlemarks();
    hints_ |= HintNodes | HintDeleted;
}

void DDoc::removeobject(Object& object) {
    changedobjects_.erase(&object);
    container_->remove(&object);
}

// --- Copying, merging and the clipboard

Ref* DDoc::copysubtree(const Ref& node, Ref& parent, Ref* before) {
    auto same = [](Object* target) { return target; };
    Ref* copy = &edit_.insert(parent, copytree(node, false, same), before);
    settlemarks();
    return copy;
}

Ref* DDoc::copyasorganizer(const Ref& node, Ref& parent, Ref* before) {
    auto same = [](Object* target) { return target; };
    Ref* copy = &edit_.insert(parent, copytree(node, true, same), before);
    settlemarks();
    return copy;
}

Ref* DDoc::mergefrom(const Ref& other, Ref& parent) {
    auto join = [this](Object* target) {
        Object* mine = findobject(*target);
        return mine ? mine : &createobject(target->props(), 0);
    };
    Ref* copy = &edit_.insert(parent, copytree(other, false, join), nullptr);
    settlemarks();
    return copy;
}

void DDoc::setlabeltexts(const LabelTexts* texts) {
    container_->setlabeltexts(texts);
}

const LabelTexts& DDoc::labeltexts() const {
    return container_->labeltexts();
}

std::unique_ptr<DDoc> DDoc::copyselection(std::span<const Ref* const> nodes) const {
    auto copy = std::make_unique<DDoc>();
    copy->setlabeltexts(&labeltexts());
    for (const Ref* node : nodes)
        copy->mergefrom(*node, copy->orgroot());
    return copy;
}

int DDoc::pasteinto(iwstream& in, Ref& parent) {
    if (!in.good())
        return -1;
    DDoc source;
    source.setlabeltexts(&labeltexts());
    if (int result = source.read(in))
        return result;
    pasteinto(source, parent);
    return 0;
}

void DDoc::pasteinto(DDoc& source, Ref& parent) {
    // The source's nodes may live in the memory of the source's read: this
    // document takes copies of them, never the nodes themselves.
    auto same = [](Object* target) { return target; };
    while (Node* top = source.orgroot().first()) {
        auto& from = *static_cast<Ref*>(top);
        Ref& node = edit_.link(parent, copytree(from, false, same), nullptr);
        source.edit_.takeout(from).reset();
        adopttargets(node);
        edit_.showitem(node);
    }
    settlemarks();
}

void DDoc::adopttargets(Ref& top) {
    for (Tree* n = &top; n; n = n->nextpreorder(&top)) {
        Ref& node = *static_cast<Ref*>(n);
        Object* old = node.target();
        if (!old)
            continue;
        Object* page = nullptr;
        if (UrlRef* filed = filedomainnode(old->props().url.view())) {
            page = filed->target();
            if (!page) {
                page = &createobject(old->props(), Object::Created | Object::Confirmed);
                edit_.settarget(*filed, page);
            } else if (!page->hasflags(Object::Confirmed)) {
                // Filing made the node's page as a bare path piece (a host
                // is one: "http://example.org/" ends at it): the incoming
                // page's title and exact address take its place.
                mergeprops(*page, old->props());
            }
        } else {
            page = findobject(*old);
            if (!page)
                page = &createobject(old->props(), old->flags() & Object::kStoredFlags);
        }
        edit_.settarget(node, page);
    }
}

// --- Marks

void DDoc::marknew(Ref& node, bool withtwin) {
    for (Ref* n = &node; n && !n->hasflags(Ref::New); n = parentof(*n)) {
        n->addflags(Ref::New);
        if (withtwin) {
            if (UrlRef* twin = domaintwin(*n))
                marknew(*twin, false);
        }
        // With only new references shown, the mark may just have made it visible.
        if (n->viewitem())
            edit_.repaint(*n);
        else
            edit_.showitem(*n);
    }
}

void DDoc::markchanged(Ref& node) {
    node.addflags(Ref::Changed);
    edit_.repaint(node);
    for (Ref* n = parentof(node); n && !n->hasflags(Ref::New); n = parentof(*n)) {
        n->addflags(Ref::Changed);
        edit_.repaint(*n);
    }
}

void DDoc::markseen(Ref& node) {
    node.addflags(Ref::Seen);
    edit_.repaint(node);
    for (Ref* n = parentof(node); n && !n->hasflags(Ref::New | Ref::Changed); n = parentof(*n)) {
        n->addflags(Ref::Seen);
        edit_.repaint(*n);
    }
}

void DDoc::setbusy(Ref& node, bool on) {
    if (on)
        node.addflags(Ref::Checking);
    else
        node.clearflags(Ref::Checking);
    edit_.repaint(node);
    for (Ref *child = &node, *n = parentof(node); n && n->parent(); child = n, n = parentof(*n)) {
        const bool has = (n->flags2() & Ref::kChildChecking) != 0;
        if (on) {
            if (has)
                break;
            n->setflags2(n->flags2() | Ref::kChildChecking);
        } else {
            if (busyorholdsbusy(child) || anysiblingbusy(*child))
                break;
            n->setflags2(n->flags2() & ~Ref::kChildChecking);
        }
        edit_.repaint(*n);
    }
}

void DDoc::setcheckstate(Ref& node, std::uint16_t state) {
    state &= Ref::kCheckState;
    if (state ? node.hasflags(state) : !node.hasflags(Ref::kCheckState))
        return;
    node.setflags(static_cast<std::uint16_t>((node.flags() & ~Ref::kCheckState) | state));
    edit_.repaint(node);
}

void DDoc::settlemarks() {
    const std::vector<Ref*> parents = edit_.taketouched();
    if (!parents.empty())
        HiddenMarks(*this, edit_).settle(parents);
}

void DDoc::hide(std::span<Ref* const> nodes) {
    HiddenMarks(*this, edit_).hide(nodes);
}

void DDoc::show(std::span<Ref* const> nodes) {
    HiddenMarks(*this, edit_).show(nodes);
}

} // namespace qx
