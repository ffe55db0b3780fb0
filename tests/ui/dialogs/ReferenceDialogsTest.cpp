#include "ui/dialogs/ReferenceDialogs.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "lang/Language.h"
#include "model/DDoc.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"
#include "model/UrlRef.h"
#include "search/EngineTable.h"
#include "search/FindCommand.h"
#include "settings/ApplicationProfile.h"
#include "settings/Options.h"
#include "ui/dialogs/FindDialog.h"
#include "ui/dialogs/ObjPropDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <cstdlib>

using namespace qx;
using qx::test::ScriptedDialogs;
using qx::test::TempDir;

namespace {

template <typename W> W* control(QWidget& dialog, int id) {
    W* widget = dialog.findChild<W*>(QString::number(id));
    if (!widget)
        qFatal("no control %d", id);
    return widget;
}

QString query(QWidget& dialog) {
    return control<QComboBox>(dialog, 100)->currentText();
}

FindInfo request(const char* text, int max = 100) {
    FindInfo r;
    r.query = text;
    r.max = max;
    return r;
}

ObjectProp page(const char* url, const char* title) {
    ObjectProp props;
    props.url = url;
    props.title = title;
    return props;
}

} // namespace

class ReferenceDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void blanksAreNormalisedInTheQueryTheHistoryAndTheSettings();
    void maxZeroEmptyAndTooLargeBecomeOneThousand();
    void modeZeroDisablesAndEmptiesTheExclusion();
    void theSameQueryTwiceKeepsOneEntryAtTheFront();
    void fortyEntriesShowTwentyFiveAndOkWritesAtMostTwentySix();
    void anEmptyQueryShowsTheLatestHistoryQueryAndKeepsTheOtherValues();
    void choosingAHandEditedEntryFillsEveryControl();
    void typingAnEarlierQueryKeepsTheEditsTheCaseAndOneReturnPressesOk();
    void theLastRequestOutlivesTheDocument();
    void definedEnginesGetBoxesAndAreAskedUnlessTheUserChose();
    void statisticsOnlyForASavedSearchAndHelpShowsTheContext();
    void propertiesOfAnEmptyPageAndOfAResult();
    void propertiesOfADomainNodeChangeThePageButNotTheName();
    void propertiesOfASavedSearchEditItsRequestAndSearchAgainAsksOnlyWithCheckSearch();

private:
    // Runs the find command once; the script edits the dialog and answers.
    bool runFind(FindCommand& command, const std::function<int(QDialog&)>& script);

    std::unique_ptr<Language> language_;
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<ApplicationProfile> profile_;
    Options options_;
    std::unique_ptr<ScriptedDialogs> runner_;
    std::vector<int> helpShown_;
    EngineTable engines_;
    std::unique_ptr<ui::ReferenceDialogs> dialogs_;
};

void ReferenceDialogsTest::initTestCase() {
    language_ = std::make_unique<Language>(std::getenv("QX_PROGRAM_DIR"));
    std::string code = "enu";
    QCOMPARE(language_->load(code), 0u);
    engines_ = EngineTable([this](int id) { return language_->text(static_cast<unsigned>(id)); });
}

void ReferenceDialogsTest::init() {
    dir_ = std::make_unique<TempDir>();
    profile_ = std::make_unique<ApplicationProfile>(dir_->file("qxseek.INI"));
    options_ = Options();
    helpShown_.clear();
    runner_ = std::make_unique<ScriptedDialogs>();
    dialogs_ = std::make_unique<ui::ReferenceDialogs>(
        *language_, engines_, *profile_, options_, *runner_,
        [this](int context) { helpShown_.push_back(context); });
}

void ReferenceDialogsTest::cleanup() {
    dialogs_.reset();
    runner_.reset();
    profile_.reset();
    dir_.reset();
}

bool ReferenceDialogsTest::runFind(FindCommand& command,
                                   const std::function<int(QDialog&)>& script) {
    runner_->handleNextDialog(script);
    return command.run([this](FindInfo& r) { return dialogs_->find(r, nullptr, nullptr); },
                       nullptr);
}

