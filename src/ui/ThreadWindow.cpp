#include "ui/ThreadWindow.h"

#include "lang/Language.h"
#include "ui/tree/TreeView.h"
#include "ui/tree/model/TreeViewRoot.h"

#include <QVBoxLayout>

namespace qx::ui {

namespace {

constexpr unsigned kTitle = 9232;

} // namespace

ThreadWindow::ThreadWindow(const Language& language, QWidget* parent)
    : QWidget(parent), tree_(new TreeView(this, treestyle::Default | treestyle::NoSelection)) {
    setObjectName(QStringLiteral("ThreadWindow"));
    const QString title = QString::fromStdString(language.text(kTitle));
    setWindowTitle(title);
    tree_->setObjectName(QStringLiteral("ThreadTree"));
    auto root = std::make_unique<TreeViewRoot>(title.toStdString());
    root_ = root.get();
    tree_->setRoot(std::move(root));
    root_->expand(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tree_);
    setFocusProxy(tree_);
}

ThreadWindow::~ThreadWindow() = default;

void ThreadWindow::addRow(quintptr key, const QString& text) {
    if (TreeViewNode* row = rows_.value(key)) {
        row->setLabel(text.toStdString());
        return;
    }
    rows_.insert(key, root_->append(std::make_unique<TreeViewNode>(text.toStdString())));
    root_->expand(true);
}

void ThreadWindow::updateRow(quintptr key, const QString& text) {
    if (TreeViewNode* row = rows_.value(key))
        row->setLabel(text.toStdString());
}

void ThreadWindow::removeRow(quintptr key) {
    if (TreeViewNode* row = rows_.take(key))
        row->remove();
}

QStringList ThreadWindow::rowTexts() const {
    QStringList texts;
    for (TreeViewNode* row = root_->firstChild(); row; row = row->next())
        texts.append(QString::fromStdString(row->label()));
    return texts;
}

} // namespace qx::ui
