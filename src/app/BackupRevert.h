#pragma once

#include <string>

class QWidget;

namespace qx {
class Language;
struct Options;
} // namespace qx

namespace qx::doc {
class DocumentStore;
class MyDocManager;
class UserDialogs;
} // namespace qx::doc

namespace qx::app {

// File > Revert to Backup: lists the backups kept of the open document and
// puts the chosen one in place of its content, as a change that Save writes
// to the document's own file.
class BackupRevert {
public:
    BackupRevert(doc::MyDocManager& documents, doc::DocumentStore& store, const Options& options,
                 const Language& language, doc::UserDialogs& dialogs, std::string dataHome);

    // The open document has a file, so there may be backups of it.
    bool possible() const;
    void run(QWidget* window);

private:
    doc::MyDocManager& documents_;
    doc::DocumentStore& store_;
    const Options& options_;
    const Language& language_;
    doc::UserDialogs& dialogs_;
    std::string dataHome_;
};

} // namespace qx::app
