#include "model/OrgRefBuilder.h"

#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"

namespace qx {

int OrgRefBuilder::writekind(owstream& out, const Ref& node) {
    // The commonest class first: a failed cast costs a walk of the classes.
    std::uint8_t kind = kOther;
    if (dynamic_cast<const OrgRef2*>(&node)) {
        kind = kOrgRef;
    } else if (dynamic_cast<const SearchRef*>(&node)) {
        kind = kSearch;
    } else if (dynamic_cast<const RefRoot*>(&node)) {
        kind = kRoot;
    }
    return putkind(out, kind);
}

std::unique_ptr<Ref> OrgRefBuilder::create(iwstream& in, int) {
    switch (getkind(in)) {
    case kOrgRef:
        return std::make_unique<OrgRef2>();
    case kSearch:
        return std::make_unique<SearchRef>();
    default:
        return nullptr;
    }
}

} // namespace qx
