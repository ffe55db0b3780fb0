#include "model/SubtreeDeleter.h"

#include "model/DDoc.h"
#include "model/Object.h"
#include "model/RefRoot.h"

namespace qx {
namespace {

Ref* parentof(const Ref& node) {
    return static_cast<Ref*>(node.parent());
}

Ref* deepestfirst(Ref* node) {
    while (node->first())
        node = static_cast<Ref*>(node->first());
    return node;
}

} // namespace

void SubtreeDeleter::run(Ref& node) {
    fromdomain_ = edit_.indomain(node);
    Ref* parent = parentof(node);
    deletesubtree(node);
    if (candidates_.empty())
        return;
    if (fromdomain_) {
        deleteorganizerleaves();
        climb(parent);
    }
    deletedomainleaves();
    for (ObjRefNode* n = candidates_.firstobj(); n; n = n->nextobj()) {
        if (n->object()->refcounter() == 0)
            doc_.removeobject(*n->object());
    }
}

// Children first, each node releasing its target before the target is judged.
void SubtreeDeleter::deletesubtree(Ref& top) {
    edit_.removeitem(top);
    edit_.dropjobs(top);
    for (Ref* node = deepestfirst(&top);;) {
        Ref* up = parentof(*node);
        const bool last = node == &top;
        Object* target = node->target();
        edit_.discard(*node);
        collect(target);
        if (last)
            break;
        node = deepestfirst(up);
    }
}

// A page deleted from the domain tree goes whatever else refers to it; one
// deleted from the organizer tree only when at most its domain node is left.
void SubtreeDeleter::collect(Object* target) {
    if (target && (fromdomain_ || target->refcounter() <= 1))
        candidates_.add(target);
}

Ref* SubtreeDeleter::leafof(const Object* object, bool indomain) {
    for (Ref* node : edit_.targets().referrers(object)) {
        if (node->parent() && !node->first() && edit_.indomain(*node) == indomain)
            return node;
    }
    return nullptr;
}

void SubtreeDeleter::deleteorganizerleaves() {
    for (ObjRefNode* n = candidates_.firstobj(); n; n = n->nextobj()) {
        while (Ref* leaf = leafof(n->object(), false)) {
            // A parent left without children goes as well when it stood for a
            // collected page too.
            for (Ref* node = leaf; node && node->parent() && !node->first() &&
                                   candidates_.contains(node->target());) {
                Ref* up = parentof(*node);
                edit_.destroy(*node);
                node = up;
            }
        }
    }
}

void SubtreeDeleter::deletedomainleaves() {
    for (ObjRefNode* n = candidates_.firstobj(); n; n = n->nextobj()) {
        while (Ref* leaf = leafof(n->object(), true)) {
            Ref* up = parentof(*leaf);
            edit_.destroy(*leaf);
            climb(up);
        }
    }
    // Pages still standing for a path below them are path nodes from now on.
    for (ObjRefNode* n = candidates_.firstobj(); n; n = n->nextobj()) {
        for (Ref* node : edit_.targets().referrers(n->object())) {
            if (node->first() && node->parent() && edit_.indomain(*node))
                n->object()->clearflags(Object::Confirmed);
        }
    }
}

void SubtreeDeleter::climb(Ref* node) {
    while (node && node->parent() && !node->first()) {
        Object* target = node->target();
        const bool collected = !target || candidates_.contains(target);
        if (!collected && target->hasflags(Object::Confirmed))
            return;
        Ref* up = parentof(*node);
        edit_.destroy(*node);
        if (!collected && target->refcounter() == 0)
            doc_.removeobject(*target);
        node = up;
    }
}

} // namespace qx
