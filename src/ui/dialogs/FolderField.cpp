#include "ui/dialogs/FolderField.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace qx::ui {

FolderField::FolderField(const QString& buttonText, QWidget* parent)
    : QWidget(parent), field_(new QLineEdit(this)), button_(new QPushButton(buttonText, this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(field_, 1);
    layout->addWidget(button_);
    // A label's mnemonic and a click on the label give the field the focus.
    setFocusProxy(field_);
    button_->setEnabled(false);
    connect(button_, &QPushButton::clicked, this, &FolderField::choose);
}

void FolderField::setChooser(Chooser choose) {
    choose_ = std::move(choose);
    button_->setEnabled(static_cast<bool>(choose_));
}

void FolderField::setFolder(const QString& folder) {
    field_->setText(QDir::toNativeSeparators(folder));
    field_->setCursorPosition(0);
}

QString FolderField::folder() const {
    return QDir::fromNativeSeparators(field_->text().trimmed());
}

void FolderField::choose() {
    if (!choose_)
        return;
    if (const QString chosen = choose_(folder()); !chosen.isEmpty())
        setFolder(chosen);
    field_->setFocus();
}

} // namespace qx::ui
