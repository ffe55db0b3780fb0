#pragma once

#include "model/UrlRef.h"

#include <cstdint>

namespace qx {

// A host of the domain tree (a child of the domain root), with the count of
// addresses filed below it.
class DomainRef : public UrlRef {
public:
    using UrlRef::UrlRef;

    std::uint32_t hostcount() const { return hostcount_; }
    void sethostcount(std::uint32_t count) { hostcount_ = count; }

    // The host count (32 bits), then the Ref part.
    int write(owstream& out, RefResolver& resolver) const override;
    int read(iwstream& in, int version, RefResolver& resolver) override;
    void dumpself(otwstream& out) const override;

private:
    std::uint32_t hostcount_ = 0;
};

} // namespace qx
