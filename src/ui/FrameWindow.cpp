#include "ui/FrameWindow.h"

#include "doc/Texts.h"
#include "lang/Language.h"
#include "lang/TextIds.h"
#include "settings/ApplicationProfile.h"
#include "settings/RecentFiles.h"
#include "settings/WindowPlacement.h"
#include "ui/AnimationWindow.h"
#include "ui/Commands.h"
#include "ui/MenuBuilder.h"
#include "ui/ProgressGadget.h"
#include "ui/ToolbarImages.h"
#include "ui/View.h"
#include "ui/dialogs/DialogControls.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QShortcut>
#include <QStatusBar>
#include <QTimerEvent>
#include <QToolBar>

namespace qx::ui {

namespace {

constexpr unsigned kMainMenu = text::MainMenu;
constexpr int kAnimationInterval = 100;
constexpr int kPlacementDelay = 300;

// Tool-bar buttons, left to right: image cell and command; a command of 0 is
// a separator.
struct Button {
    int cell;
    int command;
};
constexpr Button kButtons[] = {
    {ToolbarImages::NewDocument, cmd::FileNew},
    {ToolbarImages::OpenDocument, cmd::FileOpen},
    {ToolbarImages::SaveDocument, cmd::FileSave},
    {0, 0},
    {0, 0},
    {ToolbarImages::WebSearch, cmd::FindDialog},
    {ToolbarImages::StopAll, cmd::StopAll},
    {0, 0},
    {ToolbarImages::CheckReferences, cmd::CheckReferences},
    {ToolbarImages::StopChecking, cmd::StopChecking},
    {0, 0},
    {ToolbarImages::FindInDocument, cmd::FindInDocument},
    {ToolbarImages::FindNext, cmd::FindNext},
    {0, 0},
    {ToolbarImages::ThreadWindow, cmd::ThreadWindow},
    {0, 0},
    {ToolbarImages::Help, cmd::HelpContents},
};

// Menu items that have an image without a button of their own.
constexpr Button kMenuImages[] = {
    {ToolbarImages::Delete, cmd::Delete},
    {ToolbarImages::Properties, cmd::Properties},
    {ToolbarImages::OpenInBrowser, cmd::OpenInBrowser},
    {ToolbarImages::NewBrowserWindow, cmd::OpenInNewWindow},
    {ToolbarImages::Hide, cmd::Hide},
    {ToolbarImages::Unhide, cmd::Unhide},
    {ToolbarImages::ShowInOtherTree, cmd::ShowInOtherTree},
    {ToolbarImages::SelectFailed, cmd::SelectFailed},
    {ToolbarImages::About, cmd::About},
};

// Commands whose items carry a check mark.
constexpr int kCheckable[] = {cmd::GroupMode0, cmd::GroupMode1, cmd::ShowHidden, cmd::ShowNew,
                              cmd::ThreadWindow};

struct Accelerator {
    QKeyCombination keys;
    int command;
};
const Accelerator kAccelerators[] = {
    {QKeyCombination(Qt::Key_Delete), cmd::Delete},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_Delete), cmd::Nothing24326},
    {QKeyCombination(Qt::AltModifier, Qt::Key_Backspace), cmd::EditUndo},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_Z), cmd::EditUndo},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_Q), cmd::Exit},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_W), cmd::FileClose},
    {QKeyCombination(Qt::Key_F3), cmd::FindNext},
    {QKeyCombination(Qt::AltModifier, Qt::Key_Return), cmd::Properties},
    {QKeyCombination(Qt::AltModifier, Qt::Key_Enter), cmd::Properties},
};

} // namespace

FrameWindow::FrameWindow(ApplicationProfile& profile, const Language& language,
                         const QString& title, QWidget* parent)
    : QMainWindow(parent), profile_(profile), language_(language), menu_(language.menu(kMainMenu)),
      title_(title) {
    setObjectName(QStringLiteral("FrameWindow"));
    setWindowTitle(title_);
    setAcceptDrops(true);
    empty_ = new QWidget(this);
    setCentralWidget(empty_);
    buildMenus();
    buildToolBar();
    buildAccelerators();
    buildStatusBar();
    rebuildToolbarImages();

    WindowPlacement placement{.x = 80, .y = 60, .w = 900, .h = 640};
    placement.load(profile_);
    move(placement.x, placement.y);
    resize(std::max(placement.w, 200), std::max(placement.h, 150));
    fitToScreen(*this);
    zoomAtStart_ = placement.zoom;
}

FrameWindow::~FrameWindow() {
    // The view belongs to its document, which outlives this window's children.
    if (view_)
        takeCentralWidget()->setParent(nullptr);
    savePlacement();
}

