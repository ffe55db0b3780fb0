#include "stream/iowstream.h"

namespace qx {

iowstream::iowstream(wstreambuf* buf) : wstream(buf) {}

} // namespace qx