void ReferenceDialogsTest::blanksAreNormalisedInTheQueryTheHistoryAndTheSettings() {
    FindCommand command(*profile_, options_);
    // Typed, and Enter in the query field presses OK.
    QVERIFY(runFind(command, [](QDialog& d) {
        d.show();
        QLineEdit* edit = control<QComboBox>(d, 100)->lineEdit();
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("web  organizer "));
        QTest::keyClick(edit, Qt::Key_Return);
        return d.result();
    }));
    QCOMPARE(command.lastrequest()->query.view(), std::string_view("web organizer"));
    QCOMPARE(profile_->readString("Search", "Query", ""), std::string("web organizer"));
    QCOMPARE(profile_->readString("SearchHistory", "0", ""),
             std::string("web organizer,100,39,0,0,,"));
    QCOMPARE(profile_->readInt("SearchHistory", "count", 0), 1);
}

void ReferenceDialogsTest::maxZeroEmptyAndTooLargeBecomeOneThousand() {
    for (const char* max : {"0", "", "5000", "1000"}) {
        FindInfo r = request("q");
        ui::FindDialog dialog(r, nullptr, *language_, engines_, *profile_, options_);
        control<QLineEdit>(dialog, 101)->setText(QString::fromLatin1(max));
        dialog.accept();
        QCOMPARE(r.max, 1000);
    }
    FindInfo none = request("q", 0);
    ui::FindDialog dialog(none, nullptr, *language_, engines_, *profile_, options_);
    QCOMPARE(control<QLineEdit>(dialog, 101)->text(), QString()); // 0 shows nothing
}

void ReferenceDialogsTest::modeZeroDisablesAndEmptiesTheExclusion() {
    FindInfo r = request("q");
    r.queryMode = 2;
    r.exclude = "spam";
    ui::FindDialog dialog(r, nullptr, *language_, engines_, *profile_, options_);
    QVERIFY(control<QRadioButton>(dialog, 122)->isChecked());
    QVERIFY(control<QLineEdit>(dialog, 125)->isEnabled());
    QCOMPARE(control<QLineEdit>(dialog, 125)->text(), QStringLiteral("spam"));
    control<QRadioButton>(dialog, 120)->click();
    QVERIFY(!control<QLineEdit>(dialog, 125)->isEnabled());
    QVERIFY(!control<QLabel>(dialog, 127)->isEnabled());
    control<QRadioButton>(dialog, 123)->click();
    QVERIFY(control<QLineEdit>(dialog, 125)->isEnabled());
    QVERIFY(control<QLabel>(dialog, 127)->isEnabled());
    control<QRadioButton>(dialog, 120)->click();
    dialog.accept();
    QCOMPARE(r.queryMode, 0);
    QVERIFY(r.exclude.empty());

    // A mode outside 0..3 chooses no button and leaves the exclusion enabled.
    FindInfo odd = request("q");
    odd.queryMode = 7;
    ui::FindDialog oddDialog(odd, nullptr, *language_, engines_, *profile_, options_);
    for (int id = 120; id <= 123; ++id)
        QVERIFY(!control<QRadioButton>(oddDialog, id)->isChecked());
    QVERIFY(control<QLineEdit>(oddDialog, 125)->isEnabled());
}

void ReferenceDialogsTest::theSameQueryTwiceKeepsOneEntryAtTheFront() {
    FindCommand command(*profile_, options_);
    for (const char* text : {"first", "second", "first"}) {
        QVERIFY(runFind(command, [text](QDialog& d) {
            control<QComboBox>(d, 100)->setEditText(QString::fromLatin1(text));
            control<QLineEdit>(d, 101)->setText(QStringLiteral("42"));
            d.accept();
            return d.result();
        }));
    }
    QCOMPARE(profile_->readInt("SearchHistory", "count", 0), 2);
    QCOMPARE(profile_->readString("SearchHistory", "0", ""), std::string("first,42,39,0,0,,"));
    QCOMPARE(profile_->readString("SearchHistory", "1", ""), std::string("second,42,39,0,0,,"));
    FindInfo r = request("x");
    ui::FindDialog dialog(r, nullptr, *language_, engines_, *profile_, options_);
    QCOMPARE(control<QComboBox>(dialog, 100)->count(), 2);
}

