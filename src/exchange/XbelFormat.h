#pragma once

#include "platform/FileTime.h"

#include <string>
#include <string_view>

namespace qx {

// What the XBEL reader and writer share: the document type and the form of
// its dates (the W3C profile of ISO 8601, as in 2024-05-06T07:08:09Z).
class XbelFormat {
public:
    static constexpr std::string_view kPublicId =
        "+//IDN python.org//DTD XML Bookmark Exchange Language 1.0//EN//XML";
    static constexpr std::string_view kSystemId =
        "http://www.python.org/topics/xml/dtds/xbel-1.0.dtd";

    // 0 when the text is not such a date (or names a moment before 1601).
    static platform::FileTime parsedate(std::string_view text);
    // In UTC, to the second; empty for 0.
    static std::string formatdate(platform::FileTime time);
    // Whether the bytes are an XBEL document rather than a Netscape bookmark
    // file: its root element, before anything of the other.
    static bool looksxbel(std::string_view bytes);
};

} // namespace qx
