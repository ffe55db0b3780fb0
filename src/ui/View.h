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
class FindCommand;
class Language;
class SearchStarter;
struct Options;
} // namespace qx

namespace qx::doc {
class Editor;
}

namespace qx::ui {

class ReferenceDialogs;
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

    // The find and properties dialogs; none (the default) leaves the find
    // command disabled. Neither is owned.
    void setDialogs(ReferenceDialogs* dialogs) { dialogs_ = dialogs; }
    ReferenceDialogs* dialogs() const { return dialogs_; }
    // Where accepted requests go; without one they are only remembered.
    void setSearchStarter(SearchStarter* starter) { starter_ = starter; }

    // The help context of a window inside the view, 0 when it has none.
    int helpContext(const QWidget* focus) const;
    // -1 while nothing runs, else the percentage of the running work done.
    int progressFigure() const;

    QWidget* tree1() const { return tree1_; }
    QWidget* tree2() const { return tree2_; }
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
    void find();

    doc::Editor& document_;
    ApplicationProfile& profile_;
    Options& options_;
    QWidget* tree1_;
    QWidget* tree2_;
    QLabel* heading1_;
    QLabel* heading2_;
    QWidget* threadWindow_ = nullptr;
    WindowSeparator* vertical_;
    WindowSeparator* horizontal_;
    Separators separators_;
    ReferenceDialogs* dialogs_ = nullptr;
    SearchStarter* starter_ = nullptr;
    std::unique_ptr<FindCommand> find_;
};

} // namespace qx::ui
