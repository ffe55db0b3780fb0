#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qx::exchange {

// The Internet shortcut file a dragged reference becomes for file managers.
struct InternetShortcut {
    // "[InternetShortcut]\r\nURL=" + url + "\r\n".
    static std::string content(std::string_view url);
    // The title followed by ".url", at most 255 bytes, cut on a UTF-8
    // character boundary; "/" and NUL, which no file name may hold, become
    // "_". An empty title gives ".url".
    static std::string fileName(std::string_view title);
    // The address of a shortcut file's content: the value of its first "URL="
    // line; empty when there is none.
    static std::string urlOf(std::string_view content);
};

// A link handed over by another program: an address and maybe a title.
struct DroppedLink {
    std::string url;
    std::string title;
};

// Readers of what browsers and file managers drop. Both survive any bytes.
// text/uri-list: one address a line, lines starting with "#" are comments.
std::vector<DroppedLink> parseUriList(std::string_view text);
// text/x-moz-url (as UTF-8): address and title on alternate lines.
std::vector<DroppedLink> parseMozUrl(std::string_view text);
// Plain text that is nothing but http or https addresses, one a line (blank
// lines aside); no links for any other text.
std::vector<DroppedLink> parseAddressText(std::string_view text);
// Links without a title take the title another format gave the same address.
void addTitles(std::vector<DroppedLink>& links, const std::vector<DroppedLink>& titled);

} // namespace qx::exchange
