#include "search/ModuleSignature.h"

#include <fstream>
#include <memory>
#include <openssl/evp.h>

namespace qx {

namespace {

// The public half of the maker's module-signing key pair; the private half
// never enters the repository.
constexpr ModuleSignature::PublicKey kMakerKey = {
    0x3d, 0x85, 0xd8, 0x4a, 0x97, 0x5f, 0x25, 0xc8, 0xcc, 0x35, 0x35, 0x27, 0xb7, 0x26, 0x97, 0x9f,
    0x95, 0x45, 0x5b, 0x52, 0x45, 0xec, 0x85, 0xca, 0xd2, 0xba, 0x39, 0x9f, 0xfa, 0x38, 0x7b, 0xa1};

struct FreeKey {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct FreeContext {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};

} // namespace

bool readFileBytes(const std::string& path, std::uint64_t limit, std::string& bytes) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return false;
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::uint64_t>(size) > limit)
        return false;
    bytes.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    in.read(bytes.data(), size);
    return in.gcount() == size;
}

const ModuleSignature::PublicKey& ModuleSignature::builtInKey() {
    return kMakerKey;
}

bool ModuleSignature::verify(const std::string& file, const std::string& signatureFile,
                             const PublicKey& key, std::uint64_t maxBytes) {
    std::string signature;
    std::string message;
    if (!readFileBytes(signatureFile, kSignatureSize, signature) ||
        signature.size() != kSignatureSize || !readFileBytes(file, maxBytes, message))
        return false;
    const std::unique_ptr<EVP_PKEY, FreeKey> publicKey(
        EVP_PKEY_new_raw_public_key(EVP_PKEY_ED25519, nullptr, key.data(), key.size()));
    const std::unique_ptr<EVP_MD_CTX, FreeContext> context(EVP_MD_CTX_new());
    if (!publicKey || !context ||
        EVP_DigestVerifyInit(context.get(), nullptr, nullptr, nullptr, publicKey.get()) != 1)
        return false;
    return EVP_DigestVerify(context.get(), reinterpret_cast<const unsigned char*>(signature.data()),
                            signature.size(),
                            reinterpret_cast<const unsigned char*>(message.data()),
                            message.size()) == 1;
}

} // namespace qx
