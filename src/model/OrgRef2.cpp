#include "model/OrgRef2.h"

#include "model/Object.h"
#include "stream/iwstream.h"
#include "stream/owstream.h"

#include <string>

namespace qx {

namespace {
// The format version from which results store their extra flag word.
constexpr int kExtraFlagsVersion = 2;
} // namespace

void OrgRef2::mergeresult(const OrgProp& prop) {
    orgprop_.merge(prop);
    updateview();
}

std::unique_ptr<Ref> OrgRef2::clone() const {
    auto copy = std::make_unique<OrgRef2>();
    copyinto(*copy);
    copy->orgprop_ = orgprop_;
    copy->extraflags_ = extraflags_;
    return copy;
}

bool OrgRef2::isvisible() const {
    return !(extraflags_ & Unshown) && OrgRef0::isvisible();
}

RefIcon OrgRef2::icon() const {
    RefIcon result = OrgRef0::icon();
    result.dimmed = !empty() || !target_ || target_->props().url.empty();
    return result;
}

void OrgRef2::labelinto(std::string& text) const {
    if (!target_) {
        // A folder is known by the name the user gave it.
        OrgRef0::labelinto(text);
        return;
    }
    const ObjectProp& props = target_->props();
    const RefTree* up = parentref();
    const Object* above = up ? up->target() : nullptr;
    const bool sametitle = above && above->props().title == props.title;
    const bool address = props.title.empty() || (sametitle && !props.url.empty());
    text.assign(address ? props.url.view() : props.title.view());
    props.appendlabelsuffix(text, target_->labeltexts());
    if (text.empty())
        text.assign(" ");
}

int OrgRef2::write(owstream& out, RefResolver& resolver) const {
    out.put16(orgprop_.fitness);
    out.put16(orgprop_.sequence);
    out.put16(extraflags_ & kStoredExtraFlags);
    return OrgRef0::write(out, resolver);
}

int OrgRef2::read(iwstream& in, int version, RefResolver& resolver) {
    in.get16(orgprop_.fitness);
    in.get16(orgprop_.sequence);
    if (version >= kExtraFlagsVersion) {
        // A heading not shown yet exists only while a search files results.
        in.get16(extraflags_);
        extraflags_ &= kStoredExtraFlags;
    }
    return OrgRef0::read(in, version, resolver);
}

} // namespace qx
