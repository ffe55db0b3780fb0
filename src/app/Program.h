#pragma once

#include "lang/Language.h"
#include "settings/ApplicationProfile.h"
#include "settings/Options.h"

#include <QStringList>
#include <QTranslator>
#include <functional>
#include <memory>
#include <optional>

namespace qx::doc {
class DocumentStore;
class UserDialogs;
} // namespace qx::doc

namespace qx::app {

class Appl;
class HelpDisplay;

// Where the program finds its files. The program passes the real places; tests
// pass temporary ones, so that they never touch the user's files.
struct StartupPaths {
    std::string executable;
    std::string programFolder;
    std::string settingsFile;
    std::string dataHome; // the XDG data folder setup registers in
};

// The entry point's work, in its order: settings, language, network library,
// setup switches, the application, the help file, the message loop, and the
// shutdown in reverse.
class Program {
public:
    // Setup's choice of the language: the chosen code, or nothing when cancelled.
    using LanguagePicker = std::function<std::optional<std::string>(
        const Language& language, std::vector<Language::Entry> languages, const std::string& code)>;

    Program(StartupPaths paths, doc::UserDialogs& dialogs, HelpDisplay& help,
            doc::DocumentStore& store);
    ~Program();

    void setLanguagePicker(LanguagePicker picker) { pickLanguage_ = std::move(picker); }

    // Everything up to the message loop. Returns an exit code when the program
    // ends before it (a setup switch, or no language module at all).
    std::optional<int> start(const QStringList& arguments);
    // start(), the message loop and finish().
    int run(const QStringList& arguments);
    // After the loop: the network library and the language module are
    // released, then the application is destroyed.
    int finish(int exitCode);

    Appl* appl() const { return appl_.get(); }
    Options& options() { return options_; }
    ApplicationProfile& profile() { return profile_; }
    const Language& language() const { return language_; }
    const std::string& languageCode() const { return languageCode_; }

private:
    // Handles the setup switch of the first argument; an exit code ends the program.
    std::optional<int> runSetup(const QStringList& arguments);
    // Stores and loads a language that setup chose; keyName is the key written.
    void changeLanguage(const std::string& code, const char* keyName);
    // Yes/No question with the title as caption.
    bool ask(unsigned textId);
    void translateQt();

    StartupPaths paths_;
    doc::UserDialogs& dialogs_;
    HelpDisplay& help_;
    doc::DocumentStore& store_;
    LanguagePicker pickLanguage_;
    ApplicationProfile profile_;
    Options options_;
    Language language_;
    std::string languageCode_;
    QTranslator qtTexts_;
    bool networkReady_ = false;
    std::unique_ptr<Appl> appl_;
};

} // namespace qx::app
