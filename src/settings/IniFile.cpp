#include "settings/IniFile.h"

#include <algorithm>
#include <utility>

namespace qx {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// The blanks the profile functions strip; Ctrl+Z ends old DOS text files.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v' || c == '\x1a';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string fold(std::string_view s) {
    s = trim(s);
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// The name between "[" and the last "]" of a header line, or nullopt when the
// line is not a header.
std::optional<std::string_view> headerName(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    std::size_t close = line.rfind(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return line.substr(1, close - 1);
}

// The key name of a line (the whole trimmed line when it has no "=").
std::string_view keyName(std::string_view line) {
    line = trim(line);
    return trim(line.substr(0, line.find('=')));
}

} // namespace

IniFile::IniFile() : sections_(1) {}

IniFile IniFile::parse(std::string_view bytes) {
    IniFile ini;
    if (bytes.substr(0, kBom.size()) == kBom) {
        ini.bom_ = true;
        bytes.remove_prefix(kBom.size());
    }
    std::size_t firstBreak = bytes.find_first_of("\r\n");
    if (firstBreak != std::string_view::npos)
        ini.eol_ = bytes.substr(firstBreak, 2) == "\r\n" ? "\r\n" : bytes.substr(firstBreak, 1);

    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        pos = end + 1;
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n')
            ++pos;

        if (auto name = headerName(line)) {
            Section section;
            section.folded = fold(*name);
            ini.sections_.push_back(std::move(section));
        }
        Section& current = ini.sections_.back();
        current.lines.emplace_back(line);
        if (current.lines.size() > 1 || &current == &ini.sections_.front())
            indexKey(current, current.lines.size() - 1);
    }
    ini.indexSections();
    return ini;
}

std::string IniFile::serialize() const {
    std::string out;
    if (bom_)
        out += kBom;
    for (const Section& section : sections_)
        for (const std::string& line : section.lines) {
            out += line;
            out += eol_;
        }
    return out;
}

void IniFile::indexKey(Section& section, std::size_t line) {
    std::string_view text = trim(section.lines[line]);
    if (text.empty())
        return;
    std::string name = fold(keyName(text));
    if (!name.empty())
        section.keys.emplace(std::move(name), line); // the first of duplicate keys wins
}

void IniFile::indexSections() {
    sectionIndex_.clear();
    for (std::size_t i = 1; i < sections_.size(); ++i)
        sectionIndex_.emplace(sections_[i].folded, i);
}

const IniFile::Section* IniFile::findSection(std::string_view name) const {
    auto it = sectionIndex_.find(fold(name));
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

IniFile::Section* IniFile::findSection(std::string_view name) {
    return const_cast<Section*>(std::as_const(*this).findSection(name));
}

std::optional<std::string_view> IniFile::find(std::string_view section,
                                              std::string_view key) const {
    const Section* found = findSection(section);
    if (!found)
        return std::nullopt;
    auto it = found->keys.find(fold(key));
    if (it == found->keys.end())
        return std::nullopt;
    std::string_view line = found->lines[it->second];
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return trim(line.substr(eq + 1));
}

void IniFile::set(std::string_view section, std::string_view key, std::string_view value) {
    std::string clean(value);
    std::replace_if(
        clean.begin(), clean.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');

    Section* target = findSection(section);
    if (!target) {
        Section& last = sections_.back();
        if (!last.lines.empty() && !trim(last.lines.back()).empty())
            last.lines.emplace_back();
        Section added;
        added.folded = fold(section);
        added.lines.push_back("[" + std::string(trim(section)) + "]");
        sections_.push_back(std::move(added));
        sectionIndex_.emplace(sections_.back().folded, sections_.size() - 1);
        target = &sections_.back();
    }

    auto it = target->keys.find(fold(key));
    if (it != target->keys.end()) {
        std::string& line = target->lines[it->second];
        line = std::string(keyName(line)) + "=" + clean;
        return;
    }
    // After the section's last non-blank line, so that the blank lines that
    // separate it from the next section stay where they are; only blank lines
    // move, and they are never keys.
    std::size_t at = target->lines.size();
    while (at > 1 && trim(target->lines[at - 1]).empty())
        --at;
    target->lines.insert(target->lines.begin() + static_cast<std::ptrdiff_t>(at),
                         std::string(trim(key)) + "=" + clean);
    indexKey(*target, at);
}

bool IniFile::removeSection(std::string_view section) {
    std::string folded = fold(section);
    auto first = sections_.begin() + 1;
    auto kept = std::remove_if(first, sections_.end(),
                               [&](const Section& s) { return s.folded == folded; });
    if (kept == sections_.end())
        return false;
    sections_.erase(kept, sections_.end());
    indexSections();
    return true;
}

} // namespace qx
