#pragma once

#include "doc/CommandTable.h"
#include "doc/DocumentWatch.h"

#include <QObject>
#include <memory>

namespace qx {
class DDoc;
class Language;
struct Options;
} // namespace qx

namespace qx::doc {

class DocTemplate;
class DocView;
class DocumentStore;
class Editor;
class OpenLock;
class UserDialogs;

// The document manager in single-document mode: at most one document with its
// one view. Opening or creating a document first closes the current one, asking
// about unsaved changes. Errors and questions are the language module's
// document messages, captioned with the document's title.
//
// A document read from a file holds the file's lock while it is open; one that
// another program holds may be opened read-only, when only Save As writes it.
// The file is watched: a change made by another program is read again, or,
// over unsaved changes, read again, merged or left as the user chooses.
class MyDocManager : public QObject, public CommandTarget {
    Q_OBJECT
public:
    MyDocManager(DocTemplate& docTemplate, DocumentStore& store, const Options& options,
                 const Language& language, UserDialogs& dialogs, QObject* parent = nullptr);
    ~MyDocManager() override;

    Editor* document() const { return document_.get(); }
    // Whether the document was opened read-only because another program
    // holds its file.
    bool readOnly() const;
    // The title as the window shows it: marked when read-only.
    QString shownTitle() const;
    DocView* view() const { return view_.get(); }

    bool commandState(int id, CommandState& state) override {
        return commands_.commandState(id, state);
    }
    bool execute(int id) override { return commands_.execute(id); }

    // A new empty document in place of the current one.
    bool createNew();
    // The document at a path in place of the current one (a dropped file, a
    // recent file, the command line). When it cannot be read the current
    // document stays.
    bool openPath(const QString& path);
    // The open dialog, then openPath.
    bool openWithDialog();
    bool save();
    bool saveAs();
    // Reads the document again from its file, dropping the changes.
    bool revert();
    // A model read elsewhere (an earlier run's unsaved work) in place of the
    // current document, as a changed document whose Save writes the path
    // (Save As asks for one when it is empty).
    bool openRecovered(std::unique_ptr<DDoc> model, const QString& path);
    // A model read elsewhere (a backup) in place of the current document's
    // content, as a change that Save writes to its file.
    void replaceContent(std::unique_ptr<DDoc> model);
    bool closeDocument();

    // Whether the current document may go: asks about unsaved changes and
    // saves when told to.
    bool canClose();
    // Closes the view and lets the document go without asking, its model left
    // to the end of the process; at program end.
    void release();

    // Reports through the document message of that number, captioned with the
    // title (which also stands for "%s" in it); a style of 0 gives a box with
    // OK alone. Returns the button pressed.
    int postDocError(const QString& title, unsigned number, unsigned style = 0);

signals:
    void viewCreated(DocView* view);
    void viewClosed(DocView* view);
    // A document came from a file, or was saved under a new name.
    void documentCreated(const QString& path);
    void documentSavedAs(const QString& path);
    void titleChanged(const QString& title);
    // The document was written to its file.
    void saved();

private:
    void addCommands();
    void install(std::unique_ptr<Editor> document);
    // Tells why a document could not be read.
    void reportOpenFailure(const Editor& document);
    void destroyCurrent();
    void closeView();
    // The watched file changed: read again, merged or kept.
    void fileChanged();
    void reloadFromDisk();
    void mergeFromDisk();
    // Puts a model in place of the document's, the views let go of the old one.
    void replaceModel(std::unique_ptr<DDoc> model);

    DocTemplate& template_;
    DocumentStore& store_;
    const Options& options_;
    const Language& language_;
    UserDialogs& dialogs_;
    std::unique_ptr<Editor> document_;
    // The lock of the document's file; null for a document never read or
    // saved.
    std::unique_ptr<OpenLock> lock_;
    DocumentWatch watch_;
    // A question about the file is open: the changes it sees wait for it.
    bool askingAboutFile_ = false;
    std::unique_ptr<DocView> view_;
    QString lastFolder_;
    CommandTable commands_;
};

} // namespace qx::doc
