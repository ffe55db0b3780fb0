#pragma once

#include "platform/FileSystem.h"
#include "settings/IniFile.h"

#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qx {

// The settings file. Every read sees the file as it is on the disk: it is read
// again when its device, inode, size, modification time or change time (which
// a restored modification time cannot hide) differ from the last read. Every
// write reads the file first and rewrites it whole and atomically. Safe to use
// from several threads.
class ApplicationProfile {
public:
    // A value read back is cut to this many bytes less one.
    static constexpr std::size_t kReadCapacity = 1024;
    // The list reader reads no more entries than this, whatever "count" says.
    static constexpr int kMaxListEntries = 25;

    explicit ApplicationProfile(std::string path);
    ApplicationProfile(const ApplicationProfile&) = delete;
    ApplicationProfile& operator=(const ApplicationProfile&) = delete;

    const std::string& path() const { return path_; }

    // The stored decimal integer (its leading digits; 0 when there are none), or
    // def when the key is missing or empty.
    int readInt(std::string_view section, std::string_view key, int def) const;
    // The stored text, or def when the key is missing; one pair of enclosing
    // double quotes is removed and the result cut to kReadCapacity - 1 bytes.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view def) const;

    // Writes return false when the file could not be written (or could not be
    // read first: a file that cannot be read is never replaced).
    //
    // With protect on, a text that begins and ends with a double quote is
    // wrapped in one more pair, so that it reads back unchanged.
    bool writeString(std::string_view section, std::string_view key, std::string_view text,
                     bool protect = false);
    bool writeInt(std::string_view section, std::string_view key, int value);
    // Several keys of one section in one rewrite.
    bool writeStrings(std::string_view section,
                      const std::vector<std::pair<std::string, std::string>>& values);
    bool deleteSection(std::string_view section);

    // The text as quote protection stores it: one more pair of double quotes
    // around a text that begins and ends with one.
    static std::string protectText(std::string_view text);

    // Entries "0" .. "count"-1 of a section, at most maxEntries of them.
    void readList(std::string_view section, std::vector<std::string>& list,
                  int maxEntries = kMaxListEntries) const;
    // Replaces the section by "count" and the entries; an empty list leaves no
    // section at all.
    bool writeList(std::string_view section, const std::vector<std::string>& list, bool protect);

private:
    using Identity = platform::FileIdentity;

    // The file's content, read again when the file changed. Null when the file
    // exists but cannot be read. Called with mutex_ held.
    const IniFile* current() const;
    std::string readLocked(std::string_view section, std::string_view key,
                           std::string_view def) const;
    // Applies a change that answers whether it changed anything, and writes the
    // file when it did.
    bool modify(const std::function<bool(IniFile&)>& change);

    std::string path_;
    mutable std::mutex mutex_;
    mutable IniFile cache_;           // guarded by mutex_
    mutable Identity cachedAs_;       // guarded by mutex_
    mutable bool cacheValid_ = false; // guarded by mutex_
    mutable bool readable_ = true;    // guarded by mutex_
};

} // namespace qx
