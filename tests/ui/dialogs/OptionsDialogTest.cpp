#include "ui/dialogs/OptionsDialog.h"

#include "ProgramDir.h"
#include "lang/Language.h"
#include "settings/Options.h"
#include "ui/dialogs/LanguageDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <cstdlib>

using namespace qx;

class OptionsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void controlsShowTheOptionsAndOkTakesThemBack();
    void proxyControlsAreEnabledOnlyWithTheProxyBox();
    void cancelLeavesTheOptionsAlone();
    void anUnknownSortValueChoosesTheFirstButton();
    void anOldStoredCodeShowsTheRunningLanguageAndStaysWhenUntouched();
    void noThreadsAtAllBecomesOne();
    void backupsAndRecoveryMayBeOffAndAreClamped();
    void languageDialogListsTheModulesByTheirOwnNames();

private:
    template <typename W> W* control(QWidget& dialog, int id) {
        return dialog.findChild<W*>(QString::number(id));
    }

    std::unique_ptr<Language> language_;
};

void OptionsDialogTest::initTestCase() {
    language_ = std::make_unique<Language>(test::programFolder());
    std::string code = "enu";
    QCOMPARE(language_->load(code), 0u);
}

void OptionsDialogTest::controlsShowTheOptionsAndOkTakesThemBack() {
    Options options;
    options.language = "RUS";
    options.checkRef = true;
    options.checkSearch = false;
    options.useProxy = true;
    options.proxyAdr = "proxy.local";
    options.proxyPort = "3128";
    options.maxThreads = 7;
    options.checkThreads = 40;
    options.checksPerHost = 0;
    options.sortServersType = 2;
    ui::OptionsDialog dialog(options, *language_, language_->languages(), "enu");
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Options"));

    auto* languages = control<QComboBox>(dialog, 101);
    QCOMPARE(languages->count(), 2);
    QCOMPARE(languages->itemText(0), QStringLiteral("English"));
    QCOMPARE(languages->currentData().toString(), QStringLiteral("rus")); // case does not matter
    QVERIFY(control<QCheckBox>(dialog, 102)->isChecked());
    QVERIFY(!control<QCheckBox>(dialog, 110)->isChecked());
    QVERIFY(control<QCheckBox>(dialog, 113)->isChecked());
    QCOMPARE(control<QLineEdit>(dialog, 114)->text(), QStringLiteral("proxy.local"));
    QCOMPARE(control<QLineEdit>(dialog, 115)->text(), QStringLiteral("3128"));
    QCOMPARE(control<QLineEdit>(dialog, 118)->text(), QStringLiteral("7"));
    QCOMPARE(control<QLineEdit>(dialog, 125)->text(), QStringLiteral("40"));
    QCOMPARE(control<QLineEdit>(dialog, 126)->text(), QStringLiteral("0"));
    QVERIFY(control<QRadioButton>(dialog, 122)->isChecked());
    QCOMPARE(control<QCheckBox>(dialog, 102)->text(),
             QString::fromStdString(language_->text(9702)));

    languages->setCurrentIndex(0);
    control<QCheckBox>(dialog, 102)->setChecked(false);
    control<QCheckBox>(dialog, 110)->setChecked(true);
    control<QCheckBox>(dialog, 113)->setChecked(false);
    control<QLineEdit>(dialog, 114)->setText(QStringLiteral("other"));
    control<QLineEdit>(dialog, 115)->clear();
    control<QLineEdit>(dialog, 118)->setText(QStringLiteral("3"));
    control<QLineEdit>(dialog, 125)->setText(QStringLiteral("64"));
    control<QLineEdit>(dialog, 126)->setText(QStringLiteral("2"));
    control<QRadioButton>(dialog, 121)->setChecked(true);
    dialog.accept();
    QCOMPARE(options.language, std::string("enu"));
    QVERIFY(!options.checkRef);
    QVERIFY(options.checkSearch);
    QVERIFY(!options.useProxy);
    QCOMPARE(options.proxyAdr, std::string("other"));
    QCOMPARE(options.proxyPort, std::string());
    QCOMPARE(options.maxThreads, 3);
    QCOMPARE(options.checkThreads, 64);
    QCOMPARE(options.checksPerHost, 2);
    QCOMPARE(options.sortServersType, 1);
}

