#pragma once

#include "doc/CommandTarget.h"
#include "lang/Menu.h"

#include <QBasicTimer>
#include <QHash>
#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <functional>
#include <vector>

class QLabel;
class QToolBar;

namespace qx {
class ApplicationProfile;
class Language;
} // namespace qx

namespace qx::ui {

class AnimationWindow;
class ProgressGadget;
class View;

// The main window: menu, tool bar with the animation, status bar with the
// progress gadget, and the main view as its client window. Menu items, tool-bar
// buttons and accelerators all send their command numbers along one chain of
// targets: the view, then the targets the application adds.
class FrameWindow : public QMainWindow {
    Q_OBJECT
public:
    // Answers true when it took the command itself (context help does).
    using CommandFilter = std::function<bool(int id)>;
    using CloseTest = std::function<bool()>;

    FrameWindow(ApplicationProfile& profile, const Language& language, const QString& title,
                QWidget* parent = nullptr);
    ~FrameWindow() override;

    // Shows the window, maximised when it was maximised when it was last closed.
    void showAtStart();

    void addCommandTarget(doc::CommandTarget* target) { targets_.push_back(target); }
    void setCommandFilter(CommandFilter filter) { filter_ = std::move(filter); }
    void setCloseTest(CloseTest test) { closeTest_ = std::move(test); }

    // Sends a command along the chain, as a menu item would.
    void execute(int id);
    doc::CommandState commandState(int id);
    // Refreshes the enabled and checked marks of every command's items.
    void updateCommandStates();
    // The menu item or button of a command; null when it has none.
    QAction* action(int id) const { return actions_.value(id); }

    // Tracks the first pop-up of a menu of the language module at a point on
    // the screen; its commands go along the chain like the menu bar's.
    void popupMenu(unsigned id, QPoint global);

    // The client window: the view of the open document, or none.
    void setView(View* view);
    View* view() const;
    // Back to no client window, the caption back to the title.
    void clearView();
    // "title - document" while a document is shown.
    void setDocumentTitle(const QString& documentTitle);

    void setRecentFiles(const QStringList& paths);
    void setStatusText(const QString& text);
    QString statusText() const;
    ProgressGadget* progressGadget() const { return progress_; }
    AnimationWindow* animation() const { return animation_; }
    QToolBar* toolBar() const { return toolBar_; }

    // Draws the tool-bar images again in the current palette's colours.
    void rebuildToolbarImages();

    // The frame's share of an idle pass: the animation runs while work runs,
    // the command marks are refreshed.
    bool idle(long count);

    // The help context of the window that has the focus, 0 when none.
    int helpContext() const;
    // The context of a command chosen in help mode: the first item of the
    // pop-up that holds it minus 1, or the command itself.
    int helpContextOfCommand(int id) const;

signals:
    void filesDropped(const QStringList& paths);
    // The close test passed and the window is about to close.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* commandAction(int id);
    void buildMenus();
    void buildToolBar();
    void buildAccelerators();
    void buildStatusBar();
    void placementChanged();
    void savePlacement();

    ApplicationProfile& profile_;
    const Language& language_;
    Menu menu_;
    QString title_;
    QHash<int, QAction*> actions_;
    QHash<int, int> imageCells_; // command -> cell of the tool-bar image strip
    QList<QAction*> recentActions_;
    QMenu* fileMenu_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    AnimationWindow* animation_ = nullptr;
    ProgressGadget* progress_ = nullptr;
    QLabel* statusText_ = nullptr;
    QWidget* empty_ = nullptr; // the client area while no view is shown
    QPointer<View> view_;
    std::vector<doc::CommandTarget*> targets_;
    CommandFilter filter_;
    CloseTest closeTest_;
    QBasicTimer animationTimer_;
    QBasicTimer placementTimer_;
    bool zoomAtStart_ = false;
};

} // namespace qx::ui
