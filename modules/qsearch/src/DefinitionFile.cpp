#include "DefinitionFile.h"

#include <cstdlib>
#include <dlfcn.h>
#include <fstream>
#include <sys/stat.h>

namespace qsearch {

namespace {

constexpr const char* kFileName = "qsearch.json";

bool isFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

std::string DefinitionFile::userPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (config && *config == '/') {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !*home)
            return {};
        base = std::string(home) + "/.config";
    }
    return base + "/qxseek/" + kFileName;
}

std::string DefinitionFile::shippedPath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&DefinitionFile::shippedPath), &info) == 0 ||
        !info.dli_fname)
        return kFileName;
    // Absolute, so that the answer holds whatever the working folder.
    char* resolved = realpath(info.dli_fname, nullptr);
    std::string path = resolved ? resolved : info.dli_fname;
    std::free(resolved);
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? kFileName : path.substr(0, slash + 1) + kFileName;
}

std::string DefinitionFile::locate() {
    const std::string user = userPath();
    return !user.empty() && isFile(user) ? user : shippedPath();
}

bool DefinitionFile::readText(const std::string& path, std::string& text) {
    text.clear();
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::size_t>(info.st_size) > kMaxSize)
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    text.resize(static_cast<std::size_t>(info.st_size));
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return !in.bad();
}

DefinitionSet DefinitionFile::load(const std::string& path,
                                   std::vector<DefinitionMessage>& messages) {
    std::string text;
    if (!readText(path, text))
        return {};
    return DefinitionReader::read(text, messages);
}

} // namespace qsearch
