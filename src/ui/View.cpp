#include "ui/View.h"

#include "doc/Editor.h"
#include "doc/QtMessageTarget.h"
#include "doc/Texts.h"
#include "doc/WaitCursor.h"
#include "lang/Language.h"
#include "lang/TextIds.h"
#include "model/DDoc.h"
#include "model/DocumentMerge.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"
#include "search/EngineTable.h"
#include "search/ObjPropDialogInfo.h"
#include "search/WebSearches.h"
#include "settings/ApplicationProfile.h"
#include "settings/Options.h"
#include "settings/Separators.h"
#include "ui/Browser.h"
#include "ui/Commands.h"
#include "ui/DocumentTrees.h"
#include "ui/FrameWindow.h"
#include "ui/ThreadWindow.h"
#include "ui/WindowSeparator.h"
#include "ui/dialogs/DialogControls.h"
#include "ui/dialogs/ReferenceDialogs.h"
#include "ui/tree/RefTreeView.h"
#include "ui/tree/refs/RefTVNode.h"
#include "ui/tree/refs/RefTreeBinding.h"
#include "workers/Checker.h"
#include "workers/WaitList.h"

#include <QEvent>
#include <QLabel>

namespace qx::ui {

namespace {

void selectRow(Ref& node) {
    RefItem* item = RefItem::of(node);
    if (!item)
        return;
    TreeViewNode& row = item->treeNode();
    for (TreeViewNode* up = row.parent(); up; up = up->parent())
        up->expand(true);
    if (TreeViewModel* view = row.view()) {
        view->select(row, true);
        view->setFocusNode(&row);
        view->ensureVisible(row);
    }
}

constexpr int kHeading1 = 15;
constexpr int kHeading2 = 16;
constexpr int kVerticalSeparator = 99;
constexpr int kHorizontalSeparator = 98;

constexpr unsigned kNamesReplaced = 9810;
constexpr unsigned kFailedInClosedNodes = 9811;

QLabel* heading(int id, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::number(id));
    label->setFrameStyle(QFrame::Panel | QFrame::Raised);
    label->setIndent(4);
    return label;
}

} // namespace

View::View(doc::Editor& document, ApplicationProfile& profile, Options& options,
           const Language& language, QWidget* parent)
    : QWidget(parent), document_(document), profile_(profile), options_(options),
      trees_(std::make_unique<DocumentTrees>(document, options, language, *this)),
      tree1_(new OrganizerTreeView(*trees_, this)), tree2_(new RefTreeView(*trees_, this)),
      heading1_(heading(kHeading1, doc::text(language, text::FirstTreeHeading), this)),
      heading2_(heading(kHeading2, doc::text(language, text::SecondTreeHeading), this)),
      vertical_(new WindowSeparator(Qt::Vertical, kVerticalSeparator, this)),
      horizontal_(new WindowSeparator(Qt::Horizontal, kHorizontalSeparator, this)),
      messages_(new doc::QtMessageTarget(
          [this](platform::MessageId msg, platform::WParam wparam, platform::LParam lparam) {
              if (jobs_)
                  jobs_->HandleMessage(msg, wparam, lparam);
          },
          this)),
      jobs_(std::make_unique<JobBoard>(options_, profile_, WaitList::Program(), messages_)),
      language_(language), finder_(*this, language, this) {
    jobs_->SetRows(this);
    plugJobs();
    separators_.load(profile_);
    setObjectName(QStringLiteral("View"));
    tree1_->setObjectName(QStringLiteral("Tree1"));
    tree2_->setObjectName(QStringLiteral("Tree2"));
    trees_->bind(tree1_, tree2_);
    connect(vertical_, &WindowSeparator::released, this, &View::verticalReleased);
    connect(horizontal_, &WindowSeparator::released, this, &View::horizontalReleased);
    addCommands();
    showThreadWindow(options_.connections);
    tree1_->setFocus();
}

View::~View() {
    unplugJobs();
    // The rows go with the window; the board stops and waits for its workers.
    jobs_->SetRows(nullptr);
    jobs_.reset();
    trees_->unbind();
    // The trees report to trees_ until they are gone.
    delete tree1_;
    delete tree2_;
}

bool View::documentModified() const {
    return document_.isDirty();
}

QWidget* View::tree1() const {
    return tree1_;
}

QWidget* View::tree2() const {
    return tree2_;
}

void View::documentClosed() {
    unplugJobs();
    trees_->unbind();
}

