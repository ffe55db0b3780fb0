#include "model/DomainRef.h"

#include "stream/iwstream.h"
#include "stream/otwstream.h"
#include "stream/owstream.h"

namespace qx {

int DomainRef::write(owstream& out, RefResolver& resolver) const {
    out.put32(hostcount_);
    return UrlRef::write(out, resolver);
}

int DomainRef::read(iwstream& in, int version, RefResolver& resolver) {
    in.get32(hostcount_);
    return UrlRef::read(in, version, resolver);
}

void DomainRef::dumpself(otwstream& out) const {
    UrlRef::dumpself(out);
    out.puts(" domainrefcount=").putuint(hostcount_);
}

} // namespace qx
