#pragma once

#include "exchange/InternetShortcut.h"

#include <string_view>
#include <vector>

namespace qx::exchange {

// The links of an HTML fragment as rich editors and browsers hand it over:
// each <a href> with its text as the title, blanks folded. Survives any bytes.
std::vector<DroppedLink> parseHtmlLinks(std::string_view html);

} // namespace qx::exchange
