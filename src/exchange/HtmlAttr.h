#pragma once

#include <cstdint>

namespace qx {

// One attribute of a start tag. A text value is borrowed: it must outlive the
// tag's construction, which writes it.
struct HtmlAttr {
    enum Kind : int { None = 0, Unsigned = 1, Signed = 2, Text = 3 };

    // A number, written with its sign ("+" for 0 and above) when signed.
    HtmlAttr(int attribute, std::int32_t number, bool signedvalue);
    // A text, written as it stands.
    HtmlAttr(int attribute, const char* text);

    int attribute;
    int kind;
    std::int32_t number = 0;
    const char* text = nullptr;
};

} // namespace qx
