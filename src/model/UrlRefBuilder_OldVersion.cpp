#include "model/UrlRefBuilder_OldVersion.h"

#include "model/UrlRef.h"
#include "stream/owstream.h"

namespace qx {

int UrlRefBuilder_OldVersion::writekind(owstream& out, const Ref&) {
    return out.good() ? 0 : 1;
}

std::unique_ptr<Ref> UrlRefBuilder_OldVersion::create(iwstream&, int) {
    return std::make_unique<UrlRef>();
}

} // namespace qx
