#include "model/UrlRefBuilder.h"

#include "model/DomainRef.h"
#include "model/RefRoot.h"

namespace qx {

int UrlRefBuilder::writekind(owstream& out, const Ref& node) {
    std::uint8_t kind = kOther;
    if (dynamic_cast<const RefRoot*>(&node)) {
        kind = kRoot;
    } else if (dynamic_cast<const DomainRef*>(&node)) {
        kind = kDomain;
    } else if (dynamic_cast<const UrlRef*>(&node)) {
        kind = kUrl;
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
