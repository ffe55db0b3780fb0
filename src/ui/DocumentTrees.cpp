#include "ui/DocumentTrees.h"

#include "doc/DocTemplate.h"
#include "doc/Editor.h"
#include "exchange/ExchangeFormats.h"
#include "lang/Language.h"
#include "model/DDoc.h"
#include "model/DocumentFormat.h"
#include "model/Ref.h"
#include "model/RefRoot.h"
#include "net/ReadableAddress.h"
#include "settings/Options.h"
#include "stream/memwstream.h"
#include "stream/mwstream.h"
#include "ui/Commands.h"
#include "ui/FrameWindow.h"
#include "ui/tree/ExternalLinks.h"
#include "ui/tree/RefTreeView.h"
#include "ui/tree/TreeDragData.h"
#include "ui/tree/refs/RefDrop.h"
#include "ui/tree/refs/RefTVNode.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace qx::ui {

namespace {

constexpr unsigned kContextMenu = 2;
constexpr unsigned kSelectedCount = 9231;
constexpr unsigned kSelectedFolders = 9813;
// The clipboard form of a selection grows in steps of this size.
constexpr int kClipStep = 512;

QString mime(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// Our document by its extension, or by the magic it starts with.
bool isDocumentFile(const QString& path) {
    if (path.endsWith(QLatin1Char('.') + QLatin1String(doc::DocTemplate::kDefaultExtension),
                      Qt::CaseInsensitive))
        return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.read(DocumentFormat::kMagicSize) ==
           QByteArray(DocumentFormat::kMagic, DocumentFormat::kMagicSize);
}

QStringList documentFiles(const QMimeData& data) {
    QStringList paths;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile() && isDocumentFile(url.toLocalFile()))
            paths.append(url.toLocalFile());
    return paths;
}

// What a paste takes from another program: its links with their titles, or
// plain text of nothing but web addresses.
std::vector<exchange::DroppedLink> pastedLinks(const QMimeData& data) {
    std::vector<exchange::DroppedLink> links = externalLinks(data);
    if (links.empty() && data.hasText())
        links = exchange::parseAddressText(data.text().toStdString());
    return links;
}

} // namespace

DocumentTrees::DocumentTrees(doc::Editor& document, Options& options, const Language& language,
                             QWidget& owner)
    : document_(document), options_(options), language_(language), owner_(owner) {}

DocumentTrees::~DocumentTrees() {
    unbind();
}

DDoc& DocumentTrees::model() const {
    return document_.model();
}

void DocumentTrees::bind(OrganizerTreeView* first, RefTreeView* second) {
    first_ = first;
    second_ = second;
    if (!focus_)
        focus_ = first;
    model().setviews(this);
    first_->binding().bind(&model().orgroot());
    second_->binding().bind(&model().domainroot());
}

void DocumentTrees::unbind() {
    if (!first_)
        return;
    model().setviews(nullptr);
    first_->binding().bind(nullptr);
    second_->binding().bind(nullptr);
    first_ = nullptr;
    second_ = nullptr;
    focus_ = nullptr;
}

RefTreeView* DocumentTrees::treeOf(const Ref& node) const {
    return node.root() == &model().orgroot() ? static_cast<RefTreeView*>(first_) : second_;
}

FrameWindow* DocumentTrees::frame() const {
    return qobject_cast<FrameWindow*>(owner_.window());
}

void DocumentTrees::additem(Ref& node) {
    treeOf(node)->binding().add(node);
    // A line asked to be open while it had nothing below it (a saved search
    // whose run just began) opens with its first child.
    auto* parent = static_cast<Ref*>(node.parent());
    if (!parent || !parent->hasflags(Ref::Expanded))
        return;
    if (RefItem* item = RefItem::of(*parent); item && !item->treeNode().isExpanded())
        item->treeNode().expand(true);
}

void DocumentTrees::removeitem(Ref& node) {
    treeOf(node)->binding().remove(node);
}

void DocumentTrees::refreshitem(Ref& node) {
    treeOf(node)->binding().refresh(node);
}

void DocumentTrees::repaint(Ref& node) {
    treeOf(node)->binding().repaint(node);
}

void DocumentTrees::changed(std::uint32_t) {
    document_.modelChanged();
}

void DocumentTrees::treeFocused(RefTreeView& tree) {
    if (first_)
        focus_ = &tree;
}

void DocumentTrees::treeCommand(int id) {
    if (FrameWindow* f = frame())
        f->execute(id);
    else if (commands_)
        commands_->execute(id);
}

