#pragma once

#include "stream/otwstream.h"

namespace qx {

// Text output to a file it opens (create: make or truncate it).
class otfwstream : public otwstream {
public:
    explicit otfwstream(const char* path, bool create = true);
};

} // namespace qx
