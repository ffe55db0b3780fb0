#include "settings/ApplicationProfile.h"

#include "platform/DecimalText.h"
#include "platform/TextLimit.h"
#include "settings/AtomicFile.h"

#include <algorithm>

namespace qx {

namespace {

std::string_view withoutQuotes(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

std::string ApplicationProfile::protectText(std::string_view text) {
    if (!text.empty() && text.front() == '"' && text.back() == '"')
        return "\"" + std::string(text) + "\"";
    return std::string(text);
}

ApplicationProfile::ApplicationProfile(std::string path) : path_(std::move(path)) {}

const IniFile* ApplicationProfile::current() const {
    Identity now = platform::identifyFile(path_);
    if (!cacheValid_ || !(now == cachedAs_)) {
        std::string bytes;
        readable_ = AtomicFile::read(path_, bytes) == 0;
        cache_ = IniFile::parse(bytes);
        cachedAs_ = now;
        cacheValid_ = true;
    }
    return readable_ ? &cache_ : nullptr;
}

std::string ApplicationProfile::readLocked(std::string_view section, std::string_view key,
                                           std::string_view def) const {
    std::string value(def);
    if (const IniFile* ini = current())
        if (auto found = ini->find(section, key))
            value = withoutQuotes(*found);
    platform::limitText(value, kReadCapacity - 1);
    return value;
}

std::string ApplicationProfile::readString(std::string_view section, std::string_view key,
                                           std::string_view def) const {
    std::lock_guard lock(mutex_);
    return readLocked(section, key, def);
}

int ApplicationProfile::readInt(std::string_view section, std::string_view key, int def) const {
    std::string text = readString(section, key, "");
    return text.empty() ? def : platform::leadingInteger(text);
}

void ApplicationProfile::readList(std::string_view section, std::vector<std::string>& list,
                                  int maxEntries) const {
    list.clear();
    std::lock_guard lock(mutex_);
    std::string countText = readLocked(section, "count", "");
    int count = countText.empty() ? 0 : platform::leadingInteger(countText);
    count = std::clamp(count, 0, maxEntries);
    for (int i = 0; i < count; ++i)
        list.push_back(readLocked(section, std::to_string(i), ""));
}

bool ApplicationProfile::modify(const std::function<bool(IniFile&)>& change) {
    std::lock_guard lock(mutex_);
    // Time stamps move in ticks: an edit by another program within the tick of
    // the last read can look unchanged. A write starts from the file as it is,
    // so that it never discards such an edit.
    cacheValid_ = false;
    const IniFile* ini = current();
    if (!ini)
        return false;
    IniFile changed = *ini;
    if (!change(changed))
        return true;
    if (AtomicFile::replace(path_, changed.serialize()) != 0) {
        cacheValid_ = false;
        return false;
    }
    cache_ = std::move(changed);
    cachedAs_ = platform::identifyFile(path_);
    return true;
}

bool ApplicationProfile::writeString(std::string_view section, std::string_view key,
                                     std::string_view text, bool protect) {
    return modify([&](IniFile& ini) {
        ini.set(section, key, protect ? protectText(text) : std::string(text));
        return true;
    });
}

bool ApplicationProfile::writeInt(std::string_view section, std::string_view key, int value) {
    return writeString(section, key, std::to_string(value));
}

bool ApplicationProfile::writeStrings(
    std::string_view section, const std::vector<std::pair<std::string, std::string>>& values) {
    return modify([&](IniFile& ini) {
        for (const auto& [key, value] : values)
            ini.set(section, key, value);
        return !values.empty();
    });
}

bool ApplicationProfile::deleteSection(std::string_view section) {
    return modify([&](IniFile& ini) { return ini.removeSection(section); });
}

bool ApplicationProfile::writeList(std::string_view section, const std::vector<std::string>& list,
                                   bool protect) {
    return modify([&](IniFile& ini) {
        bool removed = ini.removeSection(section);
        if (list.empty())
            return removed;
        ini.set(section, "count", std::to_string(list.size()));
        for (std::size_t i = 0; i < list.size(); ++i)
            ini.set(section, std::to_string(i), protect ? protectText(list[i]) : list[i]);
        return true;
    });
}

} // namespace qx
