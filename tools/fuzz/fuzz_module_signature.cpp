// A downloaded module and its signature are any bytes a server sends: every
// pair must be read and refused without a crash. Forging the maker's
// signature is out of reach, so a pair that verifies is a fault.
#include "search/ModuleSignature.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::string writeTemp(const char* name, const std::uint8_t* data, std::size_t size) {
    const std::string path = "/tmp/fuzz_module_signature." + std::to_string(getpid()) + name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first bytes are the signature file (of the right size when there
    // are enough), the rest the module.
    const std::size_t split =
        size < qx::ModuleSignature::kSignatureSize ? size / 2 : qx::ModuleSignature::kSignatureSize;
    const std::string signature = writeTemp(".sig", data, split);
    const std::string module = writeTemp(".so", data + split, size - split);
    if (qx::ModuleSignature::verify(module, signature, qx::ModuleSignature::builtInKey(), 1 << 20))
        std::abort();
    std::remove(module.c_str());
    std::remove(signature.c_str());
    return 0;
}