void View::documentReloaded() {
    plugJobs();
    trees_->bind(tree1_, tree2_);
    for (auto& [tree, nodes] : keptChoice_)
        for (Ref* node : nodes)
            selectRow(*node);
    keptChoice_.clear();
}

void View::keepChoiceIn(DDoc& fresh) {
    keptChoice_.clear();
    auto keep = [this](RefTreeView* tree, Ref& freshTop, bool organizer) {
        RefRoot* top = tree->binding().modelRoot();
        if (!top)
            return;
        const std::vector<Ref*> chosen = tree->binding().selection();
        keptChoice_.emplace_back(
            tree, DocumentMerge::counterparts(*top, freshTop, organizer,
                                              {chosen.begin(), chosen.end()}));
    };
    keep(tree1_, fresh.orgroot(), true);
    keep(tree2_, fresh.domainroot(), false);
}

void View::plugJobs() {
    checker_ = std::make_unique<Checker>(document_.model(), *jobs_, language_, options_);
    if (boxes_ && engines_) {
        searches_ =
            std::make_unique<WebSearches>(document_.model(), *jobs_, WaitList::Program(), *this,
                                          language_, *boxes_, options_, *engines_, module_);
        document_.model().setworkers(searches_.get());
    } else {
        document_.model().setworkers(jobs_.get());
    }
}

void View::unplugJobs() {
    // Nothing of the old model may be touched by a job from here on.
    jobs_->StopAll();
    jobs_->StopChecking();
    document_.model().setworkers(nullptr);
    searches_.reset();
    checker_.reset();
}

void View::setSearchModule(std::shared_ptr<const SearchModule> module, const EngineTable& engines,
                           MessageBoxer& boxes) {
    unplugJobs();
    module_ = std::move(module);
    engines_ = &engines;
    boxes_ = &boxes;
    finder_.setBoxes(&boxes);
    plugJobs();
}

void View::startsearch(const FindInfo& request) {
    if (searches_)
        searches_->Run().start(request);
}

void View::status(const std::string& text) {
    if (auto* frame = qobject_cast<FrameWindow*>(QWidget::window()))
        frame->setStatusText(QString::fromStdString(text));
}

void View::expand(Ref& node) {
    // A new saved search has no results to open yet: the stored bit opens
    // its line when the first one is filed.
    node.addflags(Ref::Expanded);
    if (auto* item = RefItem::of(node))
        item->treeNode().expand(true);
}

JobBoard::Pass View::idle() {
    const JobBoard::Pass pass = jobs_->Schedule();
    jobs_->RefreshRows();
    return pass;
}

void View::AddRow(const WThread& worker, const std::string& text) {
    emit threadRowAdded(reinterpret_cast<quintptr>(&worker), QString::fromStdString(text));
}

void View::UpdateRow(const WThread& worker, const std::string& text) {
    emit threadRowChanged(reinterpret_cast<quintptr>(&worker), QString::fromStdString(text));
}

void View::RemoveRow(const WThread& worker) {
    emit threadRowRemoved(reinterpret_cast<quintptr>(&worker));
}

int View::helpContext(const QWidget* focus) const {
    for (; focus; focus = focus->parentWidget()) {
        if (focus == tree1_)
            return kHelpTree1;
        if (focus == tree2_)
            return kHelpTree2;
        if (threadWindow_ && focus == threadWindow_)
            return kHelpThreadWindow;
        // A dialog opened over the view names its own context.
        if (const QVariant context = focus->property(kHelpContextProperty); context.isValid())
            return context.toInt();
    }
    return 0;
}

int View::progressFigure() const {
    return searches_ ? searches_->ProgressFigure() : -1;
}

std::vector<Ref*> View::selection() const {
    RefTreeView* tree = trees_->focusTree();
    return tree ? tree->binding().selection() : std::vector<Ref*>();
}

std::vector<const Ref*> View::selectedReferences() const {
    const std::vector<Ref*> nodes = selection();
    return {nodes.begin(), nodes.end()};
}

bool View::selectedSearch(SearchRef*& search) const {
    const std::vector<Ref*> nodes = selection();
    search = nodes.empty() ? nullptr : dynamic_cast<SearchRef*>(nodes.front());
    return search != nullptr;
}

bool View::commandState(int id, doc::CommandState& state) {
    return commands_.commandState(id, state);
}

bool View::execute(int id) {
    return commands_.execute(id);
}

