#include "FakeStore.h"
#include "ProgramDir.h"
#include "TempDir.h"
#include "doc/Editor.h"
#include "lang/Language.h"
#include "model/FindInfo.h"
#include "model/SearchProp.h"
#include "model/ServerInfo.h"
#include "search/EngineTable.h"
#include "settings/ApplicationProfile.h"
#include "settings/Options.h"
#include "ui/AnimationWindow.h"
#include "ui/Commands.h"
#include "ui/FrameWindow.h"
#include "ui/ProgressGadget.h"
#include "ui/ThreadWindow.h"
#include "ui/View.h"
#include "ui/WindowSeparator.h"
#include "ui/dialogs/FindDialog.h"
#include "workers/CheckList.h"
#include "workers/CheckWorker.h"
#include "workers/JobKinds.h"

#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <cstdlib>

using namespace qx;
using qx::test::TempDir;
using qx::ui::View;

namespace {

// Takes every command and writes down the ones carried out.
class Recorder : public doc::CommandTarget {
public:
    bool commandState(int, doc::CommandState& state) override {
        state.enabled = true;
        return true;
    }
    bool execute(int id) override {
        executed.push_back(id);
        return true;
    }
    std::vector<int> executed;
};

// Checks whose worker ends at once, applied by marking the node done.
class InstantChecks : public CheckJobs {
public:
    class Worker : public CheckWorker {
    public:
        using CheckWorker::CheckWorker;
        int Run() override {
            PostEnd(1);
            return 0;
        }
    };
    std::unique_ptr<CheckWorker> MakeCheckWorker(platform::MessageTarget* window, const Str& url,
                                                 const platform::SystemTime&,
                                                 CheckNode& node) override {
        return std::make_unique<Worker>(window, url, &node);
    }
    void ApplyCheck(CheckWorker& worker, int) override {
        worker.Node()->SetState(CheckNode::Done);
        ++applied;
    }
    bool CheckReference(Ref&) override { return false; }
    int applied = 0;
};

} // namespace

class FrameTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void toolBarHoldsTheButtonsInOrder();
    void acceleratorsAndMenuKeysSendTheirCommands();
    void commandsNobodyTakesStayDisabled();
    void menuComesFromTheLanguageModule();
    void firstTreeTakesItsShareOfTheWidth();
    void splitterDraggedToTheFarLeftStores100();
    void horizontalSplitterStoresTheTreesShare();
    void threadWindowCommandShowsAndHidesItsPane();
    void helpContextFollowsTheFocus();
    void placementIsWrittenAfterAResizeAndAtTheEnd();
    void progressGadgetClampsItsValue();
    void windowsFitTheScreen();
    void viewRunsItsJobsAndShowsTheirRows();

private:
    View* attachView(int width = 1000, int height = 600);

    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<ApplicationProfile> profile_;
    std::unique_ptr<Language> language_;
    Options options_;
    test::FakeStore store_;
    std::unique_ptr<doc::Editor> editor_;
    std::unique_ptr<ui::View> view_;
    std::unique_ptr<ui::FrameWindow> frame_;
};

void FrameTest::init() {
    dir_ = std::make_unique<TempDir>();
    profile_ = std::make_unique<ApplicationProfile>(dir_->file("qxseek.INI"));
    language_ = std::make_unique<Language>(test::programFolder());
    std::string code = "enu";
    QCOMPARE(language_->load(code), 0u);
    options_ = Options();
    editor_ = std::make_unique<doc::Editor>(store_, options_, *language_);
    frame_ = std::make_unique<ui::FrameWindow>(*profile_, *language_, QStringLiteral("Norba Seek"));
}

void FrameTest::cleanup() {
    frame_.reset();
    view_.reset();
    editor_.reset();
    language_.reset();
    profile_.reset();
    dir_.reset();
}

