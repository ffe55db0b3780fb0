#include "stream/ireswstreambuf.h"

#include <climits>

namespace qx {

namespace {
platform::Resource find(const platform::Module* module, const char* name, const char* type) {
    return module ? module->findResource(name, type) : platform::Resource{};
}
} // namespace

ireswstreambuf::ireswstreambuf(const platform::Module* module, const char* name, const char* type)
    : ireswstreambuf(find(module, name, type)) {}

// The resource's bytes are read-only; the base only writes through write(),
// which is refused here.
ireswstreambuf::ireswstreambuf(const platform::Resource& resource)
    : memwstreambuf(resource.size <= INT_MAX ? const_cast<void*>(resource.data) : nullptr,
                    static_cast<int>(resource.size <= INT_MAX ? resource.size : 0)) {}

int ireswstreambuf::write(const void*, int) {
    return -1;
}

} // namespace qx
