#include "ui/View.h"

#include "doc/Editor.h"
#include "doc/QtMessageTarget.h"
#include "doc/Texts.h"
#include "doc/WaitCursor.h"
#include "lang/Language.h"
#include "lang/TextIds.h"
#include "model/DDoc.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"
#include "search/EngineTable.h"
#include "search/FindCommand.h"
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

constexpr int kHeading1 = 15;
constexpr int kHeading2 = 16;
constexpr int kVerticalSeparator = 99;
constexpr int kHorizontalSeparator = 98;

constexpr unsigned kNamesReplaced = 9810;

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
      language_(language), find_(std::make_unique<FindCommand>(profile, options)),
      finder_(*this, language, this) {
    jobs_->SetRows(this);
    plugJobs();
    separators_.load(profile_);
    setObjectName(QStringLiteral("View"));
    tree1_->setObjectName(QStringLiteral("Tree1"));
    tree2_->setObjectName(QStringLiteral("Tree2"));
    trees_->bind(tree1_, tree2_);
    connect(vertical_, &WindowSeparator::released, this, &View::verticalReleased);
    connect(horizontal_, &WindowSeparator::released, this, &View::horizontalReleased);
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
    find_->setdefaultservers(engines.defaultmask());
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
    // Nothing is deleted while a job may still point into the trees.
    if (id == cmd::Delete && trees_->commandState(id, state)) {
        state.enabled = state.enabled && !jobs_->Busy();
        return true;
    }
    return commandEnabled(id, state) || trees_->commandState(id, state);
}

bool View::commandEnabled(int id, doc::CommandState& state) {
    SearchRef* search = nullptr;
    switch (id) {
    case cmd::FindDialog:
        state.enabled = dialogs_ != nullptr;
        return true;
    case cmd::Nothing506:
    case cmd::Nothing901:
    case cmd::Nothing902:
    case cmd::Nothing24326:
    case cmd::SelectFailed:
        state.enabled = true;
        return true;
    case cmd::RunAllSearches:
        state.enabled = searches_ != nullptr;
        return true;
    case cmd::Properties: {
        const std::vector<Ref*> nodes = selection();
        const PropertiesKind kind =
            nodes.empty() ? PropertiesKind::None : propertieskind(*nodes.front());
        state.enabled =
            dialogs_ &&
            (kind == PropertiesKind::Object ||
             (kind == PropertiesKind::SavedSearch && !nodes.front()->hasflags(Ref::Running)));
        return true;
    }
    case cmd::OpenInBrowser:
    case cmd::OpenInNewWindow: {
        const std::vector<Ref*> nodes = selection();
        state.enabled =
            browser_ && !nodes.empty() && !RefTreeBinding::addressOf(*nodes.front()).empty();
        return true;
    }
    case cmd::GroupMode0:
    case cmd::GroupMode1: {
        const std::uint32_t mode = id == cmd::GroupMode0 ? RefRoot::BySequence : RefRoot::ByDate;
        state.checked = document_.model().orgroot().resultorder() == mode;
        state.enabled = !state.checked;
        return true;
    }
    case cmd::RunSearchAgain:
        state.enabled = searches_ && selectedSearch(search) && !search->hasflags(Ref::Running);
        return true;
    case cmd::StopSearch:
        state.enabled = selectedSearch(search) && search->hasflags(Ref::Running);
        return true;
    case cmd::ShowInOtherTree:
        state.enabled = !selection().empty();
        return true;
    case cmd::CheckReferences: {
        RefTreeView* tree = trees_->focusTree();
        state.enabled = tree && Checker::CanCheck(selection().size(), tree->focusNode() != nullptr);
        return true;
    }
    case cmd::StopChecking:
        state.enabled = checker_ && checker_->CanStopChecking();
        return true;
    case cmd::ThreadWindow:
        state.enabled = true;
        state.checked = threadWindow_ != nullptr;
        return true;
    case cmd::StopAll:
        state.enabled = jobs_->Busy();
        return true;
    case cmd::FindInDocument:
    case cmd::ReplaceInDocument:
        state.enabled = finder_.canOpen();
        return true;
    case cmd::FindNext:
        state.enabled = finder_.canFindNext();
        return true;
    default:
        return false;
    }
}

bool View::execute(int id) {
    // A key reaches here without the frame asking first; a delete while a job
    // may still point into the trees would pull nodes from under it.
    doc::CommandState state;
    if (id == cmd::Delete && commandState(id, state) && !state.enabled)
        return true;
    return run(id) || trees_->execute(id);
}

bool View::run(int id) {
    SearchRef* search = nullptr;
    switch (id) {
    case cmd::FindDialog:
        find();
        return true;
    case cmd::Nothing506:
    case cmd::Nothing901:
    case cmd::Nothing902:
    case cmd::Nothing24326:
        return true;
    case cmd::RunAllSearches:
        runAllSearches();
        return true;
    case cmd::Properties: {
        const std::vector<Ref*> nodes = selection();
        if (dialogs_ && !nodes.empty() &&
            dialogs_->properties(document_.model(), *nodes.front(), this))
            document_.setDirty(true);
        return true;
    }
    case cmd::OpenInBrowser:
    case cmd::OpenInNewWindow:
        openInBrowser(id == cmd::OpenInNewWindow);
        return true;
    case cmd::GroupMode0:
    case cmd::GroupMode1:
        setResultOrder(id == cmd::GroupMode0 ? RefRoot::BySequence : RefRoot::ByDate);
        return true;
    case cmd::RunSearchAgain:
        if (selectedSearch(search))
            runSearchAgain(*search);
        return true;
    case cmd::StopSearch:
        if (selectedSearch(search))
            jobs_->StopSearch(*search);
        return true;
    case cmd::ShowInOtherTree:
        showInOtherTree();
        return true;
    case cmd::CheckReferences:
        if (checker_) {
            const std::vector<Ref*> nodes = selection();
            checker_->CheckSelection(nodes);
        }
        return true;
    case cmd::StopChecking:
        if (checker_)
            checker_->StopChecking();
        return true;
    case cmd::SelectFailed:
        selectFailed();
        return true;
    case cmd::ThreadWindow:
        showThreadWindow(threadWindow_ == nullptr);
        options_.connections = threadWindow_ != nullptr;
        return true;
    case cmd::StopAll:
        jobs_->StopAll();
        return true;
    case cmd::FindInDocument:
        finder_.openFind();
        return true;
    case cmd::ReplaceInDocument:
        finder_.openReplace();
        return true;
    case cmd::FindNext:
        finder_.findNext();
        return true;
    default:
        return false;
    }
}

void View::find() {
    if (!dialogs_)
        return;
    find_->run([this](FindInfo& request) { return dialogs_->find(request, nullptr, this); }, this);
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
    document_.setDirty(true);
}

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
    for (Ref* node : Checker::FailedReferences(*root, options_.showHidden))
        selectRow(*node);
    trees_->treeStatus(tree->binding().status());
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
    node.setname(Str(name));
    replaced += count;
    return true;
}

void View::renamed(int count) {
    if (count > 0)
        document_.setDirty(true);
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
