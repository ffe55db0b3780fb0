#include "model/DocumentFormat.h"

#include "stream/iwstream.h"
#include "stream/owstream.h"

namespace qx {

const char DocumentFormat::kMagic[kMagicSize] = {'N', 'o', 'r', 'b', 'a', ' ',  'E',
                                                 'd', 'i', 't', 'o', 'r', 0x1A, 0x00};

bool DocumentFormat::knownversion(std::uint32_t version) {
    return version >= 1 && version <= kWideVersion;
}

void DocumentFormat::putcount(owstream& out, std::uint32_t count, bool wide) {
    if (wide) {
        out.put32(count);
    } else {
        out.put16(static_cast<std::uint16_t>(count));
    }
}

std::uint32_t DocumentFormat::getcount(iwstream& in, bool wide) {
    if (wide) {
        std::uint32_t count = 0;
        in.get32(count);
        return count;
    }
    std::uint16_t count = 0;
    in.get16(count);
    return count;
}

} // namespace qx
