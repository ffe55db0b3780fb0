#pragma once

#include <QString>

namespace qx {
class Language;
}

namespace qx::doc {

// The string of that number from the language module, as a Qt string; empty
// when the module has none.
QString text(const Language& language, unsigned id);

} // namespace qx::doc
