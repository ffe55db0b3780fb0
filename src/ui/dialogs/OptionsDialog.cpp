#include "ui/dialogs/OptionsDialog.h"

#include "doc/Texts.h"
#include "lang/TextIds.h"
#include "settings/Options.h"
#include "ui/dialogs/DialogControls.h"
#include "ui/dialogs/FolderField.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

namespace qx::ui {

namespace {

bool sameCode(const std::string& a, const std::string& b) {
    return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

// The field's number within low..high; low when it holds none.
int number(const QLineEdit& field, int low, int high) {
    bool ok = false;
    const qulonglong value = field.text().toULongLong(&ok);
    return ok ? static_cast<int>(std::clamp<qulonglong>(value, static_cast<qulonglong>(low),
                                                        static_cast<qulonglong>(high)))
              : low;
}

} // namespace

OptionsDialog::OptionsDialog(Options& options, const Language& language,
                             std::vector<Language::Entry> languages, const std::string& runningCode,
                             QWidget* parent)
    : QDialog(parent), options_(options), languages_(std::move(languages)) {
    auto t = [&](unsigned id) { return doc::text(language, id); };
    setWindowTitle(t(text::OptionsCaption));

    language_ = control(101, new QComboBox(this));
    checkRef_ = control(102, new QCheckBox(t(text::OptionsCheckRef), this));
    checkSearch_ = control(110, new QCheckBox(t(text::OptionsCheckSearch), this));
    useProxy_ = control(113, new QCheckBox(t(text::OptionsUseProxy), this));
    proxyAddress_ = control(114, new QLineEdit(this));
    proxyPort_ = control(115, new QLineEdit(this));
    proxyAddressLabel_ = control(116, new QLabel(t(text::OptionsProxyAddress), this));
    proxyPortLabel_ = control(117, new QLabel(t(text::OptionsProxyPort), this));
    proxyAddressLabel_->setBuddy(proxyAddress_);
    proxyPortLabel_->setBuddy(proxyPort_);
    const QRegularExpression digits(QStringLiteral("[0-9]{0,9}"));
    maxThreads_ = control(118, new QLineEdit(this));
    maxThreads_->setValidator(new QRegularExpressionValidator(digits, this));
    checkThreads_ = control(125, new QLineEdit(this));
    checkThreads_->setValidator(new QRegularExpressionValidator(digits, this));
    checksPerHost_ = control(126, new QLineEdit(this));
    checksPerHost_->setValidator(new QRegularExpressionValidator(digits, this));
    backups_ = control(140, new QLineEdit(this));
    backups_->setValidator(new QRegularExpressionValidator(digits, this));
    recoveryMinutes_ = control(141, new QLineEdit(this));
    recoveryMinutes_->setValidator(new QRegularExpressionValidator(digits, this));

    auto* general = new QFormLayout;
    general->addRow(t(text::OptionsLanguage), language_);
    favorites_ = control(142, new FolderField(t(text::OptionsChooseFolder), this));
    general->addRow(t(text::OptionsFavorites), favorites_);
    general->addRow(checkRef_);
    general->addRow(checkSearch_);
    general->addRow(t(text::OptionsMaxThreads), maxThreads_);
    general->addRow(t(text::OptionsCheckThreads), checkThreads_);
    general->addRow(t(text::OptionsChecksPerHost), checksPerHost_);
    general->addRow(t(text::OptionsBackups), backups_);
    general->addRow(t(text::OptionsRecoveryMinutes), recoveryMinutes_);

    auto* proxy = new QFormLayout;
    proxy->addRow(useProxy_);
    proxy->addRow(proxyAddressLabel_, proxyAddress_);
    proxy->addRow(proxyPortLabel_, proxyPort_);

    auto* sortBox = new QGroupBox(t(text::OptionsSortGroup), this);
    auto* sortLayout = new QVBoxLayout(sortBox);
    sort_ = new QButtonGroup(this);
    const unsigned sortTexts[] = {text::OptionsSortByName, text::OptionsSortByHost,
                                  text::OptionsSortByCount};
    for (int i = 0; i < 3; ++i) {
        auto* button = control(120 + i, new QRadioButton(t(sortTexts[i]), sortBox));
        sort_->addButton(button, i);
        sortLayout->addWidget(button);
    }

    QDialogButtonBox* buttons = dialogButtons(*this, language);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(general);
    layout->addLayout(proxy);
    layout->addWidget(sortBox);
    layout->addWidget(buttons);

    connect(useProxy_, &QCheckBox::toggled, this, &OptionsDialog::proxyToggled);
    fill(runningCode);
}

void OptionsDialog::fill(const std::string& runningCode) {
    for (const Language::Entry& entry : languages_)
        language_->addItem(QString::fromStdString(entry.name), QString::fromStdString(entry.code));
    // The stored code, else the language the program runs in (a stored "1" is
    // Russian), else the first entry.
    for (const std::string& code : {options_.language, runningCode}) {
        for (std::size_t i = 0; i < languages_.size() && initialLanguage_ < 0; ++i)
            if (sameCode(languages_[i].code, code))
                initialLanguage_ = static_cast<int>(i);
    }
    if (initialLanguage_ < 0 && !languages_.empty())
        initialLanguage_ = 0;
    language_->setCurrentIndex(initialLanguage_);

    checkRef_->setChecked(options_.checkRef);
    checkSearch_->setChecked(options_.checkSearch);
    useProxy_->setChecked(options_.useProxy);
    proxyAddress_->setText(QString::fromStdString(options_.proxyAdr));
    proxyPort_->setText(QString::fromStdString(options_.proxyPort));
    maxThreads_->setText(QString::number(options_.maxThreads));
    checkThreads_->setText(QString::number(options_.checkThreads));
    checksPerHost_->setText(QString::number(options_.checksPerHost));
    backups_->setText(QString::number(options_.backups));
    recoveryMinutes_->setText(QString::number(options_.recoveryMinutes));
    const int sort = options_.sortServersType == 1 || options_.sortServersType == 2
                         ? options_.sortServersType
                         : 0;
    sort_->button(sort)->setChecked(true);
    proxyToggled(options_.useProxy);
}

void OptionsDialog::proxyToggled(bool on) {
    for (QWidget* w :
         {static_cast<QWidget*>(proxyAddress_), static_cast<QWidget*>(proxyPort_),
          static_cast<QWidget*>(proxyAddressLabel_), static_cast<QWidget*>(proxyPortLabel_)})
        w->setEnabled(on);
}

void OptionsDialog::accept() {
    const int chosen = language_->currentIndex();
    // An untouched list keeps the stored code as it is, even when the list
    // showed the running language for a code it does not name.
    if (chosen != initialLanguage_)
        options_.language = chosen < 0 ? std::string() : languages_[chosen].code;
    options_.checkRef = checkRef_->isChecked();
    options_.checkSearch = checkSearch_->isChecked();
    // The ranges the settings file is read with; what is no number is the least.
    options_.maxThreads =
        number(*maxThreads_, Options::kMaxThreadsRange.min, Options::kMaxThreadsRange.max);
    options_.checkThreads =
        number(*checkThreads_, Options::kCheckThreadsRange.min, Options::kCheckThreadsRange.max);
    options_.checksPerHost =
        number(*checksPerHost_, Options::kChecksPerHostRange.min, Options::kChecksPerHostRange.max);
    options_.backups = number(*backups_, Options::kBackupsRange.min, Options::kBackupsRange.max);
    options_.recoveryMinutes = number(*recoveryMinutes_, Options::kRecoveryMinutesRange.min,
                                      Options::kRecoveryMinutesRange.max);
    options_.sortServersType = std::max(0, sort_->checkedId());
    options_.useProxy = useProxy_->isChecked();
    options_.proxyAdr = proxyAddress_->text().toStdString();
    options_.proxyPort = proxyPort_->text().toStdString();
    QDialog::accept();
}

} // namespace qx::ui