void FrameWindow::showAtStart() {
    if (zoomAtStart_)
        showMaximized();
    else
        show();
}

QAction* FrameWindow::commandAction(int id) {
    if (QAction* existing = actions_.value(id))
        return existing;
    auto* action = new QAction(this);
    action->setData(id);
    // The string numbered as the command is its hint.
    const QString hint = doc::text(language_, static_cast<unsigned>(id));
    action->setStatusTip(hint);
    if (!hint.isEmpty())
        action->setToolTip(hint);
    action->setCheckable(std::find(std::begin(kCheckable), std::end(kCheckable), id) !=
                         std::end(kCheckable));
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, [this, id] { execute(id); });
    addAction(action); // keeps its shortcut alive while it is in no visible menu
    actions_.insert(id, action);
    return action;
}

void FrameWindow::buildMenus() {
    MenuBuilder builder([this](int id) { return commandAction(id); });
    fileMenu_ = builder.build(menu_, menuBar());
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, &FrameWindow::updateCommandStates);
}

void FrameWindow::popupMenu(unsigned id, QPoint global) {
    const Menu menu = language_.menu(id);
    for (const MenuItem& item : menu.items) {
        if (item.kind != MenuItem::Kind::Popup)
            continue;
        QMenu popup(this);
        MenuBuilder([this](int command) { return commandAction(command); }).fillPopup(item, &popup);
        updateCommandStates();
        popup.exec(global);
        return;
    }
}

void FrameWindow::buildToolBar() {
    toolBar_ = addToolBar(QString::fromStdString(language_.text(text::ToolbarName)));
    toolBar_->setObjectName(QStringLiteral("Toolbar"));
    // The tool bar is always shown: no menu offers to hide it, since nothing
    // would remember that it was hidden.
    toolBar_->setContextMenuPolicy(Qt::PreventContextMenu);
    menuBar()->setContextMenuPolicy(Qt::PreventContextMenu);
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(ToolbarImages::kCellSize, ToolbarImages::kCellSize));
    for (const Button& button : kButtons) {
        if (button.command == 0) {
            toolBar_->addSeparator();
            continue;
        }
        toolBar_->addAction(commandAction(button.command));
        imageCells_.insert(button.command, button.cell);
    }
    for (const Button& image : kMenuImages)
        if (actions_.contains(image.command))
            imageCells_.insert(image.command, image.cell);

    auto* spacer = new QWidget(toolBar_);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    toolBar_->addWidget(spacer);
    animation_ = new AnimationWindow(toolBar_);
    toolBar_->addWidget(animation_);
}

void FrameWindow::buildAccelerators() {
    for (const Accelerator& accelerator : kAccelerators) {
        MenuBuilder::addShortcut(commandAction(accelerator.command),
                                 QKeySequence(accelerator.keys));
    }
    // F10 opens the menu bar: with a keyboard layout whose letters are not
    // the menus' (Russian menus, Latin keys) Alt+letter reaches nothing.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        const QList<QAction*> menus = menuBar()->actions();
        if (!menus.isEmpty())
            menuBar()->setActiveAction(menus.constFirst());
    });
}

void FrameWindow::buildStatusBar() {
    // The texts of the search run and of the selection stay in a part of the
    // bar of their own: a menu item's or button's hint only covers them while
    // the pointer is on it, instead of wiping them for good.
    statusText_ = new QLabel(statusBar());
    statusText_->setObjectName(QStringLiteral("StatusText"));
    statusText_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->addWidget(statusText_, 1);
    progress_ = new ProgressGadget(statusBar());
    statusBar()->addPermanentWidget(progress_);
}

void FrameWindow::rebuildToolbarImages() {
    const QPixmap strip = ToolbarImages::strip(palette());
    for (auto it = imageCells_.cbegin(); it != imageCells_.cend(); ++it)
        actions_.value(it.key())->setIcon(QIcon(ToolbarImages::cell(strip, it.value())));
}

void FrameWindow::execute(int id) {
    if (filter_ && filter_(id))
        return;
    if (view_ && view_->execute(id))
        return;
    for (doc::CommandTarget* target : targets_)
        if (target->execute(id))
            return;
}

doc::CommandState FrameWindow::commandState(int id) {
    doc::CommandState state;
    if (view_ && view_->commandState(id, state))
        return state;
    for (doc::CommandTarget* target : targets_)
        if (target->commandState(id, state))
            return state;
    return {};
}

void FrameWindow::updateCommandStates() {
    setWindowModified(view_ && view_->documentModified());
    for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
        const doc::CommandState state = commandState(it.key());
        QAction* action = it.value();
        // Setting a mark that is already set would still repaint the buttons.
        if (action->isEnabled() != state.enabled)
            action->setEnabled(state.enabled);
        if (action->isCheckable() && action->isChecked() != state.checked)
            action->setChecked(state.checked);
    }
}

