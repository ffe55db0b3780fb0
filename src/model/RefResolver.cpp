#include "model/RefResolver.h"

#include "stream/iwstream.h"
#include "stream/owstream.h"

namespace qx {

RefResolver::~RefResolver() = default;

void RefResolver::prefetch(std::uint32_t) {}

void RefResolver::putid(owstream& out, std::uint32_t id) const {
    if (wide_) {
        out.put32(id);
    } else {
        out.put16(id > 0xFFFF ? 0 : static_cast<std::uint16_t>(id));
    }
}

std::uint32_t RefResolver::getid(iwstream& in) const {
    if (wide_) {
        std::uint32_t id = 0;
        in.get32(id);
        return id;
    }
    std::uint16_t id = 0;
    in.get16(id);
    return id;
}

} // namespace qx
