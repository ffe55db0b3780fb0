#include "model/DDoc.h"

#include "stream/iwstream.h"
#include "stream/owstream.h"

namespace qx {

// The document file format is not built yet: until it is, a document can be
// neither written nor read, and says so with the stream-failure result.
int DDoc::write(owstream&) {
    return 1;
}

int DDoc::read(iwstream&) {
    return 1;
}

} // namespace qx
