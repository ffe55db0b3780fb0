#include "ui/dialogs/LanguageDialog.h"

#include "doc/Texts.h"
#include "lang/TextIds.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qx::ui {

LanguageDialog::LanguageDialog(const Language& language, std::vector<Language::Entry> languages,
                               const std::string& currentCode, QWidget* parent)
    : QDialog(parent), languages_(std::move(languages)), list_(new QListWidget(this)) {
    setWindowTitle(doc::text(language, text::LanguageCaption));
    list_->setObjectName(QStringLiteral("languages"));
    for (const Language::Entry& entry : languages_) {
        list_->addItem(QString::fromStdString(entry.name));
        if (QString::fromStdString(entry.code)
                .compare(QString::fromStdString(currentCode), Qt::CaseInsensitive) == 0)
            list_->setCurrentRow(list_->count() - 1);
    }
    if (list_->currentRow() < 0 && list_->count() > 0)
        list_->setCurrentRow(0);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(doc::text(language, text::ButtonOk), QDialogButtonBox::AcceptRole)
        ->setDefault(true);
    buttons->addButton(doc::text(language, text::ButtonCancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(doc::text(language, text::InstallLanguagePrompt), this);
    prompt->setWordWrap(true);
    layout->addWidget(prompt);
    layout->addWidget(list_);
    layout->addWidget(buttons);
}

std::string LanguageDialog::chosenCode() const {
    const int row = list_->currentRow();
    return row < 0 ? std::string() : languages_[static_cast<std::size_t>(row)].code;
}

} // namespace qx::ui
