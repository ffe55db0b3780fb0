#include "DefinitionFile.h"

#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>

namespace qsearch {

namespace {

constexpr const char* kFileName = "qsearch.json";

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

std::string DefinitionFile::shippedPath(const std::string& folder) {
    return folder.empty() ? kFileName : folder + "/" + kFileName;
}

std::string DefinitionFile::moduleFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&DefinitionFile::moduleFolder), &info) == 0 ||
        !info.dli_fname)
        return {};
    std::error_code error;
    const std::filesystem::path path = std::filesystem::canonical(info.dli_fname, error);
    return error ? std::string() : path.parent_path().string();
}

bool DefinitionFile::readText(const std::string& path, std::string& text) {
    text.clear();
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxSize)
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    text.resize(static_cast<std::size_t>(size));
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

DefinitionFile::Merged DefinitionFile::loadMerged(const std::string& folder) {
    Merged merged;
    merged.shipped.path = shippedPath(folder);
    merged.user.path = userPath();
    std::string text;
    if (readText(merged.shipped.path, text)) {
        merged.shipped.read = true;
        merged.set = DefinitionReader::read(text, merged.shipped.messages);
    }
    if (merged.user.path.empty() || !readText(merged.user.path, text))
        return merged;
    merged.user.read = true;
    DefinitionSet user = DefinitionReader::read(text, merged.user.messages);
    DefinitionSet& set = merged.set;
    set.fileBroken = set.fileBroken || user.fileBroken;
    set.connectTimeout = user.connectTimeout;
    set.stallTimeout = user.stallTimeout;
    set.totalTimeout = user.totalTimeout;
    for (int number : user.broken) {
        set.engines.erase(number);
        set.broken.insert(number);
    }
    for (auto& [number, definition] : user.engines) {
        set.broken.erase(number);
        set.engines.insert_or_assign(number, std::move(definition));
    }
    return merged;
}

} // namespace qsearch
