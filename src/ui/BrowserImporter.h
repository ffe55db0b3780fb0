#pragma once

#include <QString>
#include <string>

namespace qx {
class Language;
}

namespace qx::doc {
class Editor;
class UserDialogs;
} // namespace qx::doc

namespace qx::ui {

// File > Import from Browser: lists the profiles found with their bookmark
// counts, reads the chosen store off the interface thread, and files what
// was read into the document as one step of Undo, or, when the read failed,
// says why and leaves the document as it was.
class BrowserImporter {
public:
    // home and config as BrowserProfiles::find takes them.
    BrowserImporter(const Language& language, doc::UserDialogs& dialogs, std::string home,
                    std::string config);

    // lastFolder: where a chosen file's dialog starts; it becomes the folder
    // of the file chosen.
    void run(doc::Editor& editor, QString& lastFolder);

private:
    void report(int result, const std::string& store);

    const Language& language_;
    doc::UserDialogs& dialogs_;
    std::string home_;
    std::string config_;
};

} // namespace qx::ui