View* FrameTest::attachView(int width, int height) {
    view_ = std::make_unique<View>(*editor_, *profile_, options_, *language_);
    frame_->setView(view_.get());
    frame_->show();
    view_->resize(width, height);
    return view_.get();
}

void FrameTest::toolBarHoldsTheButtonsInOrder() {
    std::vector<int> commands;
    for (QAction* action : frame_->toolBar()->actions()) {
        if (action->isSeparator())
            commands.push_back(0);
        else if (action->data().isValid())
            commands.push_back(action->data().toInt());
        if (action->data().isValid())
            QVERIFY(!action->icon().isNull());
    }
    const std::vector<int> expected = {24331, 24332, 24333, 0,     0, 500, 501, 0,   913,
                                       914,   0,     24351, 24353, 0, 917, 0,   2001};
    QCOMPARE(commands, expected);
    QCOMPARE(frame_->animation()->objectName(), QStringLiteral("PumpingWindow"));
    QCOMPARE(frame_->action(ui::cmd::FileNew)->toolTip(), QStringLiteral("Create a new document"));
}

void FrameTest::acceleratorsAndMenuKeysSendTheirCommands() {
    Recorder recorder;
    frame_->addCommandTarget(&recorder);
    frame_->show();
    QApplication::setActiveWindow(frame_.get());
    QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
    frame_->updateCommandStates();
    QTest::keyClick(frame_.get(), Qt::Key_F3);
    QTest::keyClick(frame_.get(), Qt::Key_Delete);
    QTest::keyClick(frame_.get(), Qt::Key_Delete, Qt::ControlModifier);
    QTest::keyClick(frame_.get(), Qt::Key_Backspace, Qt::AltModifier);
    QTest::keyClick(frame_.get(), Qt::Key_Return, Qt::AltModifier);
    QTest::keyClick(frame_.get(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(frame_.get(), Qt::Key_F1); // F1 asks for help; no command has it
    QTest::keyClick(frame_.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(frame_.get(), Qt::Key_W, Qt::ControlModifier);
    QTest::keyClick(frame_.get(), Qt::Key_Q, Qt::ControlModifier);
    const std::vector<int> expected = {24353, 24325, 24326, 24321, 602, 24333, 24321, 24339, 24310};
    QCOMPARE(recorder.executed, expected);
    // F10 opens the menu bar, whatever the keyboard's layout.
    QTest::keyClick(frame_.get(), Qt::Key_F10);
    QCOMPARE(frame_->menuBar()->activeAction(), frame_->menuBar()->actions().constFirst());
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
}

void FrameTest::commandsNobodyTakesStayDisabled() {
    attachView();
    frame_->updateCommandStates();
    QVERIFY(!frame_->action(ui::cmd::CheckReferences)->isEnabled());
    QVERIFY(!frame_->action(ui::cmd::FileSave)->isEnabled());
    QVERIFY(frame_->action(ui::cmd::ThreadWindow)->isEnabled());
    QVERIFY(frame_->action(ui::cmd::ThreadWindow)->isChecked()); // "Connections" is on
    frame_->execute(ui::cmd::CheckReferences);                   // nobody takes it: nothing happens
}

void FrameTest::menuComesFromTheLanguageModule() {
    QStringList titles;
    for (QAction* top : frame_->menuBar()->actions())
        titles.append(top->text());
    QCOMPARE(titles, QStringList({QStringLiteral("&File"), QStringLiteral("&Edit"),
                                  QStringLiteral("&View"), QStringLiteral("&Search"),
                                  QStringLiteral("&Tools"), QStringLiteral("&Help")}));
    QMenu* file = frame_->menuBar()->actions().at(0)->menu();
    frame_->setRecentFiles({QStringLiteral("/docs/a.qxo"), QStringLiteral("/docs/b.qxo")});
    QList<QAction*> items = file->actions();
    QCOMPARE(items.last()->data().toInt(), ui::cmd::Exit);
    QCOMPARE(items.at(items.size() - 4)->text(), QStringLiteral("&1 /docs/a.qxo"));
    QCOMPARE(items.at(items.size() - 3)->text(), QStringLiteral("&2 /docs/b.qxo"));
    QVERIFY(items.at(items.size() - 2)->isSeparator());
    frame_->setRecentFiles({QStringLiteral("/docs/c.qxo")});
    QCOMPARE(file->actions().size(), items.size() - 1);

    // Help mode asks for the pop-up's first command minus 1.
    QCOMPARE(frame_->helpContextOfCommand(ui::cmd::FileSave), 24330);
    QCOMPARE(frame_->helpContextOfCommand(ui::cmd::CheckReferences), 499);
    QCOMPARE(frame_->helpContextOfCommand(12345), 12345);
}

void FrameTest::firstTreeTakesItsShareOfTheWidth() {
    View* view = attachView(1000, 600);
    QCOMPARE(view->tree1()->width(), 600);
    QCOMPARE(view->tree2()->x(), 600);
    QCOMPARE(view->tree2()->width(), 400);
    QCOMPARE(view->verticalSeparator()->geometry(), QRect(598, 0, 4, view->threadWindow()->y()));
}

void FrameTest::splitterDraggedToTheFarLeftStores100() {
    View* view = attachView(1000, 600);
    ui::WindowSeparator* bar = view->verticalSeparator();
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(2, 10));
    QTest::mouseMove(bar, QPoint(-700, 10));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, bar->mapFrom(view, QPoint(0, 10)));
    QCOMPARE(profile_->readInt("Options", "Separator1", 0), 100);
    QCOMPARE(view->tree1()->width(), 100);

    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(2, 10));
    QTest::mouseMove(bar, QPoint(302, 10));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(302, 10));
    QCOMPARE(profile_->readInt("Options", "Separator1", 0), 400);
}

