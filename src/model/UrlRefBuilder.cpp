#include "model/UrlRefBuilder.h"

#include "model/DomainRef.h"
#include "model/RefRoot.h"

namespace qx {

int UrlRefBuilder::writekind(owstream& out, const Ref& node) {
    // A host is a path piece too: the path pieces, by far the most, are asked
    // for first, then the hosts among them.
    std::uint8_t kind = kOther;
    if (const auto* url = dynamic_cast<const UrlRef*>(&node)) {
        kind = dynamic_cast<const DomainRef*>(url) ? kDomain : kUrl;
    } else if (dynamic_cast<const RefRoot*>(&node)) {
        kind = kRoot;
    }
    return putkind(out, kind);
}

std::unique_ptr<Ref> UrlRefBuilder::create(iwstream& in, int) {
    switch (getkind(in)) {
    case kDomain:
        return std::make_unique<DomainRef>();
    case kUrl:
        return std::make_unique<UrlRef>();
    default:
        return nullptr;
    }
}

} // namespace qx
