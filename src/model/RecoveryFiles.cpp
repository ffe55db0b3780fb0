#include "model/RecoveryFiles.h"

#include "model/DDoc.h"
#include "model/DocumentFormat.h"
#include "model/DocumentKey.h"
#include "platform/FilePath.h"
#include "platform/FileSystem.h"
#include "settings/AtomicFile.h"
#include "stream/mwstream.h"

#include <filesystem>

namespace qx {

namespace {

constexpr const char* kPathSuffix = ".path";
// A path file holds one path; anything longer is not one we wrote.
constexpr std::size_t kMaxPathFile = 64 * 1024;
// No path of a file begins this way: paths here are absolute.
constexpr std::string_view kUntitledPrefix = "untitled:";

} // namespace

bool RecoverySnapshot::take(DDoc& doc, const std::string& document, RecoverySnapshot& snapshot) {
    mwstream out(64 * 1024);
    if (doc.write(out) != DocumentFormat::Ok || !out.good())
        return false;
    snapshot.document = document;
    snapshot.bytes.assign(out.buffer().data(), static_cast<std::size_t>(out.buffer().size()));
    return true;
}

RecoveryFiles::RecoveryFiles(const std::string& dataHome)
    : folder_(platform::joinPath(dataHome, "qxseek/recovery")) {}

std::string RecoveryFiles::untitledName(unsigned long process, unsigned long opening) {
    return std::string(kUntitledPrefix) + std::to_string(process) + "-" + std::to_string(opening);
}

bool RecoveryFiles::isUntitled(const std::string& document) {
    return document.starts_with(kUntitledPrefix);
}

std::string RecoveryFiles::fileFor(const std::string& document) const {
    return platform::joinPath(folder_, documentKey(document) + ".qxo");
}

platform::SysError RecoveryFiles::write(const RecoverySnapshot& snapshot) const {
    const std::string file = fileFor(snapshot.document);
    if (platform::SysError e = AtomicFile::replace(file, snapshot.bytes))
        return e;
    return AtomicFile::replace(file + kPathSuffix, snapshot.document + "\n");
}

std::vector<RecoveryFiles::Entry> RecoveryFiles::list() const {
    std::vector<Entry> entries;
    for (const std::string& name : platform::filesMatching(folder_, "*.qxo")) {
        Entry entry{platform::joinPath(folder_, name), {}};
        std::string path;
        if (platform::readWholeFile(entry.file + kPathSuffix, kMaxPathFile, path) == 0 &&
            path.size() > 1 && path.back() == '\n' &&
            path.find_first_of(std::string("\n\0", 2)) == path.size() - 1) {
            path.pop_back();
            entry.document = path;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

void RecoveryFiles::remove(const std::string& document) const {
    const std::string file = fileFor(document);
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    std::filesystem::remove(file + kPathSuffix, ignored);
}

void RecoveryFiles::setAside(const Entry& entry) const {
    std::error_code ignored;
    std::filesystem::rename(entry.file, entry.file + ".unreadable", ignored);
    std::filesystem::rename(entry.file + kPathSuffix, entry.file + ".unreadable" + kPathSuffix,
                            ignored);
}

} // namespace qx
