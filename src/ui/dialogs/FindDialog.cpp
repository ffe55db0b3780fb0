#include "ui/dialogs/FindDialog.h"

#include "doc/Texts.h"
#include "lang/Language.h"
#include "lang/TextIds.h"
#include "model/SearchProp.h"
#include "search/EngineTable.h"
#include "search/FindForm.h"
#include "search/SearchStatistics.h"
#include "settings/Options.h"
#include "ui/dialogs/DialogControls.h"

#include <qsearch/WebSearch.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qx::ui {

namespace {

constexpr int kQuery = 100;
constexpr int kMax = 101;
constexpr int kFirstEngine = 102;
constexpr int kFirstMode = 120;
constexpr int kModes = 4;
constexpr int kCheck = 124;
constexpr int kExclude = 125;
constexpr int kStatistics = 126;
constexpr int kExcludeLabel = 127;
constexpr int kAtStart = 128;
constexpr int kFirstColumnWidth = 120;
constexpr int kColumnWidth = 80;

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

FindDialog::FindDialog(FindInfo& request, const SearchProp* search, const Language& language,
                       const EngineTable& engines, ApplicationProfile& profile, Options& options,
                       HelpHandler help, QWidget* parent)
    : QDialog(parent), request_(request), profile_(profile), options_(options) {
    auto t = [&](unsigned id) { return doc::text(language, id); };
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(t(text::FindCaption));

    query_ = control(kQuery, new QComboBox(this));
    query_->setEditable(true);
    query_->setInsertPolicy(QComboBox::NoInsert);
    // An entry's settings come over the controls only when the entry is
    // chosen from the list. Without these two, Return or leaving the field
    // after typing an earlier query (in any case) would bring that entry's
    // settings back over the user's edits, and its inline completion would
    // turn what was typed into a longer entry and eat the first Return.
    query_->setCompleter(nullptr);
    query_->setDuplicatesEnabled(true);
    query_->setMinimumContentsLength(40);
    max_ = control(kMax, new QLineEdit(this));
    max_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), this));
    auto* queryLabel = new QLabel(t(text::FindQuery), this);
    queryLabel->setBuddy(query_);
    auto* maxLabel = new QLabel(t(text::FindMax), this);
    maxLabel->setBuddy(max_);
    auto* top = new QGridLayout;
    top->addWidget(queryLabel, 0, 0);
    top->addWidget(query_, 0, 1);
    top->addWidget(maxLabel, 1, 0);
    top->addWidget(max_, 1, 1, Qt::AlignLeft);

    // Sixteen boxes, one per mask bit; a bit that names no engine keeps its
    // box (and so its value) out of sight. When the module tells its engines,
    // an engine without a definition says so: a stored choice may hold one.
    auto* enginesBox = new QGroupBox(t(text::FindServers), this);
    auto* enginesLayout = new QGridLayout(enginesBox);
    const QString undefined = qs(language.errorText(WSEARCH_NO_DEFINITION));
    int shown = 0;
    for (int i = 0; i < kEngineBoxes; ++i) {
        const auto bit = static_cast<std::uint16_t>(1u << i);
        engines_[i] =
            control(kFirstEngine + i, new QCheckBox(qs(engines.displayname(bit)), enginesBox));
        if (engines.number(bit) == 0) {
            engines_[i]->hide();
            continue;
        }
        if (engines.knowsdefinitions() && !(engines.definedmask() & bit)) {
            QFont font = engines_[i]->font();
            font.setItalic(true);
            engines_[i]->setFont(font);
            engines_[i]->setToolTip(undefined);
        }
        enginesLayout->addWidget(engines_[i], shown % 4, shown / 4);
        ++shown;
    }

    auto* modeBox = new QGroupBox(t(text::FindModeGroup), this);
    auto* modeLayout = new QVBoxLayout(modeBox);
    mode_ = new QButtonGroup(this);
    for (int mode = 0; mode < kModes; ++mode) {
        auto* button =
            control(kFirstMode + mode, new QRadioButton(t(text::FindMode0 + mode), modeBox));
        mode_->addButton(button, mode);
        modeLayout->addWidget(button);
    }
    exclude_ = control(kExclude, new QLineEdit(modeBox));
    excludeLabel_ = control(kExcludeLabel, new QLabel(t(text::FindExclude), modeBox));
    excludeLabel_->setBuddy(exclude_);
    auto* excludeRow = new QHBoxLayout;
    excludeRow->addWidget(excludeLabel_);
    excludeRow->addWidget(exclude_, 1);
    modeLayout->addLayout(excludeRow);
    connect(mode_, &QButtonGroup::idToggled, this, &FindDialog::modeChosen);

    check_ = control(kCheck, new QCheckBox(t(text::FindCheck), this));
    statistics_ = control(kStatistics, new QTreeWidget(this));
    statistics_->setMinimumHeight(statistics_->fontMetrics().height() * 9);
    atStart_ = control(kAtStart, new QCheckBox(t(text::FindAtStart), this));

    QDialogButtonBox* buttons = dialogButtons(*this, language, std::move(help), kHelpContext);

    auto* fields = new QWidget(this);
    auto* layout = new QVBoxLayout(fields);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(enginesBox);
    layout->addWidget(modeBox);
    layout->addWidget(check_);
    layout->addWidget(statistics_);
    layout->addWidget(atStart_);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(fields, 1);
    outer->addWidget(buttons);

    history_.load(profile_, options_);
    for (const FindInfo& entry : history_.entries())
        query_->addItem(qs(entry.query.view()));
    connect(query_, &QComboBox::activated, this, &FindDialog::historyChosen);
    if (request.query.empty()) {
        query_->setCurrentIndex(query_->count() ? 0 : -1);
    } else {
        query_->setCurrentIndex(-1);
        query_->setEditText(qs(request.query.view()));
    }
    showFields(request);
    if (search)
        buildStatistics(*search, language, engines);
    else
        statistics_->hide();
    atStart_->setChecked(options_.findDialogAtStart);
    adjustSize();
    // Taller than the screen (a small one, a large scale factor): the fields
    // scroll, and OK and Cancel stay in reach below them.
    if (const QScreen* shown = screen();
        shown && minimumSizeHint().height() > shown->availableGeometry().height() - 40) {
        auto* scroll = new QScrollArea(this);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setWidget(fields);
        outer->insertWidget(0, scroll, 1);
        // The dialog's least size follows the scroll area from now on.
        outer->activate();
        resize(width() + scroll->verticalScrollBar()->sizeHint().width(), height());
    }
    fitToScreen(*this);
}

