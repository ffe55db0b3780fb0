#include "ui/FindReplaceDialog.h"

#include "doc/Texts.h"
#include "lang/TextIds.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qx::ui {

namespace {

// Titles are the commands' own hints.
constexpr unsigned kFindTitle = 24351;
constexpr unsigned kReplaceTitle = 24352;
constexpr unsigned kFindWhat = 9800;
constexpr unsigned kReplaceWith = 9801;
constexpr unsigned kMatchCase = 9802;
constexpr unsigned kWholeWord = 9803;
constexpr unsigned kDirection = 9804;
constexpr unsigned kUp = 9805;
constexpr unsigned kDown = 9806;
constexpr unsigned kFindNext = 9807;
constexpr unsigned kReplace = 9808;
constexpr unsigned kReplaceAll = 9809;

} // namespace

FindReplaceDialog::FindReplaceDialog(const Language& language, bool replace, const TextQuery& query,
                                     QWidget* parent)
    : QDialog(parent), findEdit_(new QLineEdit(QString::fromStdString(query.text), this)),
      matchCase_(new QCheckBox(doc::text(language, kMatchCase), this)),
      wholeWord_(new QCheckBox(doc::text(language, kWholeWord), this)),
      up_(new QRadioButton(doc::text(language, kUp), this)),
      down_(new QRadioButton(doc::text(language, kDown), this)) {
    setObjectName(replace ? QStringLiteral("ReplaceDialog") : QStringLiteral("FindDialog"));
    setWindowTitle(doc::text(language, replace ? kReplaceTitle : kFindTitle));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    findEdit_->setObjectName(QStringLiteral("findWhat"));
    matchCase_->setObjectName(QStringLiteral("matchCase"));
    wholeWord_->setObjectName(QStringLiteral("wholeWord"));
    up_->setObjectName(QStringLiteral("up"));
    down_->setObjectName(QStringLiteral("down"));
    matchCase_->setChecked(query.matchCase);
    wholeWord_->setChecked(query.wholeWord);
    (query.down ? down_ : up_)->setChecked(true);

    auto* fields = new QFormLayout;
    fields->addRow(doc::text(language, kFindWhat), findEdit_);
    if (replace) {
        replaceEdit_ = new QLineEdit(this);
        replaceEdit_->setObjectName(QStringLiteral("replaceWith"));
        fields->addRow(doc::text(language, kReplaceWith), replaceEdit_);
    }
    auto* direction = new QGroupBox(doc::text(language, kDirection), this);
    auto* directionRow = new QHBoxLayout(direction);
    directionRow->addWidget(up_);
    directionRow->addWidget(down_);
    auto* options = new QHBoxLayout;
    auto* boxes = new QVBoxLayout;
    boxes->addWidget(matchCase_);
    boxes->addWidget(wholeWord_);
    options->addLayout(boxes);
    options->addWidget(direction);

    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    auto* next = buttons->addButton(doc::text(language, kFindNext), QDialogButtonBox::ActionRole);
    next->setObjectName(QStringLiteral("findNext"));
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, &FindReplaceDialog::findNext);
    if (replace) {
        auto* one = buttons->addButton(doc::text(language, kReplace), QDialogButtonBox::ActionRole);
        one->setObjectName(QStringLiteral("replace"));
        connect(one, &QPushButton::clicked, this, &FindReplaceDialog::replaceOne);
        auto* all =
            buttons->addButton(doc::text(language, kReplaceAll), QDialogButtonBox::ActionRole);
        all->setObjectName(QStringLiteral("replaceAll"));
        connect(all, &QPushButton::clicked, this, &FindReplaceDialog::replaceAll);
    }
    buttons->addButton(doc::text(language, text::ButtonClose), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(options);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(buttons);

    // Tab goes down the fields as they stand, the replacement right after
    // the text it replaces (it is made last), then the buttons.
    QList<QWidget*> order{findEdit_};
    if (replaceEdit_)
        order.append(replaceEdit_);
    order.append({matchCase_, wholeWord_, up_, down_});
    for (QAbstractButton* button : buttons->buttons())
        order.append(button);
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
}

TextQuery FindReplaceDialog::query() const {
    TextQuery q;
    q.text = findEdit_->text().toStdString();
    q.matchCase = matchCase_->isChecked();
    q.wholeWord = wholeWord_->isChecked();
    q.down = down_->isChecked();
    return q;
}

QString FindReplaceDialog::replacement() const {
    return replaceEdit_ ? replaceEdit_->text() : QString();
}

} // namespace qx::ui
