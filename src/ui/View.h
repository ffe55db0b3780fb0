#pragma once

#include "doc/CommandTarget.h"
#include "doc/DocView.h"
#include "settings/Separators.h"
#include "ui/MainViewLayout.h"

#include <QWidget>

#include <memory>

class QLabel;

namespace qx {
class ApplicationProfile;
class Language;
class OrganizerTreeView;
class RefTreeView;
struct Options;
} // namespace qx

namespace qx::doc {
class Editor;
}

namespace qx::ui {

class DocumentTrees;
class WindowSeparator;

// The main view: the document's two trees side by side under their headings,
// the thread window below them when it is shown, and the two splitters between
// them. It takes the commands that work on the trees and the running work.
class View : public QWidget, public doc::DocView, public doc::CommandTarget {
    Q_OBJECT
public:
    // Help contexts by the window that has the focus.
    static constexpr int kHelpTree1 = 5;
    static constexpr int kHelpTree2 = 6;
    static constexpr int kHelpThreadWindow = 7;

    View(doc::Editor& document, ApplicationProfile& profile, Options& options,
         const Language& language, QWidget* parent = nullptr);
    ~View() override;

    QWidget* window() override { return this; }
    void documentClosed() override;
    void documentReloaded() override;

    bool commandState(int id, doc::CommandState& state) override;
    bool execute(int id) override;

    // The help context of a window inside the view, 0 when it has none.
    int helpContext(const QWidget* focus) const;
    // -1 while nothing runs, else the percentage of the running work done.
    int progressFigure() const;

    QWidget* tree1() const;
    QWidget* tree2() const;
    OrganizerTreeView* organizerTree() const { return tree1_; }
    RefTreeView* domainTree() const { return tree2_; }
    DocumentTrees& trees() const { return *trees_; }
    QWidget* threadWindow() const { return threadWindow_; }
    WindowSeparator* verticalSeparator() const { return vertical_; }
    WindowSeparator* horizontalSeparator() const { return horizontal_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void layOut();
    int headingHeight() const;
    void showThreadWindow(bool shown);
    void verticalReleased(int x);
    void horizontalReleased(int y);

    doc::Editor& document_;
    ApplicationProfile& profile_;
    Options& options_;
    std::unique_ptr<DocumentTrees> trees_;
    OrganizerTreeView* tree1_;
    RefTreeView* tree2_;
    QLabel* heading1_;
    QLabel* heading2_;
    QWidget* threadWindow_ = nullptr;
    WindowSeparator* vertical_;
    WindowSeparator* horizontal_;
    Separators separators_;
};

} // namespace qx::ui
