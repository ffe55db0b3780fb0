#pragma once

#include "ui/tree/model/TreeTypes.h"

#include <string_view>

namespace qx {

// How the tree view learns the size of a label. The window supplies one built
// on its font; tests supply a fixed-pitch one.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;

    // Height of one line of text and the average character width.
    virtual int charHeight() const = 0;
    virtual int averageCharWidth() const = 0;

    // Exact size of a UTF-8 text. wrapWidth > 0 wraps at that width; multiLine
    // honours line breaks; otherwise the text is one line.
    virtual TreeSize measure(std::string_view text, bool multiLine, int wrapWidth) = 0;
};

} // namespace qx