void FrameTest::horizontalSplitterStoresTheTreesShare() {
    View* view = attachView(1000, 600);
    ui::WindowSeparator* bar = view->horizontalSeparator();
    QVERIFY(bar->isVisible());
    const int h = view->tree1()->y();
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(10, 2));
    QTest::mouseMove(bar, QPoint(10, 2 + 5000));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(10, 2));
    QCOMPARE(profile_->readInt("Options", "Separator2", 0), 950);
    QCOMPARE(view->tree1()->height(), qx::ui::mulDiv(950, 600 - h, 1000));
}

void FrameTest::threadWindowCommandShowsAndHidesItsPane() {
    View* view = attachView(1000, 600);
    QVERIFY(view->threadWindow());
    frame_->execute(ui::cmd::ThreadWindow);
    QVERIFY(!view->threadWindow());
    QVERIFY(!options_.connections);
    QVERIFY(!view->horizontalSeparator()->isVisible());
    QCOMPARE(view->tree1()->height(), 600 - view->tree1()->y());
    frame_->updateCommandStates();
    QVERIFY(!frame_->action(ui::cmd::ThreadWindow)->isChecked());
    frame_->execute(ui::cmd::ThreadWindow);
    QVERIFY(view->threadWindow() && options_.connections);
}

void FrameTest::helpContextFollowsTheFocus() {
    View* view = attachView();
    QApplication::setActiveWindow(frame_.get());
    QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
    view->tree2()->setFocus();
    QCOMPARE(frame_->helpContext(), 6);
    view->tree1()->setFocus();
    QCOMPARE(frame_->helpContext(), 5);
    view->threadWindow()->setFocus();
    QCOMPARE(frame_->helpContext(), 7);
    frame_->toolBar()->setFocus();
    QCOMPARE(frame_->helpContext(), 0);
}

