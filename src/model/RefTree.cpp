#include "model/RefTree.h"

#include "model/Object.h"
#include "model/RefResolver.h"
#include "stream/iwstream.h"
#include "stream/otwstream.h"
#include "stream/owstream.h"

namespace qx {

RefTree::RefTree(const Str& name) : name_(name) {}

RefTree* RefTree::parentref() const {
    // Asked for every label a view builds: no dynamic_cast here.
    Tree* up = parent();
    return up ? up->asreftree() : nullptr;
}

Container* RefTree::container() const {
    const Tree* top = root();
    const auto* ref = top == this ? nullptr : dynamic_cast<const RefTree*>(top);
    return ref ? ref->container() : nullptr;
}

int RefTree::write(owstream& out, RefResolver& resolver) const {
    resolver.putid(out, resolver.idof(target_));
    out << name_;
    return out.state() ? 1 : 0;
}

int RefTree::read(iwstream& in, int, RefResolver& resolver) {
    loadedid_ = resolver.getid(in);
    in >> name_;
    return in.state() ? 1 : 0;
}

void RefTree::fixup(RefResolver& resolver) {
    // The targets of a loaded tree lie scattered over the container, and each
    // node waits first for the identifier's entry, then for the page itself.
    // Two cursors run ahead in the same walk: the far one asks for the
    // entries, the near one (whose entries have arrived by then) for the
    // pages, so that the node being fixed finds both in the cache.
    constexpr int kNear = 8;
    constexpr int kFar = 2 * kNear;
    auto step = [this](Tree* node) { return node ? node->nextpreorder(this) : nullptr; };
    auto askentry = [&resolver](Tree* node) {
        if (RefTree* ref = node ? node->asreftree() : nullptr) {
            resolver.prefetch(ref->loadedid_);
        }
    };
    auto askpage = [&resolver](Tree* node) {
        RefTree* ref = node ? node->asreftree() : nullptr;
        if (ContainerObject* object = ref ? resolver.resolve(ref->loadedid_) : nullptr) {
            __builtin_prefetch(object, 1);
        }
    };
    Tree* far = this;
    Tree* near = this;
    for (int i = 0; i < kFar; ++i, far = step(far)) {
        askentry(far);
    }
    for (int i = 0; i < kNear; ++i, near = step(near)) {
        askpage(near);
    }
    for (Tree* node = this; node; node = step(node), far = step(far), near = step(near)) {
        askentry(far);
        askpage(near);
        if (RefTree* ref = node->asreftree()) {
            ref->fixupnode(resolver);
        }
    }
}

RefTree* RefTree::asreftree() {
    return this;
}

Str RefTree::label() const {
    std::string text;
    labelinto(text);
    return Str(text);
}

void RefTree::labelinto(std::string& text) const {
    if (name_.empty())
        text.assign(" ");
    else
        text.assign(name_.view());
}

void RefTree::dumpself(otwstream& out) const {
    out.putptr(this);
    dumpnameandtarget(out);
}

void RefTree::fixupnode(RefResolver& resolver) {
    ContainerObject* object = resolver.resolve(loadedid_);
    target_ = object ? object->asobject() : nullptr;
}

void RefTree::dumpnameandtarget(otwstream& out) const {
    out.puts(" name=").puts(name_).puts(" target=");
    if (target_) {
        target_->dump(out);
    } else {
        out.puts("none");
    }
}

} // namespace qx
