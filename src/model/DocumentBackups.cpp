#include "model/DocumentBackups.h"

#include "model/DocumentKey.h"
#include "platform/FilePath.h"
#include "platform/FileSystem.h"
#include "settings/AtomicFile.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>

namespace qx {

namespace {

// A document is read whole to be copied; one larger than this is not a
// document the program wrote.
constexpr std::size_t kMaxDocumentSize = std::size_t(2) << 30;

std::string stamp(std::int64_t nowMs) {
    const std::time_t seconds = static_cast<std::time_t>(nowMs / 1000);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    char text[40];
    const std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", &local);
    std::snprintf(text + n, sizeof text - n, "-%03d", static_cast<int>(nowMs % 1000));
    return text;
}

} // namespace

DocumentBackups::DocumentBackups(std::string dataHome, std::string document, int keep)
    : folder_(platform::joinPath(platform::joinPath(dataHome, "qxseek/backups"),
                                 documentKey(document))),
      document_(std::move(document)), keep_(std::max(keep, 0)) {}

platform::SysError DocumentBackups::keepCopy(std::int64_t nowMs) const {
    if (keep_ == 0 || !platform::isRegularFile(document_))
        return 0;
    std::string bytes;
    if (platform::SysError e = platform::readWholeFile(document_, kMaxDocumentSize, bytes))
        return e;
    const std::string stem = documentKey(document_);
    std::string path;
    // Two keepings within one millisecond get the next free name.
    for (std::int64_t ms = nowMs;; ++ms) {
        path = platform::joinPath(folder_, stem + "_" + stamp(ms) + ".qxo");
        if (!platform::identifyFile(path).exists)
            break;
    }
    if (platform::SysError e = AtomicFile::replace(path, bytes))
        return e;
    const std::vector<std::string> kept = list();
    std::error_code ignored;
    for (std::size_t i = static_cast<std::size_t>(keep_); i < kept.size(); ++i)
        std::filesystem::remove(kept[i], ignored);
    return 0;
}

std::vector<std::string> DocumentBackups::list() const {
    // Every name in the folder starts with the same key: the stamps order them.
    std::vector<std::string> names = platform::filesMatching(folder_, "*.qxo");
    std::reverse(names.begin(), names.end());
    for (std::string& name : names)
        name = platform::joinPath(folder_, name);
    return names;
}

} // namespace qx