void FrameTest::placementIsWrittenAfterAResizeAndAtTheEnd() {
    frame_->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
    frame_->resize(700, 500);
    QTRY_COMPARE(profile_->readInt("Window", "W", 0), 700);
    QCOMPARE(profile_->readInt("Window", "H", 0), 500);
    QCOMPARE(profile_->readInt("Window", "Zoom", -1), 0);
    frame_->resize(640, 480);
    frame_.reset();
    QCOMPARE(profile_->readInt("Window", "W", 0), 640);

    ui::FrameWindow again(*profile_, *language_, QStringLiteral("Norba Seek"));
    QCOMPARE(again.size(), QSize(640, 480));
}

// A stored size from a larger screen, or a scale factor of 2, must leave the
// window's and the search dialog's buttons on the screen.
void FrameTest::windowsFitTheScreen() {
    dir_->write("qxseek.INI", "[Window]\nX=-3000\nY=5000\nW=9000\nH=7000\n");
    ApplicationProfile stored(dir_->file("qxseek.INI"));
    ui::FrameWindow big(stored, *language_, QStringLiteral("Norba Seek"));
    const QRect free = big.screen()->availableGeometry();
    QVERIFY(free.contains(big.geometry()));

    Options options;
    FindInfo request;
    SearchProp search;
    for (int i = 0; i < 40; ++i)
        search.serverinfo.append(new ServerInfoNode({4, 3, 2, Str("failed"), 0}));
    // Three times the text size stands for a scale factor of 2 on a small
    // screen: the fields are taller than the screen.
    const QFont normal = QApplication::font();
    QFont huge = normal;
    huge.setPointSize(normal.pointSize() * 3);
    QApplication::setFont(huge);
    const EngineTable engines(
        [this](int id) { return language_->text(static_cast<unsigned>(id)); });
    ui::FindDialog find(request, &search, *language_, engines, stored, options);
    QVERIFY2(find.height() <= free.height(), qPrintable(QString::number(find.height())));
    find.show();
    QVERIFY(QTest::qWaitForWindowExposed(&find));
    auto* ok = find.findChild<QWidget*>(QStringLiteral("1"));
    QVERIFY(ok);
    const QRect okOnScreen(ok->mapToGlobal(QPoint(0, 0)), ok->size());
    QApplication::setFont(normal);
    QVERIFY2(free.contains(okOnScreen),
             qPrintable(QStringLiteral("%1,%2").arg(okOnScreen.y()).arg(free.bottom())));
}

void FrameTest::progressGadgetClampsItsValue() {
    ui::ProgressGadget* gadget = frame_->progressGadget();
    QCOMPARE(gadget->objectName(), QStringLiteral("1000"));
    gadget->setValue(-1);
    QCOMPARE(gadget->value(), 0);
    gadget->setValue(250);
    QCOMPARE(gadget->value(), 100);
    QVERIFY(gadget->sizeHint().width() >= ui::ProgressGadget::kExtraWidth);
}

void FrameTest::viewRunsItsJobsAndShowsTheirRows() {
    View* view = attachView();
    InstantChecks checks;
    view->jobs().SetCheckJobs(&checks);
    QSignalSpy added(view, &View::threadRowAdded);
    QSignalSpy removed(view, &View::threadRowRemoved);
    QVERIFY(view->jobs().QueueCheck("http://example.org/", {}));
    frame_->updateCommandStates();
    QVERIFY(frame_->action(ui::cmd::StopChecking)->isEnabled());
    QVERIFY(!frame_->action(ui::cmd::StopAll)->isEnabled());

    QCOMPARE(view->idle(), JobBoard::Pass::CheckStarted);
    QCOMPARE(added.count(), 1); // the thread window is shown ("Connections")
    // The end message comes through the event loop and ends the job.
    QTRY_COMPARE(removed.count(), 1);
    QCOMPARE(checks.applied, 1);
    QCOMPARE(added.at(0).at(0), removed.at(0).at(0));
    QCOMPARE(view->idle(), JobBoard::Pass::Nothing);
    QVERIFY(view->jobs().Checks().empty());
}

QTEST_MAIN(FrameTest)
#include "FrameTest.moc"
