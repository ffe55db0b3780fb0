#include "ui/SearchHandler.h"

#include "lang/Language.h"
#include "lang/MessageBoxer.h"
#include "ui/FindReplaceDialog.h"
#include "ui/tree/TreeView.h"
#include "ui/tree/model/TreeViewNode.h"

#include <QGuiApplication>
#include <QScreen>

#include <vector>

namespace qx::ui {

namespace {

constexpr unsigned kCaption = 9200;
constexpr unsigned kBackAtStart = 9202;
constexpr unsigned kGoOn = 9203;

} // namespace

SearchHandler::SearchHandler(Host& host, const Language& language, QWidget* parent)
    : QObject(parent), host_(host), language_(language), parent_(parent) {}

SearchHandler::~SearchHandler() {
    delete dialog_.data();
}

FindReplaceDialog* SearchHandler::dialog() const {
    return dialog_.data();
}

void SearchHandler::open(bool replace) {
    if (dialog_)
        return;
    dialog_ = new FindReplaceDialog(language_, replace, query_, parent_);
    connect(dialog_, &FindReplaceDialog::findNext, this, [this] {
        takeQuery();
        findNext();
    });
    connect(dialog_, &FindReplaceDialog::replaceOne, this, &SearchHandler::replaceOne);
    connect(dialog_, &FindReplaceDialog::replaceAll, this, &SearchHandler::replaceAll);
    dialog_->show();
}

void SearchHandler::takeQuery() {
    if (dialog_)
        query_ = dialog_->query();
}

void SearchHandler::findNext() {
    TreeView* tree = host_.searchTree();
    if (!tree || query_.text.empty())
        return;
    const auto result = search_.find(tree->focusNode(), query_, [this] {
        return boxes_ && boxes_->show(language_.text(kGoOn), language_.text(kCaption),
                                      mb::YesNo | mb::IconQuestion) == mb::IdYes;
    });
    if (result == TreeTextSearch::Result::Found)
        show(*tree, *search_.match());
    else if (result == TreeTextSearch::Result::BackAtStart && boxes_)
        boxes_->show(language_.format(kBackAtStart, search_.matches()), language_.text(kCaption),
                     mb::Ok | mb::IconStop);
    tree->setFocus();
}

void SearchHandler::show(TreeView& tree, TreeViewNode& row) {
    tree.clearSelection();
    for (TreeViewNode* up = row.parent(); up; up = up->parent())
        up->expand(true);
    tree.select(row, true);
    tree.setFocusNode(&row);
    tree.ensureVisible(row);
    tree.setFocus();
    if (!dialog_ || !dialog_->isVisible())
        return;
    // Off the row: just below it, or just above when the screen ends first.
    const int top = tree.nodeTop(row) - tree.scrollY();
    const QPoint rowTop = tree.viewport()->mapToGlobal(QPoint(0, top));
    const QRect rowRect(rowTop, QSize(tree.viewport()->width(), tree.lineHeight()));
    QRect frame = dialog_->frameGeometry();
    if (!frame.intersects(rowRect))
        return;
    const QScreen* screen = dialog_->screen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    if (rowRect.bottom() + 1 + frame.height() <= area.bottom() + 1)
        frame.moveTop(rowRect.bottom() + 1);
    else
        frame.moveBottom(rowRect.top() - 1);
    dialog_->move(frame.topLeft());
}

void SearchHandler::replaceOne() {
    takeQuery();
    TreeView* tree = host_.searchTree();
    const std::string with = dialog_ ? dialog_->replacement().toStdString() : std::string();
    int replaced = 0;
    // The current match is renamed first; then on to the next.
    if (tree && tree == host_.organizerRows() && tree->focusNode() &&
        findInLabel(tree->focusNode()->label(), query_) != std::string_view::npos)
        host_.renameRow(*tree->focusNode(), query_, with, false, replaced);
    if (replaced)
        host_.renamed(replaced);
    findNext();
}

void SearchHandler::replaceAll() {
    takeQuery();
    TreeView* tree = host_.organizerRows();
    if (!tree || query_.text.empty())
        return;
    const std::string with = dialog_ ? dialog_->replacement().toStdString() : std::string();
    std::vector<TreeViewNode*> rows;
    for (TreeViewNode* row = &tree->treeRoot(); row; row = preorderStep(*row, true)) {
        if (findInLabel(row->label(), query_) != std::string_view::npos)
            rows.push_back(row);
    }
    int replaced = 0;
    for (TreeViewNode* row : rows)
        host_.renameRow(*row, query_, with, true, replaced);
    host_.renamed(replaced);
}

} // namespace qx::ui
