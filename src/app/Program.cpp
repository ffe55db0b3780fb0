#include "app/Program.h"

#include "app/Appl.h"
#include "app/HelpDisplay.h"
#include "app/Setup.h"
#include "doc/UserDialogs.h"
#include "lang/LanguageChoice.h"
#include "lang/TextFormat.h"
#include "lang/TextIds.h"
#include "platform/FilePath.h"
#include "settings/SettingsLocation.h"
#include "ui/dialogs/LanguageDialog.h"

#include <QApplication>
#include <QLibraryInfo>
#include <curl/curl.h>

namespace qx::app {

namespace {

std::optional<std::string> showLanguageDialog(const Language& language,
                                              std::vector<Language::Entry> languages,
                                              const std::string& code) {
    ui::LanguageDialog dialog(language, std::move(languages), code);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenCode();
}

} // namespace

Program::Program(StartupPaths paths, doc::UserDialogs& dialogs, HelpDisplay& help,
                 doc::DocumentStore& store)
    : paths_(std::move(paths)), dialogs_(dialogs), help_(help), store_(store),
      pickLanguage_(showLanguageDialog), profile_(paths_.settingsFile),
      language_(paths_.programFolder) {}

Program::~Program() {
    finish(0);
}

std::optional<int> Program::start(const QStringList& arguments) {
    options_.load(profile_);

    const LanguageChoice choice = LanguageChoice::atStartUp(options_.language, profile_, language_);
    if (choice.error != 0) {
        const FormatArg path[] = {FormatArg(choice.modulePath)};
        dialogs_.show(formatText(Language::kUnableToLoadModule, path), "qxseek",
                      mb::Ok | mb::IconStop | mb::TaskModal);
        return 1;
    }
    languageCode_ = choice.code;

    // The network library is set up for the whole process before any window
    // exists, and taken down after the loop.
    networkReady_ = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;

    if (std::optional<int> code = runSetup(arguments))
        return code;
    translateQt();

    const QString title = QString::fromStdString(language_.text(text::AppTitle));
    appl_ = std::make_unique<Appl>(title, Appl::Services{profile_, options_, language_,
                                                         languageCode_, dialogs_, help_, store_});
    help_.setHelpFile(QString::fromStdString(language_.helpFile()));
    appl_->initInstance(arguments);
    return std::nullopt;
}

int Program::run(const QStringList& arguments) {
    if (std::optional<int> code = start(arguments))
        return finish(*code);
    return finish(QApplication::exec());
}

int Program::finish(int exitCode) {
    if (networkReady_)
        curl_global_cleanup();
    networkReady_ = false;
    language_.release();
    appl_.reset();
    return exitCode;
}

std::optional<int> Program::runSetup(const QStringList& arguments) {
    if (arguments.size() < 2)
        return std::nullopt;
    const QString first = arguments[1].toLower();
    const Setup setup({paths_.executable, paths_.settingsFile, paths_.dataHome});
    const bool registering =
        first == QLatin1String("/install") || first == QLatin1String("/uninstall");
    if (registering && SettingsLocation::installedCopy(paths_.programFolder)) {
        dialogs_.show(language_.text(text::InstalledCopyNeedsNoSetup),
                      language_.text(text::AppTitle), mb::Ok | mb::IconInformation | mb::TaskModal);
        return 0;
    }
    if (first == QLatin1String("/uninstall")) {
        if (ask(text::UninstallQuestion)) {
            language_.release();
            setup.uninstall();
        }
        return 0;
    }
    std::string workFolder;
    if (first == QLatin1String("/install")) {
        std::optional<std::string> chosen =
            pickLanguage_(language_, language_.languages(), languageCode_);
        if (!chosen)
            return 0;
        if (!chosen->empty() && *chosen != languageCode_)
            changeLanguage(*chosen, "Language");
    } else if (first == QLatin1String("/shadow")) {
        const Setup::ReadOnlyMedia media = Setup::readOnlyMedia(
            platform::joinPath(paths_.programFolder, Setup::kReadOnlyMediaFile));
        if (!media.language.empty() && media.language != languageCode_)
            changeLanguage(media.language, "language");
        workFolder = media.folder;
    } else {
        return std::nullopt;
    }
    setup.install(language_.text(text::AppTitle), language_.text(text::DocumentFilterDescription),
                  workFolder);
    if (!ask(text::InstallContinue))
        return 0;
    return std::nullopt;
}

void Program::changeLanguage(const std::string& code, const char* keyName) {
    options_.language = code;
    profile_.writeString("Options", keyName, code);
    std::string loaded = code;
    if (language_.load(loaded) == 0)
        languageCode_ = loaded;
}

bool Program::ask(unsigned textId) {
    return dialogs_.show(language_.text(textId), language_.text(text::AppTitle),
                         mb::YesNo | mb::TaskModal) == mb::IdYes;
}

// Qt's own dialogs (the file dialogs) speak the program's language when Qt
// has a translation for it; the first two letters of the code name it.
void Program::translateQt() {
    const QString locale = QString::fromStdString(languageCode_.substr(0, 2));
    if (qtTexts_.load(QStringLiteral("qtbase_") + locale,
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts_);
}

} // namespace qx::app
