#pragma once

#include "stream/Str.h"

#include <QString>
#include <cstdint>

namespace qx::ui {

// Page titles and addresses keep the bytes they arrived in; the charset code
// of the page says how to read them (0: UTF-8, bad bytes replaced).
class PageText {
public:
    static QString decode(const Str& bytes, std::uint32_t charset);
    // An edited text back into the page's charset; the bytes as they were when
    // the text was not changed, so that nothing is lost on the way.
    static Str encode(const QString& text, const Str& original, std::uint32_t charset);
};

} // namespace qx::ui