void View::addCommands() {
    using doc::CommandTable;
    CommandTable& t = commands_;
    auto nothing = [] {};
    for (int id : {cmd::Nothing506, cmd::Nothing901, cmd::Nothing902, cmd::Nothing24326})
        t.add(id, nothing);
    t.add(
        cmd::FindDialog, [this] { return CommandTable::enabledIf(dialogs_ != nullptr); },
        [this] { find(); });
    t.add(cmd::SelectFailed, [this] { selectFailed(); });
    t.add(
        cmd::RunAllSearches, [this] { return CommandTable::enabledIf(searches_ != nullptr); },
        [this] { runAllSearches(); });
    t.add(
        cmd::Properties,
        [this] {
            const std::vector<Ref*> nodes = selection();
            const PropertiesKind kind =
                nodes.empty() ? PropertiesKind::None : propertieskind(*nodes.front());
            return CommandTable::enabledIf(dialogs_ && (kind == PropertiesKind::Object ||
                                                        (kind == PropertiesKind::SavedSearch &&
                                                         !nodes.front()->hasflags(Ref::Running))));
        },
        [this] { editProperties(); });
    auto browsable = [this] {
        const std::vector<Ref*> nodes = selection();
        return CommandTable::enabledIf(browser_ && !nodes.empty() &&
                                       !RefTreeBinding::addressOf(*nodes.front()).empty());
    };
    t.add(cmd::OpenInBrowser, browsable, [this] { openInBrowser(false); });
    t.add(cmd::OpenInNewWindow, browsable, [this] { openInBrowser(true); });
    for (const std::uint32_t mode : {RefRoot::BySequence, RefRoot::ByDate}) {
        t.add(
            mode == RefRoot::BySequence ? cmd::GroupMode0 : cmd::GroupMode1,
            [this, mode] {
                const bool current = document_.model().orgroot().resultorder() == mode;
                return doc::CommandState{!current, current};
            },
            [this, mode] { setResultOrder(mode); });
    }
    t.add(
        cmd::RunSearchAgain,
        [this] {
            SearchRef* search = nullptr;
            return CommandTable::enabledIf(searches_ && selectedSearch(search) &&
                                           !search->hasflags(Ref::Running));
        },
        [this] {
            if (SearchRef* search = nullptr; selectedSearch(search))
                runSearchAgain(*search);
        });
    t.add(
        cmd::StopSearch,
        [this] {
            SearchRef* search = nullptr;
            return CommandTable::enabledIf(selectedSearch(search) &&
                                           search->hasflags(Ref::Running));
        },
        [this] {
            if (SearchRef* search = nullptr; selectedSearch(search))
                jobs_->StopSearch(*search);
        });
    t.add(
        cmd::ShowInOtherTree, [this] { return CommandTable::enabledIf(!selection().empty()); },
        [this] { showInOtherTree(); });
    t.add(
        cmd::CheckReferences,
        [this] {
            RefTreeView* tree = trees_->focusTree();
            // Nothing chosen, nothing to check: the tree's menu shows it greyed.
            const std::size_t chosen = selection().size();
            return CommandTable::enabledIf(tree && chosen > 0 &&
                                           Checker::CanCheck(chosen, tree->focusNode() != nullptr));
        },
        [this] {
            if (checker_)
                checker_->CheckSelection(selection());
        });
    t.add(
        cmd::StopChecking,
        [this] { return CommandTable::enabledIf(checker_ && checker_->CanStopChecking()); },
        [this] { checker_->StopChecking(); });
    t.add(
        cmd::ThreadWindow,
        [this] {
            return doc::CommandState{true, threadWindow_ != nullptr};
        },
        [this] {
            showThreadWindow(threadWindow_ == nullptr);
            options_.connections = threadWindow_ != nullptr;
        });
    t.add(
        cmd::StopAll, [this] { return CommandTable::enabledIf(jobs_->Busy()); },
        [this] { jobs_->StopAll(); });
    auto canOpenFinder = [this] { return CommandTable::enabledIf(finder_.canOpen()); };
    t.add(cmd::FindInDocument, canOpenFinder, [this] { finder_.openFind(); });
    t.add(cmd::ReplaceInDocument, canOpenFinder, [this] { finder_.openReplace(); });
    t.add(
        cmd::FindNext, [this] { return CommandTable::enabledIf(finder_.canFindNext()); },
        [this] { finder_.findNext(); });
    t.add(
        cmd::Rename, [this] { return CommandTable::enabledIf(dialogs_ && renamable()); },
        [this] { rename(); });
    // Nothing is deleted or cut while a job may still point into the trees,
    // nor is the model replaced by an earlier state.
    t.add(
        cmd::EditUndo,
        [this] { return CommandTable::enabledIf(document_.canUndo() && !jobs_->Busy()); },
        [this] { undo(); });
    trees_->addCommands(t, [this] { return jobs_->Busy(); });
}

