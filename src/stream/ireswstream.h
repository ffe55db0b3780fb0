#pragma once

#include "platform/Module.h"
#include "stream/iwstream.h"

namespace qx {

// Unbuffered input from a resource of a loaded module, which must stay loaded
// while the stream lives. A missing resource gives a stream with badbit.
class ireswstream : public iwstream {
public:
    ireswstream(const platform::Module* module, const char* name, const char* type);
    explicit ireswstream(const platform::Resource& resource);
};

} // namespace qx
