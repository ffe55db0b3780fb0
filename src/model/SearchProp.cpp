#include "model/SearchProp.h"

#include "stream/iwstream.h"
#include "stream/owstream.h"

namespace qx {

void SearchProp::setrequest(const FindInfo& request) {
    static_cast<FindInfo&>(*this) = request;
    time = platform::currentFileTime();
}

SearchProp SearchProp::copied() const {
    SearchProp copy;
    static_cast<FindInfo&>(copy) = *this;
    copy.total = total;
    copy.added = added;
    copy.broken = broken;
    return copy;
}

void SearchProp::write(owstream& out) const {
    FindInfo::write(out);
    out.put32(total);
    out.put32(added);
    out.put32(broken);
    out.put64(time);
    serverinfo.write(out);
}

void SearchProp::read(iwstream& in) {
    FindInfo::read(in);
    in.get32(total);
    in.get32(added);
    in.get32(broken);
    in.get64(time);
    serverinfo.read(in);
}

} // namespace qx
