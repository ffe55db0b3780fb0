#pragma once

#include "model/Ref.h"

#include <cstdint>

namespace qx {

// The root of the organizer tree or of the domain tree. The organizer root
// carries the order of results under saved searches.
class RefRoot : public Ref {
public:
    // Results by ascending sequence, or by date (newest first).
    enum : std::uint32_t { BySequence = 0, ByDate = 1 };

    explicit RefRoot(Container* owner = nullptr) : owner_(owner) {}

    Container* owner() const { return owner_; }
    std::uint32_t resultorder() const { return resultorder_; }
    void setresultorder(std::uint32_t order) { resultorder_ = order; }

    Container* container() const override;
    // The result order (8 bits), then the Ref part.
    int write(owstream& out, RefResolver& resolver) const override;
    int read(iwstream& in, int version, RefResolver& resolver) override;

private:
    Container* owner_;
    std::uint32_t resultorder_ = BySequence;
};

} // namespace qx
