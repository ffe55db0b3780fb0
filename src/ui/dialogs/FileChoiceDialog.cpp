#include "ui/dialogs/FileChoiceDialog.h"

#include "ui/dialogs/DialogControls.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qx::ui {

namespace {
// The row's place among the rows as given, which removals do not change.
constexpr int kRowRole = Qt::UserRole;
} // namespace

FileChoiceDialog::FileChoiceDialog(Setup setup, QWidget* parent)
    : QDialog(parent), setup_(std::move(setup)) {
    setWindowTitle(setup_.caption);
    auto* layout = new QVBoxLayout(this);
    if (!setup_.intro.isEmpty()) {
        auto* intro = new QLabel(setup_.intro, this);
        intro->setWordWrap(true);
        layout->addWidget(intro);
    }
    list_ = control(100, new QTreeWidget(this));
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels(setup_.columns);
    for (std::size_t i = 0; i < setup_.rows.size(); ++i) {
        auto* item = new QTreeWidgetItem(list_, setup_.rows[i]);
        item->setData(0, kRowRole, static_cast<int>(i));
    }
    list_->header()->resizeSections(QHeaderView::ResizeToContents);
    layout->addWidget(list_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* accept =
        control(1, buttons->addButton(setup_.acceptText, QDialogButtonBox::AcceptRole));
    accept->setDefault(true);
    needRow_.push_back(accept);
    control(2, buttons->addButton(setup_.rejectText, QDialogButtonBox::RejectRole));
    if (setup_.removed) {
        QPushButton* remove =
            control(3, buttons->addButton(setup_.removeText, QDialogButtonBox::ActionRole));
        needRow_.push_back(remove);
        connect(remove, &QPushButton::clicked, this, &FileChoiceDialog::removeCurrent);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &FileChoiceDialog::selectionChanged);
    connect(list_, &QTreeWidget::itemActivated, this, &QDialog::accept);
    layout->addWidget(buttons);
    if (list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
    selectionChanged();
    resize(sizeHint().expandedTo(QSize(560, 260)));
    fitToScreen(*this);
}

int FileChoiceDialog::chosen() const {
    const QTreeWidgetItem* item = list_->currentItem();
    return item && item->isSelected() ? item->data(0, kRowRole).toInt() : -1;
}

void FileChoiceDialog::removeCurrent() {
    QTreeWidgetItem* item = list_->currentItem();
    if (!item)
        return;
    const int row = item->data(0, kRowRole).toInt();
    delete item;
    setup_.removed(row);
    // Nothing left to choose: the question has no more point.
    if (list_->topLevelItemCount() == 0)
        reject();
}

void FileChoiceDialog::selectionChanged() {
    const bool any = chosen() >= 0;
    for (QWidget* button : needRow_)
        button->setEnabled(any);
}

} // namespace qx::ui
