#pragma once

#include <QString>
#include <string>

namespace qx {
class Language;
class MessageBoxer;
} // namespace qx

namespace qx::doc {

// Asks or tells through the document message of that number, captioned with
// the document's title, which stands for the first "%s" in it; detail stands
// for a second. A style of 0 gives a box with OK alone. Unlike the short
// document messages these may run to several lines of choices. Returns the
// button pressed.
int askAboutDocument(const Language& language, MessageBoxer& boxes, const QString& title,
                     unsigned number, unsigned style = 0, const std::string& detail = {});

} // namespace qx::doc
