#pragma once

#include "model/Ref.h"

namespace qx {

// The base of organizer-tree nodes; every concrete one can be copied.
class OrgRef0 : public Ref {
public:
    using Ref::Ref;

    std::unique_ptr<Ref> clone() const override = 0;
};

} // namespace qx
