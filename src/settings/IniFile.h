#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qx {

// The text of a settings file, read and changed the way the Windows profile
// functions do it: section and key names are found without regard to ASCII
// case and with blanks around them ignored; the first of duplicate keys and of
// duplicate sections wins; a line without "=" is a key without a value. Every
// line that is not changed (comments, unknown keys, blank lines, their order)
// comes back out of serialize() as it went in.
class IniFile {
public:
    IniFile(); // an empty file
    static IniFile parse(std::string_view bytes);
    std::string serialize() const;

    // The value of a key, blanks around it removed; nullopt when the section or
    // key is missing or the key's line has no "=".
    std::optional<std::string_view> find(std::string_view section, std::string_view key) const;

    // Replaces the value of the key's first line, or adds the key at the end of
    // its section, or the section at the end of the file. Line breaks in the
    // value become blanks, so that a value can never add lines of its own.
    void set(std::string_view section, std::string_view key, std::string_view value);

    // Removes every section of that name with all its lines; false when none was there.
    bool removeSection(std::string_view section);

private:
    struct Section {
        std::string folded; // the name for lookups; empty for the lines before any header
        std::vector<std::string> lines; // the header line first, when there is one
        std::unordered_map<std::string, std::size_t> keys; // folded key -> first line
    };

    Section* findSection(std::string_view name);
    const Section* findSection(std::string_view name) const;
    void indexSections();
    static void indexKey(Section& section, std::size_t line);

    std::vector<Section> sections_; // sections_[0] holds the lines before the first header
    std::unordered_map<std::string, std::size_t> sectionIndex_; // folded name -> first section
    std::string eol_ = "\n";
    bool bom_ = false;
};

} // namespace qx
