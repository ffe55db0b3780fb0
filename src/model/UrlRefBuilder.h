#pragma once

#include "model/RefTreeBuilder.h"

namespace qx {

// The kinds of the domain tree: hosts (DomainRef) and path pieces (UrlRef).
class UrlRefBuilder : public RefTreeBuilder {
public:
    static constexpr std::uint8_t kDomain = 2;
    static constexpr std::uint8_t kUrl = 3;

    int writekind(owstream& out, const Ref& node) override;
    std::unique_ptr<Ref> create(iwstream& in, int version) override;
};

} // namespace qx
