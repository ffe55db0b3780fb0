#include "search/ResultFiler.h"

#include "model/Container.h"
#include "model/DDoc.h"
#include "model/FindInfo.h"
#include "model/Object.h"
#include "model/ObjectProp.h"
#include "model/OrgRef2.h"
#include "model/SearchRef.h"
#include "model/UrlRef.h"
#include "search/SearchBoard.h"
#include "search/SearchRunState.h"
#include "search/SearchScreen.h"
#include "search/WSearchInfo.h"

#include <memory>
#include <string>

namespace qx {

namespace {

constexpr std::uint16_t kMarks = Ref::New | Ref::Changed | Ref::Seen;

OrgRef2* asresult(Tree* node) {
    return dynamic_cast<OrgRef2*>(node);
}

bool isgroup(const OrgRef2& node) {
    return (node.extraflags() & OrgRef2::Group) != 0;
}

// Whether a comes before b in a pre-order walk of a subtree holding both.
bool precedes(Ref* a, Ref* b) {
    if (b->isdescendant(a)) {
        return true;
    }
    if (a->isdescendant(b)) {
        return false;
    }
    // The two ancestors (or selves) that are siblings decide.
    while (a->depth() > b->depth()) {
        a = static_cast<Ref*>(a->parent());
    }
    while (b->depth() > a->depth()) {
        b = static_cast<Ref*>(b->parent());
    }
    while (a->parent() != b->parent()) {
        a = static_cast<Ref*>(a->parent());
        b = static_cast<Ref*>(b->parent());
    }
    for (Node* n = a->next(); n; n = n->next()) {
        if (n == b) {
            return true;
        }
    }
    return false;
}

OrgRef2* firstinpreorder(const std::vector<OrgRef2*>& nodes) {
    OrgRef2* first = nullptr;
    for (OrgRef2* n : nodes) {
        if (!first || precedes(n, first)) {
            first = n;
        }
    }
    return first;
}

// How far below top the node lies, or -1 when not within its subtree.
int depthbelow(const Ref& node, const Ref& top) {
    int depth = 0;
    for (const Tree* n = &node; n; n = n->parent(), ++depth) {
        if (n == &top) {
            return depth;
        }
    }
    return -1;
}

} // namespace

ResultFiler::ResultFiler(DDoc& doc, SearchScreen& screen, SearchBoard& jobs)
    : doc_(doc), screen_(screen), jobs_(jobs), anchors_(doc) {}

void ResultFiler::file(const WSearchInfo& item, SearchRunState& run, const FindInfo& request) {
    SearchRef* search = run.search;
    if (!search) {
        return;
    }
    const bool filed = item.level == 0 || place(item, run, request, *search);
    anchors_.sync();
    if (filed) {
        status(*search, item.level);
    }
}

bool ResultFiler::place(const WSearchInfo& item, SearchRunState& run, const FindInfo& request,
                        SearchRef& search) {
    ObjectProp props = ObjectProp::fromresult(item.title, item.url, item.date, item.charset,
                                              static_cast<std::uint32_t>(item.size),
                                              static_cast<std::uint16_t>(item.server));
    const OrgProp prop{static_cast<std::uint16_t>(item.fitness),
                       static_cast<std::uint16_t>(item.sequence)};
    if (item.level == 1) {
        closeheading(run);
        // The index heard of every change closing made.
        anchors_.sync();
    }
    if (props.url.empty()) {
        if (item.level != 1) {
            return false;
        }
        // A module that reads page after page heads each page's results of
        // one host anew: the run keeps them under the heading it made first.
        if (OrgRef2* earlier = run.madeheading(props.title.view())) {
            run.heading = earlier;
            return true;
        }
        OrgRef2& heading = doc_.createresultobject(props, prop, search, nullptr);
        heading.setextraflags(heading.extraflags() | OrgRef2::Unshown);
        doc_.removeitem(heading);
        anchors_.added(heading);
        run.heading = &heading;
        run.headings.push_back(&heading);
        return true;
    }
    // A result under a heading is found by the heading's title and keeps its
    // own (the heading's only when it has none).
    Str anchortitle = props.title;
    if (item.level == 2) {
        if (!run.heading || !run.heading->target()) {
            return false;
        }
        anchortitle = run.heading->target()->props().title;
        if (props.title.empty()) {
            props.title = anchortitle;
        }
    }

    OrgRef2* anchornode = anchor(run, search, anchortitle.view());
    UrlRef* domainnode = doc_.filedomainnode(props.url.view());
    if (!domainnode) {
        return false;
    }
    Object* page = domainnode->target();
    OrgRef2* known = nullptr;
    int answer = 2;
    if (page) {
        answer = doc_.mergeprops(*page, props);
        // The title may have changed: the anchor index hears of it.
        for (Ref* r : doc_.referrers(page)) {
            anchors_.added(*r);
        }
        known = findresult(search, *page, anchornode);
    } else {
        auto created = std::make_unique<Object>(props);
        created->addflags(Object::Confirmed);
        if (domainnode->hasflags(Ref::kHiddenFlags)) {
            created->addflags(Object::Hidden);
        }
        page = static_cast<Object*>(doc_.container().add(std::move(created)));
        doc_.settarget(*domainnode, page);
    }

    SearchProp& counters = search.searchprop();
    run.found += 1;
    if (!known || !known->hasflags(kMarks)) {
        counters.total += 1;
    }
    if (!known) {
        run.added += 1;
        counters.added += 1;
        return filenew(*page, anchornode, prop, run, request, search);
    }
    fileknown(*known, answer, prop, props, item.level, run);
    return true;
}

void ResultFiler::closeheading(SearchRunState& run) {
    OrgRef2* heading = run.heading;
    run.heading = nullptr;
    if (!heading || !heading->first() || heading->first()->next()) {
        return;
    }
    OrgRef2* only = asresult(heading->firstchild());
    auto* parent = static_cast<Ref*>(heading->parent());
    if (!only || !parent) {
        return;
    }
    moveto(*parent, *only, heading);
    anchors_.removed(*heading);
    run.forget(*heading);
    doc_.deletenode(*heading);
}

OrgRef2* ResultFiler::anchor(SearchRunState& run, SearchRef& search, std::string_view title) {
    OrgRef2* heading = run.heading;
    if (!heading || (heading->extraflags() & OrgRef2::Unshown)) {
        return asresult(anchors_.find(search, title, heading));
    }
    OrgRef2* parent = asresult(heading->parent());
    return parent ? parent : heading;
}

OrgRef2* ResultFiler::findresult(SearchRef& search, Object& page, OrgRef2* anchornode) {
    std::vector<OrgRef2*> near, within;
    for (Ref* r : doc_.referrers(&page)) {
        OrgRef2* result = asresult(r);
        if (!result) {
            continue;
        }
        const int depth = anchornode ? depthbelow(*result, *anchornode) : -1;
        if (depth >= 0 && depth <= 2) {
            near.push_back(result);
        } else if (result->isdescendant(&search)) {
            within.push_back(result);
        }
    }
    return firstinpreorder(near.empty() ? within : near);
}

void ResultFiler::fileknown(OrgRef2& result, int answer, const OrgProp& prop,
                            const ObjectProp& props, std::uint32_t level, SearchRunState& run) {
    result.mergeresult(prop);
    Object& page = *result.target();
    if (platform::isLater(props.modified, page.props().modified)) {
        ObjectProp dated = page.props();
        dated.modified = props.modified;
        doc_.replaceprops(page, dated);
    }
    OrgRef2* heading = run.heading;
    auto* parent = static_cast<Ref*>(result.parent());
    if (level == 2 && heading && parent != heading) {
        OrgRef2* group = asresult(parent);
        if (!group || isgroup(*group)) {
            showheading(*heading);
            moveto(*parent, *heading, &result);
            moveto(*heading, result, nullptr);
            groupupdate(*heading, result);
            doc_.reposition(*heading);
        } else if (group->isdescendant(heading)) {
            // The earlier heading lies inside this one: folding this one into
            // it would delete the result with it. The result stays where it is.
        } else {
            while (Tree* child = heading->firstchild()) {
                if (OrgRef2* moved = asresult(child)) {
                    moveto(*group, *moved, nullptr);
                    groupupdate(*group, *moved);
                } else {
                    doc_.move(*group, *static_cast<Ref*>(child), nullptr);
                }
            }
            doc_.reposition(*group);
            anchors_.removed(*heading);
            run.forget(*heading);
            doc_.deletenode(*heading);
            run.heading = group;
        }
    }
    if (answer == 2) {
        doc_.marknew(result, true);
    } else if (answer == 1) {
        doc_.markchanged(result);
    } else {
        doc_.markseen(result);
    }
    propagate(result);
}

bool ResultFiler::filenew(Object& page, OrgRef2* anchornode, const OrgProp& prop,
                          SearchRunState& run, const FindInfo& request, SearchRef& search) {
    OrgRef2* heading = run.heading;
    if (anchornode && anchornode != heading && !isgroup(*anchornode)) {
        const Object* anchorpage = anchornode->target();
        if (!anchorpage) {
            return false;
        }
        ObjectProp groupprops;
        groupprops.title = anchorpage->props().title;
        groupprops.modified = anchorpage->props().modified;
        groupprops.servers = anchorpage->props().servers;
        OrgRef2& group =
            doc_.createresultobject(groupprops, anchornode->orgprop(), search, anchornode);
        group.setextraflags(group.extraflags() | OrgRef2::Group);
        anchors_.added(group);
        moveto(group, *anchornode, nullptr);
        anchornode = &group;
    }
    const bool hidden = page.hasflags(Object::Hidden);
    if (hidden && heading && !heading->first()) {
        heading->addflags(Ref::Hidden);
    }
    Ref* parent = &search;
    if (heading) {
        showheading(*heading);
        if (anchornode && anchornode != heading) {
            moveto(*anchornode, *heading, nullptr);
            doc_.reposition(*heading);
        }
        parent = heading;
    } else if (anchornode) {
        parent = anchornode;
    }
    OrgRef2& result = doc_.createresult(&page, &prop, *parent, nullptr, hidden);
    anchors_.added(result);
    propagate(result);
    doc_.marknew(result, true);
    if (request.check && !page.props().url.empty()) {
        jobs_.queuecheck(result);
    }
    return true;
}

void ResultFiler::moveto(Ref& parent, Ref& node, Ref* before) {
    doc_.move(parent, node, before);
    node.updateview();
    if (node.hasflags(Ref::New) && !parent.hasflags(Ref::New)) {
        doc_.marknew(parent, false);
    }
    anchors_.added(node);
}

void ResultFiler::showheading(OrgRef2& heading) {
    if (heading.extraflags() & OrgRef2::Unshown) {
        heading.setextraflags(heading.extraflags() & ~OrgRef2::Unshown);
        doc_.showitem(heading);
    }
}

void ResultFiler::groupupdate(OrgRef2& group, const OrgRef2& from) {
    OrgProp prop = group.orgprop();
    prop.merge(from.orgprop());
    group.setorgprop(prop);
    Object* target = group.target();
    const Object* other = from.target();
    if (!target || !other) {
        return;
    }
    ObjectProp props = target->props();
    const bool later = platform::isLater(other->props().modified, props.modified);
    const auto servers = static_cast<std::uint16_t>(props.servers | other->props().servers);
    if (!later && servers == props.servers) {
        return;
    }
    props.servers = servers;
    if (later) {
        props.modified = other->props().modified;
    }
    doc_.replaceprops(*target, props);
}

void ResultFiler::propagate(OrgRef2& node) {
    for (OrgRef2* n = &node;;) {
        doc_.reposition(*n);
        OrgRef2* parent = asresult(n->parent());
        if (!parent) {
            return;
        }
        groupupdate(*parent, *n);
        n = parent;
    }
}

void ResultFiler::status(SearchRef& search, std::uint32_t level) {
    const std::uint32_t total = search.searchprop().total;
    if (total % 10 == 0) {
        std::string text(search.name().view());
        if (level > 0) {
            text += ' ' + std::to_string(total) + "...";
        }
        screen_.status(text);
    }
    screen_.progress();
}

} // namespace qx
