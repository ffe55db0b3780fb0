#include "stream/ireswstream.h"

#include "stream/ireswstreambuf.h"

namespace qx {

ireswstream::ireswstream(const platform::Module* module, const char* name, const char* type) {
    adopt(std::make_unique<ireswstreambuf>(module, name, type));
}

ireswstream::ireswstream(const platform::Resource& resource) {
    adopt(std::make_unique<ireswstreambuf>(resource));
}

} // namespace qx
