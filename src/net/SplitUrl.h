#pragma once

#include "net/ServiceKind.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qx {

// What an address names, after canonicalising it.
struct UrlParts {
    ServiceKind service = ServiceKind::Unknown;
    std::string host;
    // The canonical path with the query, if any; the fragment is never part of
    // it, because it never goes to a server.
    std::string path;
    std::uint16_t port = 0; // the scheme's default when the address names none
};

// Canonicalises an address the way a browser does (dot segments resolved,
// backslashes before the query taken as slashes, unsafe path bytes escaped,
// query and fragment left alone), then splits it. False, with the service kind
// Unknown, for text that is not an absolute address; any input is safe.
bool SplitUrl(std::string_view url, UrlParts& parts);

} // namespace qx