void ReferenceDialogsTest::fortyEntriesShowTwentyFiveAndOkWritesAtMostTwentySix() {
    std::string ini = "[SearchHistory]\ncount=40\n";
    for (int i = 0; i < 40; ++i)
        ini += std::to_string(i) + "=q" + std::to_string(i) + ",10,1,0,0,,\n";
    dir_->write("qxseek.INI", ini);
    FindInfo r = request("new");
    ui::FindDialog dialog(r, nullptr, *language_, engines_, *profile_, options_);
    QCOMPARE(control<QComboBox>(dialog, 100)->count(), 25);
    dialog.accept();
    QCOMPARE(profile_->readInt("SearchHistory", "count", 0), 26);
    QCOMPARE(profile_->readString("SearchHistory", "26", "none"), std::string("none"));
}

void ReferenceDialogsTest::anEmptyQueryShowsTheLatestHistoryQueryAndKeepsTheOtherValues() {
    dir_->write("qxseek.INI", "[SearchHistory]\ncount=2\n0=latest,5,1,1,3,x,\n1=older,6,2,0,1,,\n");
    FindInfo r = request("", 77);
    r.servers = 0x10;
    ui::FindDialog dialog(r, nullptr, *language_, engines_, *profile_, options_);
    QCOMPARE(query(dialog), QStringLiteral("latest"));
    QCOMPARE(control<QLineEdit>(dialog, 101)->text(), QStringLiteral("77"));
    QVERIFY(control<QCheckBox>(dialog, 106)->isChecked()); // bit 16: AltaVista
    QVERIFY(!control<QCheckBox>(dialog, 102)->isChecked());
    QVERIFY(control<QRadioButton>(dialog, 120)->isChecked());
    QVERIFY(!control<QLineEdit>(dialog, 125)->isEnabled());
}

void ReferenceDialogsTest::definedEnginesGetBoxesAndAreAskedUnlessTheUserChose() {
    EngineTable engines = engines_;
    engines.setdefinitions({{4, "Wikipedia"}, {6, "Yahoo! (ours)"}, {12, "arXiv"}});
    const std::uint16_t defined = 8 | 32 | 2048;
    FindCommand command(*profile_, options_);
    command.setdefaultservers(engines.defaultmask());
    ui::ReferenceDialogs dialogs(*language_, engines, *profile_, options_, *runner_, {});
    std::uint16_t asked = 0;
    QStringList names;
    std::vector<bool> hidden, italic;
    QString tip;
    runner_->handleNextDialog([&](QDialog& d) {
        for (int i = 0; i < 16; ++i) {
            auto* box = control<QCheckBox>(d, 102 + i);
            asked |= box->isChecked() ? 1u << i : 0u;
            names << box->text();
            hidden.push_back(box->isHidden());
            italic.push_back(box->font().italic());
        }
        tip = control<QCheckBox>(d, 102)->toolTip();
        control<QComboBox>(d, 100)->setEditText(QStringLiteral("q"));
        d.accept();
        return d.result();
    });
    QVERIFY(command.run([&](FindInfo& r) { return dialogs.find(r, nullptr, nullptr); }, nullptr));
    // A box per named position, named by the table.
    QCOMPARE(names[3], QStringLiteral("Wikipedia"));
    QVERIFY(!hidden[3]);
    QCOMPARE(names[11], QStringLiteral("arXiv"));
    QVERIFY(hidden[8]); // number 9: no definition
    // The design's engines keep their names; those without a definition say so.
    QVERIFY(names[5] != QStringLiteral("Yahoo! (ours)"));
    QVERIFY(italic[0]);
    QVERIFY(!tip.isEmpty());
    QVERIFY(!italic[5]);
    QCOMPARE(asked, defined);
    // A stored choice keeps the user's bits, whatever is defined.
    dir_->write("qxseek.INI", "[Search]\nServers=3\n");
    FindCommand stored(*profile_, options_);
    stored.setdefaultservers(engines.defaultmask());
    runner_->handleNextDialog([](QDialog& d) {
        d.accept();
        return d.result();
    });
    QVERIFY(stored.run([&](FindInfo& r) { return dialogs.find(r, nullptr, nullptr); }, nullptr));
    QCOMPARE(stored.lastrequest()->servers, std::uint16_t(3));
}