void View::undo() {
    const bool organizerFocused = trees_->focusTree() != tree2_;
    documentClosed();
    document_.undo();
    documentReloaded();
    trees_->treeFocused(organizerFocused ? static_cast<RefTreeView&>(*tree1_) : *tree2_);
}

Ref* View::renamable() const {
    // What Replace renames: a folder's or saved search's own name, in the
    // organizer tree, on the focused row.
    if (trees_->focusTree() != tree1_)
        return nullptr;
    TreeViewNode* row = tree1_->focusNode();
    if (!row || row == &tree1_->treeRoot())
        return nullptr;
    Ref& node = refOf(*row);
    return !node.target() && node.label().view() == node.name().view() ? &node : nullptr;
}

void View::rename() {
    Ref* node = renamable();
    if (!node)
        return;
    QString name = QString::fromUtf8(node->name().view().data(),
                                     static_cast<qsizetype>(node->name().view().size()));
    if (!dialogs_->rename(name, this) || name.isEmpty())
        return;
    const std::string text = name.toStdString();
    if (text == node->name().view())
        return;
    const doc::Editor::Change change(document_);
    node->setname(Str(text));
    document_.modelChanged();
}

void View::editProperties() {
    const std::vector<Ref*> nodes = selection();
    const doc::Editor::Change change(document_);
    if (dialogs_ && !nodes.empty() && dialogs_->properties(document_.model(), *nodes.front(), this))
        document_.modelChanged();
}

void View::find() {
    // The view runs what the dialog accepts.
    if (dialogs_)
        dialogs_->newSearch(this, this);
}

void View::runSearchAgain(SearchRef& search) {
    // The dialog of "CheckSearch" is the reference dialogs' own; the run
    // then goes ahead without asking again.
    if (!searches_ || (dialogs_ && !dialogs_->searchagain(document_.model(), search, this)))
        return;
    searches_->Run().again(search, nullptr);
}

void View::runAllSearches() {
    if (!searches_)
        return;
    std::vector<SearchRef*> all;
    Ref& root = document_.model().orgroot();
    for (Tree* n = &root; n; n = n->nextpreorder(&root)) {
        if (auto* search = dynamic_cast<SearchRef*>(n))
            all.push_back(search);
    }
    // Every saved search as it was last asked: one dialog per search would
    // make the command useless on a document with many of them.
    for (SearchRef* search : all)
        searches_->Run().again(*search, nullptr);
    if (options_.showNew) {
        tree1_->binding().filterNew();
        tree2_->binding().filterNew();
    }
}

void View::setResultOrder(std::uint32_t order) {
    doc::WaitCursor wait;
    const doc::Editor::Change change(document_);
    DDoc& model = document_.model();
    model.orgroot().setresultorder(order);
    for (Ref* top = static_cast<Ref*>(model.orgroot().firstchild()); top;
         top = static_cast<Ref*>(top->next())) {
        if (order == RefRoot::ByDate)
            model.sortbydate(*top);
        else
            model.sortbysequence(*top);
    }
    model.commit();
    document_.modelChanged();
}

namespace {

// Every node above the row is open: the row is one of the tree's lines.
bool onScreen(const TreeViewNode& row) {
    for (const TreeViewNode* up = row.parent(); up; up = up->parent())
        if (!up->isExpanded())
            return false;
    return true;
}

} // namespace

void View::showInOtherTree() {
    RefTreeView* from = trees_->focusTree();
    if (!from)
        return;
    RefTreeView* other = from == tree1_ ? static_cast<RefTreeView*>(tree2_) : tree1_;
    const std::vector<Ref*> nodes = selection();
    RefRoot* root = other->binding().modelRoot();
    if (!root)
        return;
    other->clearSelection();
    for (Tree* n = root; n; n = n->nextpreorder(root)) {
        auto* ref = static_cast<Ref*>(n);
        for (const Ref* chosen : nodes) {
            if (ref->target() && ref->target() == chosen->target()) {
                selectRow(*ref);
                break;
            }
        }
    }
    other->setFocus();
}

