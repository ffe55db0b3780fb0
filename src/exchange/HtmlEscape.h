#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qx {

class CharsetConverter;

// Makes outside text safe to stand in HTML text or in an attribute value,
// quoted or bare: "&", "<", ">", double and single quotes become character
// references, and so do tab, line feed, form feed and carriage return, which
// would otherwise end a bare attribute value and start a new attribute.
class HtmlEscape {
public:
    // The most bytes one byte of text can become ("&quot;").
    static constexpr std::size_t kLongest = 6;

    // Writes the text escaped at to, which has room for kLongest bytes for
    // each byte of the text; returns the end of what was written.
    static char* copy(std::string_view text, char* to);
    static void append(std::string_view text, std::string& out);
    static std::string escape(std::string_view text);
    // Page bytes in their charset, as escaped UTF-8.
    static void appendconverted(CharsetConverter& converter, std::string_view text,
                                std::uint32_t charset, std::string& out);
    // Whether an address may be a link: not one that runs script or carries
    // its own document (javascript:, vbscript:, data:), however it is spelt.
    static bool safelink(std::string_view url);
};

} // namespace qx