void ReferenceDialogsTest::choosingAHandEditedEntryFillsEveryControl() {
    dir_->write("qxseek.INI", "[Search]\nServers=5\n[SearchHistory]\ncount=3\n"
                              "0=full,5,129,1,3,x y,\n1=hand,7,oops\n2=plain words\n");
    options_.checkRef = true;
    FindInfo r = request("typed", 300);
    ui::FindDialog dialog(r, nullptr, *language_, engines_, *profile_, options_);
    QCOMPARE(query(dialog), QStringLiteral("typed"));
    auto* combo = control<QComboBox>(dialog, 100);

    combo->setCurrentIndex(0);
    emit combo->activated(0);
    QCOMPARE(query(dialog), QStringLiteral("full"));
    QCOMPARE(control<QLineEdit>(dialog, 101)->text(), QStringLiteral("5"));
    QVERIFY(control<QCheckBox>(dialog, 102)->isChecked());
    QVERIFY(control<QCheckBox>(dialog, 109)->isChecked()); // bit 128: HotBot
    QVERIFY(control<QCheckBox>(dialog, 124)->isChecked());
    QVERIFY(control<QRadioButton>(dialog, 123)->isChecked());
    QCOMPARE(control<QLineEdit>(dialog, 125)->text(), QStringLiteral("x y"));

    // Two commas: max 7, servers 0, the rest the request defaults.
    combo->setCurrentIndex(1);
    emit combo->activated(1);
    QCOMPARE(query(dialog), QStringLiteral("hand"));
    QCOMPARE(control<QLineEdit>(dialog, 101)->text(), QStringLiteral("7"));
    for (int id = 102; id <= 117; ++id)
        QVERIFY(!control<QCheckBox>(dialog, id)->isChecked());
    QVERIFY(!control<QCheckBox>(dialog, 124)->isChecked());
    QVERIFY(control<QRadioButton>(dialog, 120)->isChecked());
    QCOMPARE(control<QLineEdit>(dialog, 125)->text(), QString());

    // No comma: the keys of section "Search" and "CheckRef".
    combo->setCurrentIndex(2);
    emit combo->activated(2);
    QCOMPARE(control<QLineEdit>(dialog, 101)->text(), QString());
    QVERIFY(control<QCheckBox>(dialog, 102)->isChecked());
    QVERIFY(!control<QCheckBox>(dialog, 103)->isChecked());
    QVERIFY(control<QCheckBox>(dialog, 104)->isChecked());
    QVERIFY(control<QCheckBox>(dialog, 124)->isChecked());
    dialog.accept();
    QCOMPARE(r.query.view(), std::string_view("plain words"));
    QCOMPARE(r.servers, std::uint16_t(5));
}

void ReferenceDialogsTest::typingAnEarlierQueryKeepsTheEditsTheCaseAndOneReturnPressesOk() {
    dir_->write("qxseek.INI",
                "[SearchHistory]\ncount=2\n0=cats,5,129,1,3,x y,\n1=dogs,6,1,0,1,,\n");
    FindCommand command(*profile_, options_);
    QVERIFY(runFind(command, [](QDialog& d) {
        d.show();
        auto* combo = control<QComboBox>(d, 100);
        QLineEdit* edit = combo->lineEdit();
        edit->clear();
        // No completion: what is typed stays as typed.
        QTest::keyClicks(edit, QStringLiteral("cat"));
        if (edit->text() != QStringLiteral("cat"))
            return int(QDialog::Rejected);
        control<QLineEdit>(d, 101)->setText(QStringLiteral("42"));
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("S"));
        // Leaving the field reloads nothing either.
        control<QLineEdit>(d, 125)->setFocus();
        if (control<QLineEdit>(d, 101)->text() != QStringLiteral("42"))
            return int(QDialog::Rejected);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return);
        return d.result();
    }));
    const FindInfo& accepted = *command.lastrequest();
    QCOMPARE(accepted.query.view(), std::string_view("catS"));
    QCOMPARE(accepted.max, 42);
    QVERIFY(accepted.servers != 129);
}