void DocumentTrees::treeStatus(const RefStatus& status) {
    QString text;
    if (status.selected > 1 && status.folders > 0)
        text = QString::fromStdString(
            language_.format(kSelectedFolders, status.folders, status.selected - status.folders));
    else if (status.selected > 1)
        text = QString::fromStdString(language_.format(kSelectedCount, status.selected));
    else if (status.selected == 1 && !status.url.empty())
        text = QStringLiteral(" url = ") + QString::fromStdString(readableAddress(status.url));
    if (FrameWindow* f = frame())
        f->setStatusText(text);
}

void DocumentTrees::treeContextMenu(QPoint global) {
    if (FrameWindow* f = frame())
        f->popupMenu(kContextMenu, global);
}

bool DocumentTrees::treeDrop(Ref& under, const QMimeData& data, std::uint32_t effect) {
    const doc::Editor::Change change(document_);
    RefDrop drop(under);
    if (RefTreeView* source = TreeDragData::sourceOf(data)) {
        const std::vector<Ref*> nodes = source->binding().selection();
        return drop.perform(model(), nodes, source->isOrganizer(), effect) > 0;
    }
    // A document dropped anywhere opens, as on the frame, never a file:// reference.
    if (const QStringList documents = documentFiles(data); !documents.isEmpty()) {
        if (FrameWindow* f = frame())
            emit f->filesDropped(documents);
        return true;
    }
    return drop.links(model(), externalLinks(data)) > 0;
}

std::vector<Ref*> DocumentTrees::selection() const {
    std::vector<Ref*> nodes = focus_ ? focus_->binding().selection() : std::vector<Ref*>();
    // The root is never hidden or deleted: chosen with the rest (Home,
    // Shift+End), it leaves the commands to act on the rest.
    std::erase_if(nodes, [](const Ref* node) { return node->parent() == nullptr; });
    return nodes;
}

bool DocumentTrees::organizerHasFocusNode() const {
    return focus_ && focus_ == first_ && first_->focusNode() &&
           first_->focusNode() != &first_->treeRoot();
}

bool DocumentTrees::copy() {
    if (!organizerHasFocusNode())
        return false;
    auto data = std::make_unique<QMimeData>();
    const std::vector<Ref*> chosen = RefDrop::outermost(first_->binding().selection());
    const std::vector<const Ref*> nodes(chosen.begin(), chosen.end());
    mwstream out(kClipStep);
    // A fragment that could not be written is left out; text and URL still go.
    if (!nodes.empty() && model().copyselection(nodes)->write(out) == 0)
        data->setData(mime(exchange::kOrganizer),
                      QByteArray(out.buffer().data(), out.buffer().size()));
    UrlDragDropData::put(exchange::LinkBytes::of(nodes), *data);
    QGuiApplication::clipboard()->setMimeData(data.release());
    return true;
}

bool DocumentTrees::cut() {
    if (!copy())
        return false;
    const doc::Editor::Change change(document_);
    deleteSelection();
    return true;
}

bool DocumentTrees::paste() {
    if (focus_ != first_ || !first_ || !first_->focusNode())
        return false;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return false;
    std::vector<std::string> formats;
    for (const QString& format : data->formats())
        formats.push_back(format.toStdString());
    const doc::Editor::Change change(document_);
    if (exchange::pasteFormat(formats) != exchange::kOrganizer) {
        // Links copied in another program are filed as a drop files them.
        RefDrop drop(refOf(*first_->focusNode()));
        if (drop.links(model(), pastedLinks(*data)) == 0)
            return false;
        model().commit();
        return true;
    }
    QByteArray bytes = data->data(mime(exchange::kOrganizer));
    memwstream in(bytes.data(), static_cast<int>(bytes.size()));
    const int result = model().pasteinto(in, refOf(*first_->focusNode()));
    model().commit();
    return result == 0;
}

// Either tree: a site or path deleted in the sites tree takes its pages out
// of the organizer tree as well, which the document does for a node of the
// sites tree.
void DocumentTrees::deleteSelection() {
    const std::vector<Ref*> nodes = RefDrop::outermost(selection());
    if (nodes.empty())
        return;
    const doc::Editor::Change change(document_);
    for (Ref* node : nodes)
        model().deletesubtree(*node);
    model().commit();
    // The row that took the focus is the one Delete goes on with.
    if (TreeViewNode* next = focus_ ? focus_->focusNode() : nullptr;
        next && !focus_->firstSelected() && next != &focus_->treeRoot())
        focus_->select(*next, true);
}

