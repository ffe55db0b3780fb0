#pragma once

#include "lang/DirFileIterator.h"

namespace qx {

// The language files of a folder: the files that match a pattern and, when a
// string number is given, that load as a module whose string of that number
// is not empty (the language's own name, for modules).
class EnumLangFiles : public DirFileIterator {
public:
    EnumLangFiles(std::string folder, const std::string& pattern, unsigned stringId);

    // The string of the last file that passed.
    const std::string& text() const { return text_; }
    // The three letters after "qx" in the file's name.
    std::string code() const { return name().substr(2, 3); }

protected:
    bool accept(const std::string& path) override;

private:
    unsigned stringId_;
    std::string text_;
};

} // namespace qx