// The new-search command belongs to the program: after New or Open the
// dialog offers what was last accepted, the check box included.
void ReferenceDialogsTest::theLastRequestOutlivesTheDocument() {
    runner_->handleNextDialog([](QDialog& d) {
        control<QComboBox>(d, 100)->setEditText(QStringLiteral("first words"));
        control<QCheckBox>(d, 124)->setChecked(true);
        d.accept();
        return d.result();
    });
    QVERIFY(dialogs_->newSearch(nullptr, nullptr));
    QString shown;
    bool checked = false;
    runner_->handleNextDialog([&](QDialog& d) {
        shown = query(d);
        checked = control<QCheckBox>(d, 124)->isChecked();
        return int(QDialog::Rejected);
    });
    QVERIFY(!dialogs_->newSearch(nullptr, nullptr));
    QCOMPARE(shown, QStringLiteral("first words"));
    QVERIFY(checked);
    QVERIFY(dialogs_->findCommand().lastrequest()->check);
}

void ReferenceDialogsTest::statisticsOnlyForASavedSearchAndHelpShowsTheContext() {
    options_.findDialogAtStart = true;
    FindInfo r = request("q");
    ui::FindDialog plain(r, nullptr, *language_, engines_, *profile_, options_,
                         [this](int c) { helpShown_.push_back(c); });
    QVERIFY(control<QTreeWidget>(plain, 126)->isHidden());
    QVERIFY(control<QCheckBox>(plain, 128)->isChecked());
    QTest::mouseClick(control<QPushButton>(plain, 9), Qt::LeftButton);
    QCOMPARE(helpShown_, std::vector<int>{ui::FindDialog::kHelpContext});
    control<QCheckBox>(plain, 128)->setChecked(false);
    plain.accept();
    QVERIFY(!options_.findDialogAtStart);

    SearchProp search;
    search.query = "q";
    search.total = 9;
    search.serverinfo.append(new ServerInfoNode({4, 3, 2, Str("failed"), 0}));
    ui::FindDialog withStatistics(search, &search, *language_, engines_, *profile_, options_);
    auto* list = control<QTreeWidget>(withStatistics, 126);
    QVERIFY(!list->isHidden());
    QCOMPARE(list->columnCount(), 5);
    QCOMPARE(list->headerItem()->text(0), QStringLiteral("Server"));
    QCOMPARE(list->topLevelItemCount(), 2);
    QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("Total"));
    QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("9"));
    QCOMPARE(list->topLevelItem(1)->text(0), QStringLiteral("Yandex"));
    QCOMPARE(list->topLevelItem(1)->text(2), QStringLiteral("failed"));
    // A text the column cuts is there whole on hover.
    QCOMPARE(list->topLevelItem(1)->toolTip(2), QStringLiteral("failed"));
    QVERIFY(withStatistics.height() > plain.height());
}

void ReferenceDialogsTest::propertiesOfAnEmptyPageAndOfAResult() {
    DDoc doc;
    OrgRef2& bare = doc.createresultobject(page("", ""), OrgProp{}, doc.orgroot(), nullptr);
    ObjPropDialogInfo info = ObjPropDialogInfo::fromnode(bare);
    ui::ObjPropDialog empty(info, *language_, engines_);
    for (int id = 102; id <= 105; ++id)
        QCOMPARE(control<QLabel>(empty, id)->text(), QString());
    QCOMPARE(control<QLabel>(empty, 106)->text(), QStringLiteral("(0)"));

    ObjectProp props = page("s://h/p", "P");
    props.charset = 1;
    props.status = "404";
    OrgRef2& result = doc.createresultobject(props, OrgProp{1234, 7}, doc.orgroot(), nullptr);
    info = ObjPropDialogInfo::fromnode(result);
    ui::ObjPropDialog dialog(info, *language_, engines_);
    QCOMPARE(control<QLabel>(dialog, 106)->text(), QStringLiteral("12% (7)"));
    QCOMPARE(control<QLabel>(dialog, 104)->text(), QStringLiteral("Windows-1251"));
    QCOMPARE(control<QLabel>(dialog, 107)->text(), QStringLiteral("404"));
    QCOMPARE(control<QLineEdit>(dialog, 110)->text(), QStringLiteral("P"));
    QVERIFY(control<QLineEdit>(dialog, 100)->isEnabled());

    // Long texts open at their beginning, where a name and an address are
    // told apart.
    info.name = Str(std::string(300, 'n'));
    info.props.url = Str("https://example.org/" + std::string(300, 'p'));
    ui::ObjPropDialog longer(info, *language_, engines_);
    longer.show();
    for (int id : {100, 101})
        QCOMPARE(control<QLineEdit>(longer, id)->cursorPosition(), 0);
}