void View::selectFailed() {
    RefTreeView* tree = trees_->focusTree();
    RefRoot* root = tree ? tree->binding().modelRoot() : nullptr;
    if (!root)
        return;
    tree->clearSelection();
    // Only rows on screen are chosen: opening closed nodes to reach the
    // others would change the document's stored expansions behind the
    // user's back. Those left out are counted instead.
    int inClosed = 0;
    TreeViewNode* first = nullptr;
    for (Ref* node : Checker::FailedReferences(*root, options_.showHidden)) {
        RefItem* item = RefItem::of(*node);
        TreeViewNode* row = item ? &item->treeNode() : nullptr;
        if (!row || !onScreen(*row)) {
            ++inClosed;
            continue;
        }
        tree->select(*row, true);
        if (!first)
            first = row;
    }
    if (first) {
        tree->setFocusNode(first);
        tree->ensureVisible(*first);
    }
    trees_->treeStatus(tree->binding().status());
    if (inClosed > 0) {
        if (auto* frame = qobject_cast<FrameWindow*>(QWidget::window())) {
            const QString shown = frame->statusText();
            const QString closed =
                QString::fromStdString(language_.format(kFailedInClosedNodes, inClosed));
            frame->setStatusText(shown.isEmpty() ? closed : shown + QStringLiteral("; ") + closed);
        }
    }
}

void View::openInBrowser(bool newWindow) {
    const std::vector<Ref*> nodes = selection();
    if (!browser_ || nodes.empty())
        return;
    const std::string address = RefTreeBinding::addressOf(*nodes.front());
    if (!address.empty())
        browser_->open(address, newWindow);
}

TreeView* View::searchTree() {
    return trees_->focusTree();
}

TreeView* View::organizerRows() {
    return tree1_;
}

bool View::renameRow(TreeViewNode& row, const TextQuery& query, const std::string& with, bool all,
                     int& replaced) {
    Ref& node = refOf(row);
    // Only a name the row shows: a reference's label is its page's title.
    if (node.root() != &document_.model().orgroot() || node.target() ||
        node.label().view() != node.name().view())
        return false;
    std::string name(node.name().view());
    const int count = replaceInText(name, query, with, all);
    if (count == 0)
        return false;
    // One Replace (or Replace All) is one step of Undo, ended by renamed().
    if (!renaming_)
        renaming_.emplace(document_);
    node.setname(Str(name));
    replaced += count;
    return true;
}

void View::renamed(int count) {
    if (count > 0)
        document_.modelChanged();
    renaming_.reset();
    status(language_.format(kNamesReplaced, count));
}

void View::showThreadWindow(bool shown) {
    if (shown && !threadWindow_) {
        threadWindow_ = new ThreadWindow(language_, this);
        connect(this, &View::threadRowAdded, threadWindow_, &ThreadWindow::addRow);
        connect(this, &View::threadRowChanged, threadWindow_, &ThreadWindow::updateRow);
        connect(this, &View::threadRowRemoved, threadWindow_, &ThreadWindow::removeRow);
        threadWindow_->show();
        jobs_->RowsShown();
    } else if (!shown && threadWindow_) {
        delete threadWindow_;
        threadWindow_ = nullptr;
        jobs_->RowsHidden();
    }
    layOut();
}

void View::layOut() {
    MainViewGeometry g;
    g.width = width();
    g.height = height();
    g.headingHeight = headingHeight();
    g.separator1 = separators_.first;
    g.separator2 = separators_.second;
    g.threadWindowShown = threadWindow_ != nullptr;
    const MainViewLayout l = layOutMainView(g);
    auto place = [](QWidget* w, const Box& b) { w->setGeometry(b.x, b.y, b.w, b.h); };
    place(heading1_, l.heading1);
    place(heading2_, l.heading2);
    place(tree1_, l.tree1);
    place(tree2_, l.tree2);
    place(vertical_, l.vertical);
    vertical_->raise();
    if (threadWindow_)
        place(threadWindow_, l.threadWindow);
    place(horizontal_, l.horizontal);
    horizontal_->setVisible(l.horizontalShown);
    horizontal_->raise();
}

int View::headingHeight() const {
    return heading1_->fontMetrics().height() + 2;
}

void View::resizeEvent(QResizeEvent*) {
    layOut();
}

void View::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        layOut();
    QWidget::changeEvent(event);
}

void View::verticalReleased(int x) {
    separators_.storeFirst(profile_, separator1FromSplitter(x, width()));
    layOut();
}

void View::horizontalReleased(int y) {
    separators_.storeSecond(profile_, separator2FromSplitter(y, headingHeight(), height()));
    layOut();
}

} // namespace qx::ui
