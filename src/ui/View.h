#pragma once

#include "doc/CommandTable.h"
#include "doc/DocView.h"
#include "doc/Editor.h"
#include "search/SearchScreen.h"
#include "search/SearchStarter.h"
#include "settings/Separators.h"
#include "ui/MainViewLayout.h"
#include "ui/SearchHandler.h"
#include "workers/JobBoard.h"
#include "workers/ThreadRows.h"

#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QLabel;

namespace qx {
class DDoc;
class SearchRef;
class TreeView;
class TreeViewNode;
struct FindInfo;
struct TextQuery;
} // namespace qx

namespace qx {
class ApplicationProfile;
class Checker;
class EngineTable;
class Language;
class MessageBoxer;
class OrganizerTreeView;
class Ref;
class RefTreeView;
class SearchModule;
class WebSearches;
struct Options;
} // namespace qx

namespace qx::doc {
class Editor;
class QtMessageTarget;
} // namespace qx::doc

namespace qx::ui {

class Browser;
class DocumentTrees;
class ReferenceDialogs;
class ThreadWindow;
class WindowSeparator;

// The main view: the document's two trees side by side under their headings,
// the thread window below them when it is shown, and the two splitters between
// them. It takes the commands that work on the trees and the running work, and
// owns the job board of the document's searches and checks, whose rows it
// hands to the thread window.
class View : public QWidget,
             public doc::DocView,
             public doc::CommandTarget,
             public ThreadRows,
             public SearchStarter,
             public SearchScreen,
             private SearchHandler::Host {
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
    bool documentModified() const;
    void documentClosed() override;
    void documentReloaded() override;
    void keepChoiceIn(DDoc& fresh) override;

    bool commandState(int id, doc::CommandState& state) override;
    bool execute(int id) override;

    // The find and properties dialogs; none (the default) leaves the find
    // command disabled. Neither is owned.
    void setDialogs(ReferenceDialogs* dialogs) { dialogs_ = dialogs; }
    ReferenceDialogs* dialogs() const { return dialogs_; }
    // The web searches of the document run through this module, on the
    // engines of the table (which outlives the view); their questions and the
    // launch failures go to boxes.
    void setSearchModule(std::shared_ptr<const SearchModule> module, const EngineTable& engines,
                         MessageBoxer& boxes);
    // Opens references in the browser (700, 702); none leaves them disabled.
    void setBrowser(Browser* browser) { browser_ = browser; }

    // The help context of a window inside the view, 0 when it has none.
    int helpContext(const QWidget* focus) const;
    // -1 while nothing runs, else the percentage of the running work done.
    int progressFigure() const;
    // The view's share of an idle pass, before the framework's own: one
    // scheduler pass (SearchStarted asks to skip the framework's idle work this
    // time), then the thread window's changed rows.
    JobBoard::Pass idle();
    JobBoard& jobs() { return *jobs_; }

    // The search run: the find command's request, the status line, the
    // progress figure and the line of a saved search.
    void startsearch(const FindInfo& request) override;
    void status(const std::string& text) override;
    void progress() override {}
    void expand(Ref& node) override;
    WebSearches* searches() const { return searches_.get(); }
    Checker* checker() const { return checker_.get(); }
    SearchHandler& finder() { return finder_; }

    bool Shown() const override { return threadWindow_ != nullptr; }
    void AddRow(const WThread& worker, const std::string& text) override;
    void UpdateRow(const WThread& worker, const std::string& text) override;
    void RemoveRow(const WThread& worker) override;

    QWidget* tree1() const;
    QWidget* tree2() const;
    OrganizerTreeView* organizerTree() const { return tree1_; }
    RefTreeView* domainTree() const { return tree2_; }
    DocumentTrees& trees() const { return *trees_; }
    // The selected nodes of the tree with the focus: what the export
    // commands write.
    std::vector<const Ref*> selectedReferences() const;
    ThreadWindow* threadWindow() const { return threadWindow_; }
    WindowSeparator* verticalSeparator() const { return vertical_; }
    WindowSeparator* horizontalSeparator() const { return horizontal_; }

signals:
    // The thread window's rows, one per worker (the key), with its status line.
    void threadRowAdded(quintptr worker, const QString& text);
    void threadRowChanged(quintptr worker, const QString& text);
    void threadRowRemoved(quintptr worker);

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
    // The jobs that work on the document's model: made again for each model.
    void plugJobs();
    void unplugJobs();
    std::vector<Ref*> selection() const;
    bool selectedSearch(SearchRef*& search) const;
    void addCommands();
    void editProperties();
    void undo();
    Ref* renamable() const;
    void rename();
    void runAllSearches();
    void runSearchAgain(SearchRef& search);
    void setResultOrder(std::uint32_t order);
    void showInOtherTree();
    void selectFailed();
    void openInBrowser(bool newWindow);

    // SearchHandler::Host
    TreeView* searchTree() override;
    TreeView* organizerRows() override;
    bool renameRow(TreeViewNode& row, const TextQuery& query, const std::string& with, bool all,
                   int& replaced) override;
    void renamed(int count) override;

    doc::Editor& document_;
    ApplicationProfile& profile_;
    Options& options_;
    std::unique_ptr<DocumentTrees> trees_;
    OrganizerTreeView* tree1_;
    RefTreeView* tree2_;
    QLabel* heading1_;
    QLabel* heading2_;
    ThreadWindow* threadWindow_ = nullptr;
    WindowSeparator* vertical_;
    WindowSeparator* horizontal_;
    Separators separators_;
    // The workers post here; it dies after the board, with the view's children.
    doc::QtMessageTarget* messages_;
    std::unique_ptr<JobBoard> jobs_;
    const Language& language_;
    ReferenceDialogs* dialogs_ = nullptr;
    Browser* browser_ = nullptr;
    MessageBoxer* boxes_ = nullptr;
    std::shared_ptr<const SearchModule> module_;
    const EngineTable* engines_ = nullptr;
    std::unique_ptr<Checker> checker_;
    // Each tree's chosen nodes of the model about to be shown, chosen again
    // once it is (a reload keeps the selection).
    std::vector<std::pair<RefTreeView*, std::vector<Ref*>>> keptChoice_;
    std::unique_ptr<WebSearches> searches_;
    SearchHandler finder_;
    doc::CommandTable commands_;
    std::optional<doc::Editor::Change> renaming_;
};

} // namespace qx::ui
