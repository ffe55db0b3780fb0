#include "ScriptedDialogs.h"

namespace qx::test {

QString ScriptedDialogs::openFileName(const doc::FileDialogRequest& request) {
    return next(request);
}

QString ScriptedDialogs::saveFileName(const doc::FileDialogRequest& request) {
    return next(request);
}

QString ScriptedDialogs::next(const doc::FileDialogRequest& request) {
    requests_.push_back(request);
    return paths_.isEmpty() ? QString() : paths_.takeFirst();
}

QStringList ScriptedDialogs::texts() const {
    QStringList all;
    for (const auto& box : boxes_.boxes())
        all.append(QString::fromStdString(box.text));
    return all;
}

} // namespace qx::test
