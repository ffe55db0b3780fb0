#pragma once

#include "doc/CommandTable.h"

#include "platform/SystemError.h"

#include <QString>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace qx {
class ApplicationProfile;
class Language;
class Ref;
} // namespace qx

namespace qx::doc {
class Editor;
class UserDialogs;
} // namespace qx::doc

namespace qx::ui {

// The commands that write references out of the document (the HTML page, the
// favourites folder, a bookmark or XBEL file) and read a bookmark file or a
// browser profile in. They work
// on the nodes the selection hands them; without a selection of its own, the
// whole organizer tree.
class ExportCommands : public doc::CommandTarget {
public:
    using DocumentSource = std::function<doc::Editor*()>;
    using Selection = std::function<std::vector<const Ref*>()>;

    ExportCommands(DocumentSource document, ApplicationProfile& profile, const Language& language,
                   doc::UserDialogs& dialogs);

    // The nodes the export commands take; the tree views hand theirs in here.
    void setSelection(Selection selection) { selection_ = std::move(selection); }

    bool commandState(int id, doc::CommandState& state) override {
        return commands_.commandState(id, state);
    }
    bool execute(int id) override { return commands_.execute(id); }

    // A language module's "description|pattern|..." filter in the form of the
    // file dialogs: "description (pattern pattern);;...".
    static QString dialogFilter(const std::string& filter);

private:
    void addCommands();
    std::vector<const Ref*> nodes() const;
    // The path to write to, asked for with the filter of that text; empty when
    // cancelled or when an existing file is not to be replaced.
    QString savePath(unsigned filterText, const char* extension);
    void reportWriteFailure(const QString& path);
    using NodeSpan = std::span<const Ref* const>;
    // Writes the nodes to a file: 0, or the system's error.
    using FileWriter = std::function<platform::SysError(const std::string& path, NodeSpan nodes)>;
    // Asks where, with the filter of that text, and writes the nodes there.
    void exportFile(unsigned filterText, const char* extension, const FileWriter& write);
    void exportHtml();
    void exportFavorites();
    void exportBookmarks();
    void importBookmarks();
    void exportXbel();
    void importFromBrowser();

    DocumentSource document_;
    ApplicationProfile& profile_;
    const Language& language_;
    doc::UserDialogs& dialogs_;
    Selection selection_;
    // Where the last page or bookmark file was written or read: the next
    // dialog starts there.
    QString lastFolder_;
    doc::CommandTable commands_;
};

} // namespace qx::ui
