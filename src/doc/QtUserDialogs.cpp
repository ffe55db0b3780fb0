#include "doc/QtUserDialogs.h"

#include "lang/Language.h"
#include "lang/TextIds.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>

namespace qx::doc {

namespace {

QMessageBox::StandardButtons buttonsOf(unsigned style) {
    switch (style & mb::ButtonMask) {
    case mb::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case mb::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case mb::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    default:
        return QMessageBox::Ok;
    }
}

QMessageBox::Icon iconOf(unsigned style) {
    switch (style & mb::IconMask) {
    case mb::IconStop:
        return QMessageBox::Critical;
    case mb::IconQuestion:
        return QMessageBox::Question;
    case mb::IconExclamation:
        return QMessageBox::Warning;
    case mb::IconInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int answerOf(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return mb::IdYes;
    case QMessageBox::No:
        return mb::IdNo;
    case QMessageBox::Ok:
        return mb::IdOk;
    default:
        return mb::IdCancel;
    }
}

// The window a dialog belongs to: the active one, or, while none is (the
// program's window lost the focus to another program), the main window.
QWidget* owner() {
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(top) && top->isVisible())
            return top;
    }
    return nullptr;
}

// A message box lays its text out when it is shown and may do so again once
// its fonts are settled, each time after Qt placed it by its earlier size: it
// is centred on its window again whenever its size changes (the user cannot
// resize it).
class CentredMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        centre();
    }
    void resizeEvent(QResizeEvent* event) override {
        QMessageBox::resizeEvent(event);
        if (isVisible())
            centre();
    }

private:
    void centre() {
        if (const QWidget* window = parentWidget() ? parentWidget()->window() : nullptr)
            move(window->frameGeometry().center() - frameGeometry().center() + pos());
    }
};

} // namespace

QString QtUserDialogs::text(unsigned id) const {
    if (!language_ || !language_->loaded())
        return {};
    return QString::fromStdString(language_->text(id));
}

int QtUserDialogs::show(const std::string& message, const std::string& caption, unsigned style) {
    CentredMessageBox box(iconOf(style), QString::fromStdString(caption),
                          QString::fromStdString(message), buttonsOf(style), owner());
    box.setWindowModality(Qt::ApplicationModal);
    const std::pair<QMessageBox::StandardButton, unsigned> names[] = {
        {QMessageBox::Yes, text::ButtonYes},
        {QMessageBox::No, text::ButtonNo},
        {QMessageBox::Ok, text::ButtonOk},
        {QMessageBox::Cancel, text::ButtonCancel}};
    for (const auto& [which, id] : names) {
        QAbstractButton* button = box.button(which);
        if (const QString name = text(id); button && !name.isEmpty())
            button->setText(name);
    }
    return answerOf(box.exec());
}

QString QtUserDialogs::openFileName(const FileDialogRequest& request) {
    QFileDialog dialog(owner(), text(text::OpenCaption), request.folder, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtUserDialogs::saveFileName(const FileDialogRequest& request) {
    QFileDialog dialog(owner(), text(text::SaveAsCaption), request.folder, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // The document manager asks about replacing a file in the program's language.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtUserDialogs::folderName(const FileDialogRequest& request) {
    QFileDialog dialog(owner(), QString(), request.folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

int QtUserDialogs::exec(QDialog& dialog) {
    return dialog.exec();
}

} // namespace qx::doc
