#include "doc/DocumentQuestion.h"

#include "lang/Language.h"
#include "lang/MessageBoxer.h"

namespace qx::doc {

int askAboutDocument(const Language& language, MessageBoxer& boxes, const QString& title,
                     unsigned number, unsigned style, const std::string& detail) {
    const std::string name = title.toStdString();
    const unsigned boxStyle = mb::TaskModal | (style != 0 ? style | mb::IconQuestion : mb::Ok);
    return boxes.show(language.format(number, name, detail), name, boxStyle);
}

} // namespace qx::doc
