#pragma once

#include "exchange/InternetShortcut.h"

#include <vector>

class QMimeData;

namespace qx {

// Links other programs drop: a browser's link with its title (from
// text/x-moz-url, _NETSCAPE_URL or an HTML anchor), a list of addresses, or
// Internet shortcut files from a file manager.
bool hasExternalLinks(const QMimeData& data);
std::vector<exchange::DroppedLink> externalLinks(const QMimeData& data);

} // namespace qx
