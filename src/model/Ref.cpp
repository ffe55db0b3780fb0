#include "model/Ref.h"

#include "model/Container.h"
#include "model/LabelTexts.h"
#include "model/Object.h"
#include "model/ViewItem.h"
#include "stream/iwstream.h"
#include "stream/otwstream.h"
#include "stream/owstream.h"

namespace qx {

Ref::Ref(const Str& name) : RefTree(name) {}

Ref::~Ref() {
    if (target_) {
        target_->release();
    }
}

void Ref::setname(const Str& name) {
    name_ = name;
    updateview();
}

void Ref::copyflags(Ref& to) const {
    to.flags_ = flags_;
    to.flags2_ = flags2_;
}

void Ref::updateview() const {
    if (viewitem_) {
        viewitem_->settext(label());
    }
}

std::unique_ptr<Ref> Ref::clone() const {
    return nullptr;
}

bool Ref::isvisible() const {
    const Container* owner = container();
    const LabelTexts& options = owner ? owner->labeltexts() : LabelTexts::none();
    if (!options.showhidden() && hasflags(kHiddenFlags)) {
        return false;
    }
    return hasflags(SavedSearch) || !options.shownew() || hasflags(New);
}

RefIcon Ref::icon() const {
    if (hasflags(CheckNotFound)) {
        return {10, false};
    }
    if (hasflags(New)) {
        return {5, false};
    }
    if (hasflags(Changed)) {
        return {3, false};
    }
    return {hasflags(Seen) ? 4 : 2, false};
}

RefStateIcon Ref::stateicon() const {
    if (hasflags(Checking) || (flags2_ & kChildChecking)) {
        return {0, 2};
    }
    if (hasflags(CheckNotFound | CheckError)) {
        return {1, 2};
    }
    if (hasflags(CheckUnchanged)) {
        return {2, 2};
    }
    if (hasflags(CheckChanged)) {
        return {3, 2};
    }
    return {0, 0};
}

int Ref::write(owstream& out, RefResolver& resolver) const {
    out.put16(flags_ & kStoredFlags);
    return RefTree::write(out, resolver);
}

int Ref::read(iwstream& in, int version, RefResolver& resolver) {
    // Only stored bits are taken: the others describe work of a running
    // program (a search running, a check under way) that no file can carry.
    in.get16(flags_);
    flags_ &= kStoredFlags;
    return RefTree::read(in, version, resolver);
}

void Ref::dumpself(otwstream& out) const {
    out.putptr(this).puts(" flags=0x").putuint(flags_, 16);
    out.puts(" item=").putptr(viewitem_);
    dumpnameandtarget(out);
}

void Ref::copyinto(Ref& copy) const {
    copy.name_ = name_;
    copyflags(copy);
}

void Ref::fixupnode(RefResolver& resolver) {
    RefTree::fixupnode(resolver);
    if (target_) {
        target_->addref();
    }
}

} // namespace qx
