#pragma once

#include "platform/Module.h"
#include "stream/memwstreambuf.h"

namespace qx {

// Reads a resource that a loaded module exports. The bytes belong to the
// module, which must stay loaded while the buffer lives; writing is refused.
class ireswstreambuf : public memwstreambuf {
public:
    // Not open when the module is null or has no such resource.
    ireswstreambuf(const platform::Module* module, const char* name, const char* type);
    explicit ireswstreambuf(const platform::Resource& resource);

    int write(const void* src, int n) override;
};

} // namespace qx