void FrameWindow::setView(View* view) {
    view_ = view;
    view->setParent(this);
    setCentralWidget(view); // takes the place of the empty client area
    empty_ = nullptr;
    updateCommandStates();
}

View* FrameWindow::view() const {
    return view_;
}

void FrameWindow::clearView() {
    if (view_) {
        takeCentralWidget();
        view_->hide();
        view_->setParent(nullptr);
        view_ = nullptr;
    }
    if (!empty_) {
        empty_ = new QWidget(this);
        setCentralWidget(empty_);
    }
    setWindowTitle(title_);
    updateCommandStates();
}

void FrameWindow::setDocumentTitle(const QString& documentTitle) {
    // "[*]" becomes "*" while the document has unsaved changes.
    setWindowTitle(documentTitle.isEmpty()
                       ? title_
                       : title_ + QStringLiteral(" - ") + documentTitle + QStringLiteral("[*]"));
}

void FrameWindow::setRecentFiles(const QStringList& paths) {
    for (QAction* action : recentActions_) {
        if (fileMenu_)
            fileMenu_->removeAction(action);
        delete action;
    }
    recentActions_.clear();
    if (!fileMenu_ || paths.isEmpty())
        return;
    // The entries stand above the last item of the file menu (leaving the program).
    QList<QAction*> items = fileMenu_->actions();
    QAction* before = items.isEmpty() ? nullptr : items.last();
    for (int i = 0; i < paths.size(); ++i) {
        const int id = cmd::RecentFile0 + i;
        auto* action = new QAction(
            QString::fromStdString(RecentFiles::menuText(i, paths[i].toStdString())), fileMenu_);
        connect(action, &QAction::triggered, this, [this, id] { execute(id); });
        fileMenu_->insertAction(before, action);
        recentActions_.append(action);
    }
    recentActions_.append(fileMenu_->insertSeparator(before));
}

void FrameWindow::setStatusText(const QString& text) {
    statusText_->setText(text);
}

QString FrameWindow::statusText() const {
    return statusText_->text();
}

bool FrameWindow::idle(long count) {
    const bool working = view_ && view_->progressFigure() >= 0;
    animation_->setRunning(working);
    if (working && !animationTimer_.isActive())
        animationTimer_.start(kAnimationInterval, this);
    else if (!working)
        animationTimer_.stop();
    if (count == 0)
        updateCommandStates();
    return false;
}

int FrameWindow::helpContext() const {
    return view_ ? view_->helpContext(QApplication::focusWidget()) : 0;
}

int FrameWindow::helpContextOfCommand(int id) const {
    // The recent files are no items of the menu resource: their help is the
    // file menu's.
    if (id >= cmd::RecentFile0 && id < cmd::RecentFile0 + RecentFiles::kMaxEntries)
        id = cmd::FileOpen;
    return static_cast<int>(menu_.helpContext(static_cast<unsigned>(id)));
}

void FrameWindow::closeEvent(QCloseEvent* event) {
    if (closeTest_ && !closeTest_()) {
        event->ignore();
        return;
    }
    event->accept();
    emit closing();
}

// Moving or resizing sends a stream of events; the placement is written once
// they have stopped for a moment.
void FrameWindow::placementChanged() {
    if (isVisible())
        placementTimer_.start(kPlacementDelay, this);
}

void FrameWindow::moveEvent(QMoveEvent* event) {
    placementChanged();
    QMainWindow::moveEvent(event);
}

void FrameWindow::resizeEvent(QResizeEvent* event) {
    placementChanged();
    QMainWindow::resizeEvent(event);
}

void FrameWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange)
        placementChanged();
    QMainWindow::changeEvent(event);
}

void FrameWindow::timerEvent(QTimerEvent* event) {
    if (event->timerId() == animationTimer_.timerId()) {
        animation_->advance();
    } else if (event->timerId() == placementTimer_.timerId()) {
        placementTimer_.stop();
        savePlacement();
    } else {
        QMainWindow::timerEvent(event);
    }
}

void FrameWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void FrameWindow::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    emit filesDropped(paths);
}

void FrameWindow::savePlacement() {
    WindowPlacement p;
    const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    const QPoint at = isMaximized() || isMinimized() ? normal.topLeft() : pos();
    p.x = at.x();
    p.y = at.y();
    p.w = normal.width();
    p.h = normal.height();
    p.zoom = isMaximized();
    if (p.w > 0 && p.h > 0)
        p.save(profile_);
}

} // namespace qx::ui
