#pragma once

#include "model/Ref.h"

namespace qx {

// A domain-tree node below a host: one piece of an address path.
class UrlRef : public Ref {
public:
    using Ref::Ref;

    // Dimmed when there is no target or its properties never came from the web.
    RefIcon icon() const override;
};

} // namespace qx
