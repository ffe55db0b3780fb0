#include "model/FindInfo.h"

#include "stream/iwstream.h"
#include "stream/owstream.h"

namespace qx {

void FindInfo::write(owstream& out) const {
    out << query;
    out.put32(static_cast<std::uint32_t>(max));
    out.put16(servers);
    out.put8(check ? 1 : 0);
    out.put8(static_cast<std::uint8_t>(queryMode));
    out << exclude;
}

void FindInfo::read(iwstream& in) {
    in >> query;
    std::uint32_t wanted = 0;
    in.get32(wanted);
    max = static_cast<std::int32_t>(wanted);
    in.get16(servers);
    std::uint8_t byte = 0;
    in.get8(byte);
    check = byte != 0;
    in.get8(byte);
    queryMode = byte;
    in >> exclude;
}

} // namespace qx