void OptionsDialogTest::proxyControlsAreEnabledOnlyWithTheProxyBox() {
    Options options;
    ui::OptionsDialog dialog(options, *language_, language_->languages(), "enu");
    for (int id : {114, 115, 116, 117})
        QVERIFY(!dialog.findChild<QWidget*>(QString::number(id))->isEnabled());
    control<QCheckBox>(dialog, 113)->setChecked(true);
    for (int id : {114, 115, 116, 117})
        QVERIFY(dialog.findChild<QWidget*>(QString::number(id))->isEnabled());
    QCOMPARE(control<QLabel>(dialog, 116)->text(), QString::fromStdString(language_->text(9705)));
}

void OptionsDialogTest::cancelLeavesTheOptionsAlone() {
    Options options;
    const Options before = options;
    ui::OptionsDialog dialog(options, *language_, language_->languages(), "enu");
    control<QCheckBox>(dialog, 102)->setChecked(true);
    control<QComboBox>(dialog, 101)->setCurrentIndex(1);
    dialog.reject();
    QVERIFY(options == before);
}

void OptionsDialogTest::anUnknownSortValueChoosesTheFirstButton() {
    Options options;
    options.sortServersType = 7;
    ui::OptionsDialog dialog(options, *language_, language_->languages(), "enu");
    QVERIFY(control<QRadioButton>(dialog, 120)->isChecked());
    dialog.accept();
    QCOMPARE(options.sortServersType, 0);
}

void OptionsDialogTest::anOldStoredCodeShowsTheRunningLanguageAndStaysWhenUntouched() {
    Options options;
    options.language = "1";
    {
        ui::OptionsDialog dialog(options, *language_, language_->languages(), "rus");
        QCOMPARE(control<QComboBox>(dialog, 101)->currentData().toString(), QStringLiteral("rus"));
        dialog.accept();
        QCOMPARE(options.language, std::string("1"));
    }
    ui::OptionsDialog dialog(options, *language_, language_->languages(), "rus");
    control<QComboBox>(dialog, 101)->setCurrentIndex(0);
    dialog.accept();
    QCOMPARE(options.language, std::string("enu"));
}

void OptionsDialogTest::noThreadsAtAllBecomesOne() {
    Options options;
    ui::OptionsDialog dialog(options, *language_, language_->languages(), "enu");
    control<QLineEdit>(dialog, 118)->setText(QStringLiteral("0"));
    control<QLineEdit>(dialog, 125)->setText(QStringLiteral("0"));
    control<QLineEdit>(dialog, 126)->setText(QStringLiteral("999999"));
    dialog.accept();
    QCOMPARE(options.maxThreads, 1);
    QCOMPARE(options.checkThreads, 1);
    QCOMPARE(options.checksPerHost, Options::kMostCheckThreads);
    // The file's range: a hundred at most, as when it is read.
    control<QLineEdit>(dialog, 118)->setText(QStringLiteral("99999"));
    dialog.accept();
    QCOMPARE(options.maxThreads, Options::kMaxThreadsRange.max);
}

void OptionsDialogTest::backupsAndRecoveryMayBeOffAndAreClamped() {
    Options options;
    ui::OptionsDialog dialog(options, *language_, language_->languages(), "enu");
    QCOMPARE(control<QLineEdit>(dialog, 140)->text(), QStringLiteral("3"));
    QCOMPARE(control<QLineEdit>(dialog, 141)->text(), QStringLiteral("5"));
    control<QLineEdit>(dialog, 140)->setText(QStringLiteral("0"));
    control<QLineEdit>(dialog, 141)->setText(QStringLiteral("0"));
    dialog.accept();
    QCOMPARE(options.backups, 0);
    QCOMPARE(options.recoveryMinutes, 0);
    control<QLineEdit>(dialog, 140)->setText(QStringLiteral("5000"));
    control<QLineEdit>(dialog, 141)->setText(QStringLiteral("999999"));
    dialog.accept();
    QCOMPARE(options.backups, Options::kBackupsRange.max);
    QCOMPARE(options.recoveryMinutes, Options::kRecoveryMinutesRange.max);
}

void OptionsDialogTest::languageDialogListsTheModulesByTheirOwnNames() {
    ui::LanguageDialog dialog(*language_, language_->languages(), "rus");
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("languages"));
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), QStringLiteral("English"));
    QCOMPARE(list->item(1)->text(), QString::fromUtf8("Русский"));
    QCOMPARE(dialog.chosenCode(), std::string("rus"));
    list->setCurrentRow(0);
    QCOMPARE(dialog.chosenCode(), std::string("enu"));
}

QTEST_MAIN(OptionsDialogTest)
#include "OptionsDialogTest.moc"
