#pragma once

#include "stream/iwstream.h"
#include "stream/owstream.h"

namespace qx {

// Input and output through one transport and one state.
class iowstream : public iwstream, public owstream {
public:
    explicit iowstream(wstreambuf* buf);

protected:
    iowstream() = default;
};

} // namespace qx