void FindDialog::showFields(const FindInfo& request) {
    max_->setText(request.max ? QString::number(request.max) : QString());
    for (int i = 0; i < kEngineBoxes; ++i)
        engines_[i]->setChecked(request.servers & (1u << i));
    exclude_->setText(qs(request.exclude.view()));
    check_->setChecked(request.check);
    if (QAbstractButton* button = mode_->button(request.queryMode)) {
        button->setChecked(true);
    } else {
        // Outside 0..3 no button is chosen.
        mode_->setExclusive(false);
        for (QAbstractButton* b : mode_->buttons())
            b->setChecked(false);
        mode_->setExclusive(true);
    }
    exclude_->setEnabled(request.queryMode != 0);
    excludeLabel_->setEnabled(request.queryMode != 0);
}

void FindDialog::historyChosen(int index) {
    if (index < 0 || index >= static_cast<int>(history_.entries().size()))
        return;
    const FindInfo& entry = history_.entries()[static_cast<std::size_t>(index)];
    query_->setEditText(qs(entry.query.view()));
    showFields(entry);
}

void FindDialog::modeChosen(int mode, bool checked) {
    if (!checked)
        return;
    exclude_->setEnabled(mode != 0);
    excludeLabel_->setEnabled(mode != 0);
}

void FindDialog::buildStatistics(const SearchProp& search, const Language& language,
                                 const EngineTable& engines) {
    const std::vector<std::string> titles =
        SearchStatistics::columns(language.text(text::StatisticsColumns));
    QStringList headers;
    for (const std::string& title : titles)
        headers.append(qs(title));
    statistics_->setColumnCount(static_cast<int>(headers.size()));
    statistics_->setHeaderLabels(headers);
    statistics_->setRootIsDecorated(false);
    statistics_->setSelectionMode(QAbstractItemView::NoSelection);
    statistics_->header()->setStretchLastSection(true);
    const int columns = statistics_->columnCount();
    for (int c = 0; c + 1 < columns; ++c)
        statistics_->setColumnWidth(c, c == 0 ? kFirstColumnWidth : kColumnWidth);
    auto alignment = [columns](int c) -> Qt::Alignment {
        if (c == 0)
            return Qt::AlignLeft | Qt::AlignVCenter;
        return (c == columns - 1 ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter;
    };
    for (int c = 0; c < columns; ++c)
        statistics_->headerItem()->setTextAlignment(c, alignment(c));

    const ShortDate date =
        ShortDate::frompattern(QLocale().dateFormat(QLocale::ShortFormat).toStdString());
    const auto engineName = [&engines](std::uint16_t bit) { return engines.displayname(bit); };
    for (const SearchStatistics::Row& row :
         SearchStatistics::rows(search, language.text(text::StatisticsTotal), engineName, date)) {
        auto* item = new QTreeWidgetItem(statistics_);
        for (int c = 0; c < columns && c < static_cast<int>(row.size()); ++c) {
            item->setText(c, qs(row[static_cast<std::size_t>(c)]));
            // A column too narrow for an error text shows it whole on hover.
            item->setToolTip(c, item->text(c));
            item->setTextAlignment(c, alignment(c));
        }
    }
}

void FindDialog::accept() {
    FindForm form;
    form.query = query_->currentText().toStdString();
    form.max = max_->text().toStdString();
    for (int i = 0; i < kEngineBoxes; ++i)
        if (engines_[i]->isChecked())
            form.servers = static_cast<std::uint16_t>(form.servers | (1u << i));
    form.check = check_->isChecked();
    form.excludeEnabled = exclude_->isEnabled();
    form.exclude = exclude_->text().toStdString();
    form.mode = mode_->checkedId();
    request_ = form.request();
    history_.add(request_);
    history_.save(profile_);
    options_.findDialogAtStart = atStart_->isChecked();
    QDialog::accept();
}

} // namespace qx::ui
