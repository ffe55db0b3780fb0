#include "model/RefTreeBuilder.h"

#include "stream/iwstream.h"
#include "stream/owstream.h"

namespace qx {

RefTreeBuilder::~RefTreeBuilder() = default;

int RefTreeBuilder::putkind(owstream& out, std::uint8_t kind) {
    out.put8(kind);
    return out.good() ? 0 : 1;
}

std::uint8_t RefTreeBuilder::getkind(iwstream& in) {
    std::uint8_t kind = kOther;
    in.get8(kind);
    return kind;
}

} // namespace qx
