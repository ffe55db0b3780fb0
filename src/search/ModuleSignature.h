#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qx {

// Checks a downloaded search module against its detached Ed25519 signature
// (the 64 raw signature bytes in a file of their own). A module is code that
// the program loads, so nothing is installed unless the maker signed it.
class ModuleSignature {
public:
    using PublicKey = std::array<unsigned char, 32>;
    static constexpr std::size_t kSignatureSize = 64;

    // The maker's key, built into the program.
    static const PublicKey& builtInKey();

    // Whether signatureFile holds key's signature of the bytes of file. A file
    // that is missing, larger than maxBytes, or a signature file of another
    // size fails.
    static bool verify(const std::string& file, const std::string& signatureFile,
                       const PublicKey& key, std::uint64_t maxBytes);
};

// The bytes of a file, when it can be read whole and has at most limit bytes.
bool readFileBytes(const std::string& path, std::uint64_t limit, std::string& bytes);

} // namespace qx
