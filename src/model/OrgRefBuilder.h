#pragma once

#include "model/RefTreeBuilder.h"

namespace qx {

// The kinds of the organizer tree: folders, references and results
// (OrgRef2), and saved searches (SearchRef).
class OrgRefBuilder : public RefTreeBuilder {
public:
    static constexpr std::uint8_t kOrgRef = 2;
    static constexpr std::uint8_t kSearch = 3;

    int writekind(owstream& out, const Ref& node) override;
    std::unique_ptr<Ref> create(iwstream& in, int version) override;
};

} // namespace qx
