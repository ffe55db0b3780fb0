#include "ui/dialogs/FileChoiceDialog.h"

#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace qx;

class FileChoiceDialogTest : public QObject {
    Q_OBJECT
private slots:
    void removedRowsKeepTheirPlacesAndTheLastOneEndsTheQuestion();
    void withoutARowNothingCanBeChosen();

private:
    static ui::FileChoiceDialog::Setup setup(int rows, std::vector<int>* removed);
};

ui::FileChoiceDialog::Setup FileChoiceDialogTest::setup(int rows, std::vector<int>* removed) {
    ui::FileChoiceDialog::Setup s;
    s.caption = QStringLiteral("Choose");
    s.columns = {QStringLiteral("File"), QStringLiteral("Kept at")};
    for (int i = 0; i < rows; ++i)
        s.rows.push_back({QStringLiteral("file %1").arg(i), QStringLiteral("today")});
    s.acceptText = QStringLiteral("&Open");
    s.rejectText = QStringLiteral("Cancel");
    if (removed) {
        s.removeText = QStringLiteral("&Discard");
        s.removed = [removed](int row) { removed->push_back(row); };
    }
    return s;
}

void FileChoiceDialogTest::removedRowsKeepTheirPlacesAndTheLastOneEndsTheQuestion() {
    std::vector<int> removed;
    ui::FileChoiceDialog dialog(setup(3, &removed));
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("100"));
    auto* remove = dialog.findChild<QPushButton*>(QStringLiteral("3"));
    QVERIFY(list && remove);
    QCOMPARE(dialog.chosen(), 0); // the first row is chosen from the start
    list->setCurrentItem(list->topLevelItem(1));
    remove->click();
    // The row after the removed one is still the third of the rows given.
    list->setCurrentItem(list->topLevelItem(1));
    QCOMPARE(dialog.chosen(), 2);
    remove->click();
    list->setCurrentItem(list->topLevelItem(0));
    dialog.findChild<QPushButton*>(QStringLiteral("1"))->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.chosen(), 0);
    remove->click();
    QCOMPARE(removed, (std::vector<int>{1, 2, 0}));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void FileChoiceDialogTest::withoutARowNothingCanBeChosen() {
    ui::FileChoiceDialog dialog(setup(0, nullptr));
    QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("3")));
    QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("1"))->isEnabled());
    QCOMPARE(dialog.chosen(), -1);
}

QTEST_MAIN(FileChoiceDialogTest)
#include "FileChoiceDialogTest.moc"