void DocumentTrees::setHidden(bool hidden) {
    std::vector<Ref*> nodes = RefDrop::outermost(selection());
    const doc::Editor::Change change(document_);
    // Each tree is redrawn once, not once per row that comes or goes.
    const TreeViewModel::Batch first(*first_);
    const TreeViewModel::Batch second(*second_);
    if (hidden)
        model().hide(nodes);
    else
        model().show(nodes);
    model().commit();
}

void DocumentTrees::expandSelection(bool on) {
    if (!focus_)
        return;
    for (TreeViewNode* n = focus_->firstSelected(); n; n = n->nextSelected())
        n->expand(on);
    // Rows opened above it may have pushed the focused row out of sight.
    if (TreeViewNode* row = focus_->focusNode())
        focus_->ensureVisible(*row);
}

void DocumentTrees::clearSelection() {
    if (!focus_)
        return;
    focus_->clearSelection();
    treeStatus(focus_->binding().status());
}

void DocumentTrees::selectAll() {
    const VisibleWalk rows = focus_->walk();
    TreeViewNode* first = rows.first(focus_->treeRoot());
    TreeViewNode* last = rows.last(focus_->treeRoot());
    if (first && last)
        focus_->selectRange(*first, *last);
    treeStatus(focus_->binding().status());
}

void DocumentTrees::toggleShowHidden() {
    options_.showHidden = !options_.showHidden;
    for (RefTreeView* tree : {static_cast<RefTreeView*>(first_), second_}) {
        if (options_.showHidden)
            tree->binding().rebuild();
        else
            tree->binding().filterHidden();
    }
}

void DocumentTrees::toggleShowNew() {
    options_.showNew = !options_.showNew;
    for (RefTreeView* tree : {static_cast<RefTreeView*>(first_), second_}) {
        if (options_.showNew)
            tree->binding().filterNew();
        else
            tree->binding().rebuild();
    }
}

void DocumentTrees::addCommands(doc::CommandTable& table, std::function<bool()> busy) {
    using doc::CommandTable;
    commands_ = &table;
    // Every command here works on bound trees; none is offered before.
    auto bound = [this](auto rule) {
        return [this, rule] { return CommandTable::enabledIf(first_ && rule()); };
    };
    auto copyable = bound([this] { return organizerHasFocusNode(); });
    table.add(cmd::EditCopy, copyable, [this] { copy(); });
    table.add(cmd::EditCut, bound([this, busy] { return organizerHasFocusNode() && !busy(); }),
              [this] { cut(); });
    table.add(cmd::EditPaste, bound([this] {
                  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
                  return focus_ == first_ && first_->focusNode() && data &&
                         (data->hasFormat(mime(exchange::kOrganizer)) ||
                          !pastedLinks(*data).empty());
              }),
              [this] { paste(); });
    table.add(cmd::Delete,
              bound([this, busy] { return !RefDrop::outermost(selection()).empty() && !busy(); }),
              [this] { deleteSelection(); });
    for (const int id : {cmd::Hide, cmd::Unhide}) {
        table.add(id, bound([this, id] {
                      const std::vector<Ref*> nodes = selection();
                      // Hidden by itself or because all its children are: both show greyed.
                      const bool hidden =
                          nodes.size() == 1 && nodes.front()->hasflags(Ref::kHiddenFlags);
                      return nodes.size() > 1 || (nodes.size() == 1 && (id == cmd::Hide) != hidden);
                  }),
                  [this, id] { setHidden(id == cmd::Hide); });
    }
    for (const int id : {cmd::Expand, cmd::Collapse}) {
        table.add(id, bound([this] {
                      const std::vector<Ref*> nodes = selection();
                      return !nodes.empty() && nodes.front()->firstchild() != nullptr;
                  }),
                  [this, id] { expandSelection(id == cmd::Expand); });
    }
    table.add(
        cmd::ShowHidden,
        [this] {
            return doc::CommandState{first_ != nullptr, options_.showHidden};
        },
        [this] { toggleShowHidden(); });
    table.add(
        cmd::ShowNew,
        [this] {
            return doc::CommandState{first_ != nullptr, options_.showNew};
        },
        [this] { toggleShowNew(); });
    table.add(cmd::SelectNone, bound([] { return true; }), [this] { clearSelection(); });
    table.add(cmd::SelectAll, bound([this] { return focus_ != nullptr; }), [this] { selectAll(); });
}

} // namespace qx::ui
