#include "ProgramDir.h"
#include "TempDir.h"
#include "lang/Language.h"
#include "model/FindInfo.h"
#include "model/SearchProp.h"
#include "search/EngineTable.h"
#include "search/ObjPropDialogInfo.h"
#include "settings/ApplicationProfile.h"
#include "settings/Options.h"
#include "ui/FindReplaceDialog.h"
#include "ui/FrameWindow.h"
#include "ui/dialogs/FindDialog.h"
#include "ui/dialogs/ObjPropDialog.h"
#include "ui/dialogs/OptionsDialog.h"
#include "ui/tree/model/TreeTextSearch.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace qx;

namespace {

// The letter Alt presses for a text: the one after a single "&", lower case.
QChar mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return {};
}

// The texts of one level that carry a letter, with the letters used twice.
QStringList clashes(const QStringList& texts) {
    QMap<QChar, QString> seen;
    QStringList twice;
    for (const QString& text : texts) {
        const QChar letter = mnemonic(text);
        if (letter.isNull())
            continue;
        if (seen.contains(letter))
            twice.append(seen[letter] + QStringLiteral(" / ") + text);
        else
            seen.insert(letter, text);
    }
    return twice;
}

// What Alt+letter can reach in a dialog: buttons, boxes, the labels of
// fields and the titles of groups that are on it.
QStringList dialogTexts(QWidget& dialog) {
    QStringList texts;
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        if (!button->isHidden())
            texts.append(button->text());
    for (QLabel* label : dialog.findChildren<QLabel*>())
        if (label->buddy())
            texts.append(label->text());
    for (QGroupBox* group : dialog.findChildren<QGroupBox*>())
        texts.append(group->title());
    return texts;
}

void collectMenus(const QString& where, QMenu& menu, QStringList& faults) {
    QStringList texts;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator())
            continue;
        texts.append(action->text().section(QLatin1Char('\t'), 0, 0));
        if (QMenu* sub = action->menu())
            collectMenus(where + QStringLiteral(" > ") + action->text(), *sub, faults);
    }
    for (const QString& clash : clashes(texts))
        faults.append(where + QStringLiteral(": ") + clash);
}

} // namespace

// Alt and a letter reaches one control of a dialog or one item of a menu
// level; a letter used twice only moves between them and presses nothing.
class MnemonicTest : public QObject {
    Q_OBJECT
private slots:
    void everyDialogAndMenuLevelUsesEachLetterOnce_data();
    void everyDialogAndMenuLevelUsesEachLetterOnce();
    void tabGoesDownTheReplaceDialogsFields();
};

void MnemonicTest::tabGoesDownTheReplaceDialogsFields() {
    Language language(test::programFolder());
    std::string loaded = "enu";
    QCOMPARE(language.load(loaded), 0u);
    ui::FindReplaceDialog dialog(language, true, TextQuery{});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QWidget* what = dialog.findChild<QWidget*>(QStringLiteral("findWhat"));
    what->setFocus();
    QStringList order;
    QWidget* at = what;
    for (int i = 0; i < 5; ++i) {
        at = at->nextInFocusChain();
        while (!(at->focusPolicy() & Qt::TabFocus) || !at->isVisible())
            at = at->nextInFocusChain();
        order.append(at->objectName());
    }
    QCOMPARE(order, QStringList({QStringLiteral("replaceWith"), QStringLiteral("matchCase"),
                                 QStringLiteral("wholeWord"), QStringLiteral("up"),
                                 QStringLiteral("down")}));
}

void MnemonicTest::everyDialogAndMenuLevelUsesEachLetterOnce_data() {
    QTest::addColumn<QString>("code");
    QTest::newRow("English") << QStringLiteral("enu");
    QTest::newRow("Russian") << QStringLiteral("rus");
}

void MnemonicTest::everyDialogAndMenuLevelUsesEachLetterOnce() {
    QFETCH(QString, code);
    test::TempDir dir;
    ApplicationProfile profile(dir.file("qxseek.INI"));
    Language language(test::programFolder());
    std::string loaded = code.toStdString();
    QCOMPARE(language.load(loaded), 0u);
    QCOMPARE(QString::fromStdString(loaded), code);
    Options options;
    QStringList faults;
    auto check = [&](const QString& name, QWidget& dialog) {
        for (const QString& clash : clashes(dialogTexts(dialog)))
            faults.append(name + QStringLiteral(": ") + clash);
    };

    ui::OptionsDialog optionsDialog(options, language, language.languages(), loaded);
    check(QStringLiteral("options"), optionsDialog);
    FindInfo request;
    SearchProp search;
    const EngineTable engines([&](int id) { return language.text(static_cast<unsigned>(id)); });
    ui::FindDialog find(request, &search, language, engines, profile, options);
    check(QStringLiteral("web search"), find);
    ObjPropDialogInfo info;
    ui::ObjPropDialog properties(info, language, engines);
    check(QStringLiteral("properties"), properties);
    for (const bool replace : {false, true}) {
        ui::FindReplaceDialog dialog(language, replace, TextQuery{});
        check(replace ? QStringLiteral("replace") : QStringLiteral("find"), dialog);
    }

    ui::FrameWindow frame(profile, language, QStringLiteral("Norba Seek"));
    QStringList bar;
    for (QAction* action : frame.menuBar()->actions()) {
        bar.append(action->text());
        if (QMenu* menu = action->menu())
            collectMenus(action->text(), *menu, faults);
    }
    for (const QString& clash : clashes(bar))
        faults.append(QStringLiteral("menu bar: ") + clash);
    // The trees' menu, built as the right button shows it.
    for (const MenuItem& item : language.menu(2).items) {
        QMenu popup;
        for (const MenuItem& child : item.items)
            if (child.kind == MenuItem::Kind::Command)
                popup.addAction(QString::fromStdString(child.text));
        collectMenus(QStringLiteral("tree menu"), popup, faults);
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

QTEST_MAIN(MnemonicTest)
#include "MnemonicTest.moc"
