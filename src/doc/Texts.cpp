#include "doc/Texts.h"

#include "lang/Language.h"

namespace qx::doc {

QString text(const Language& language, unsigned id) {
    return QString::fromStdString(language.text(id));
}

} // namespace qx::doc