void ReferenceDialogsTest::propertiesOfADomainNodeChangeThePageButNotTheName() {
    DDoc doc;
    OrgRef2& result =
        doc.createresultobject(page("s://h/p", "P"), OrgProp{}, doc.orgroot(), nullptr);
    UrlRef* twin = doc.filedomainnode("s://h/p");
    QVERIFY(twin);
    doc.settarget(*twin, result.target());
    const std::string name(twin->name().view());
    auto edit = [](const char* newName, const char* title, const char* url) {
        return [=](QDialog& d) {
            control<QLineEdit>(d, 100)->setText(QString::fromLatin1(newName));
            control<QLineEdit>(d, 110)->setText(QString::fromLatin1(title));
            control<QLineEdit>(d, 101)->setText(QString::fromLatin1(url));
            QTest::mouseClick(control<QPushButton>(d, 1), Qt::LeftButton);
            return d.result();
        };
    };
    runner_->handleNextDialog(edit("renamed", "New title", "s://h/q"));
    QVERIFY(dialogs_->properties(doc, *twin, nullptr));
    QCOMPARE(std::string(twin->name().view()), name);
    QCOMPARE(result.target()->props().title.view(), std::string_view("New title"));
    QCOMPARE(result.target()->props().url.view(), std::string_view("s://h/q"));

    // An organizer node takes the name; a cleared address keys the page by title.
    runner_->handleNextDialog(edit("mine", "T", ""));
    QVERIFY(dialogs_->properties(doc, result, nullptr));
    QCOMPARE(result.name().view(), std::string_view("mine"));
    QVERIFY(result.target()->identitykey() == result.target()->titlekey());

    // Cancel changes nothing.
    QVERIFY(!dialogs_->properties(doc, result, nullptr));
    QCOMPARE(result.name().view(), std::string_view("mine"));
    QCOMPARE(runner_->dialogsRun(),
             (QStringList{QStringLiteral("ObjPropDialog"), QStringLiteral("ObjPropDialog"),
                          QStringLiteral("ObjPropDialog")}));
}

void ReferenceDialogsTest::
    propertiesOfASavedSearchEditItsRequestAndSearchAgainAsksOnlyWithCheckSearch() {
    DDoc doc;
    SearchRef& search = doc.createsearch("old", doc.orgroot(), nullptr);
    search.searchprop().query = "old";
    auto retype = [](QDialog& d) {
        QVERIFY(!control<QTreeWidget>(d, 126)->isHidden());
        control<QComboBox>(d, 100)->setEditText(QStringLiteral("new  query"));
        d.accept();
    };
    runner_->handleNextDialog([&](QDialog& d) { return retype(d), d.result(); });
    QVERIFY(dialogs_->properties(doc, search, nullptr));
    QCOMPARE(search.searchprop().query.view(), std::string_view("new query"));
    QVERIFY(search.name().view().find("\"new query\"") != std::string_view::npos);

    search.addflags(Ref::Running);
    QVERIFY(!dialogs_->properties(doc, search, nullptr));
    search.clearflags(Ref::Running);
    QCOMPARE(runner_->dialogsRun().size(), 1);

    options_.checkSearch = false;
    QVERIFY(dialogs_->searchagain(doc, search, nullptr));
    QCOMPARE(runner_->dialogsRun().size(), 1);
    options_.checkSearch = true;
    QVERIFY(!dialogs_->searchagain(doc, search, nullptr)); // cancelled
    QCOMPARE(runner_->dialogsRun().size(), 2);
    runner_->handleNextDialog([&](QDialog& d) {
        control<QLineEdit>(d, 101)->setText(QStringLiteral("20"));
        d.accept();
        return d.result();
    });
    QVERIFY(dialogs_->searchagain(doc, search, nullptr));
    QCOMPARE(search.searchprop().max, 20);
}

QTEST_MAIN(ReferenceDialogsTest)
#include "ReferenceDialogsTest.moc"
