#include "ScriptedDialogs.h"

#include <QDialog>

namespace qx::test {

QString ScriptedDialogs::openFileName(const doc::FileDialogRequest& request) {
    return next(request);
}

QString ScriptedDialogs::saveFileName(const doc::FileDialogRequest& request) {
    return next(request);
}

QString ScriptedDialogs::folderName(const doc::FileDialogRequest& request) {
    return next(request);
}

int ScriptedDialogs::exec(QDialog& dialog) {
    dialogsRun_.append(dialog.objectName());
    if (realDialogs_.contains(dialog.objectName()))
        return dialog.exec();
    if (scripts_.empty())
        return QDialog::Rejected;
    const auto script = std::move(scripts_.front());
    scripts_.erase(scripts_.begin());
    return script(dialog);
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
