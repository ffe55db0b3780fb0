#include "ui/dialogs/BrowserImportDialog.h"

#include "doc/Texts.h"
#include "lang/TextIds.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qx::ui {

BrowserImportDialog::BrowserImportDialog(const Language& language, std::vector<Entry> entries,
                                         FileChooser chooseFile, QWidget* parent)
    : QDialog(parent), entries_(std::move(entries)), chooser_(std::move(chooseFile)),
      list_(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("browserImport"));
    setWindowTitle(doc::text(language, text::BrowserImportCaption));
    list_->setObjectName(QStringLiteral("profiles"));
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({doc::text(language, text::BrowserColumn),
                            doc::text(language, text::ProfileColumn),
                            doc::text(language, text::BookmarksColumn)});
    const QString unreadable = doc::text(language, text::CountUnreadable);
    for (const Entry& entry : entries_) {
        auto* row = new QTreeWidgetItem(list_);
        row->setText(0, QString::fromStdString(entry.profile.browser));
        row->setText(1, QString::fromStdString(entry.profile.name));
        row->setText(2, entry.bookmarks < 0 ? unreadable : QString::number(entry.bookmarks));
        row->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        row->setToolTip(1, QString::fromStdString(entry.profile.file));
    }
    if (list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* import =
        buttons->addButton(doc::text(language, text::ImportButton), QDialogButtonBox::AcceptRole);
    import->setObjectName(QStringLiteral("import"));
    import->setDefault(true);
    import->setEnabled(!entries_.empty());
    QPushButton* choose = buttons->addButton(doc::text(language, text::ChooseStoreButton),
                                             QDialogButtonBox::ActionRole);
    choose->setObjectName(QStringLiteral("chooseFile"));
    buttons->addButton(doc::text(language, text::ButtonCancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(choose, &QPushButton::clicked, this, &BrowserImportDialog::chooseFile);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(doc::text(language, text::BrowserImportPrompt), this);
    prompt->setWordWrap(true);
    layout->addWidget(prompt);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(560, 320);
}

const BrowserProfile* BrowserImportDialog::chosenProfile() const {
    if (!chosenFile_.isEmpty())
        return nullptr;
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    return row < 0 ? nullptr : &entries_[static_cast<std::size_t>(row)].profile;
}

void BrowserImportDialog::chooseFile() {
    const QString path = chooser_();
    if (path.isEmpty())
        return;
    chosenFile_ = path;
    accept();
}

} // namespace qx::ui
