#include "model/RefRoot.h"

#include "stream/iwstream.h"
#include "stream/owstream.h"

namespace qx {

Container* RefRoot::container() const {
    return owner_;
}

int RefRoot::write(owstream& out, RefResolver& resolver) const {
    out.put8(static_cast<std::uint8_t>(resultorder_));
    return Ref::write(out, resolver);
}

int RefRoot::read(iwstream& in, int version, RefResolver& resolver) {
    std::uint8_t order = 0;
    in.get8(order);
    resultorder_ = order;
    return Ref::read(in, version, resolver);
}

} // namespace qx
