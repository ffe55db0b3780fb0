#pragma once

#include "doc/CommandTable.h"

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
class UserDialogs;

// The document manager in single-document mode: at most one document with its
// one view. Opening or creating a document first closes the current one, asking
// about unsaved changes. Errors and questions are the language module's
// document messages, captioned with the document's title.
class MyDocManager : public QObject, public CommandTarget {
    Q_OBJECT
public:
    MyDocManager(DocTemplate& docTemplate, DocumentStore& store, const Options& options,
                 const Language& language, UserDialogs& dialogs, QObject* parent = nullptr);
    ~MyDocManager() override;

    Editor* document() const { return document_.get(); }
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

    DocTemplate& template_;
    DocumentStore& store_;
    const Options& options_;
    const Language& language_;
    UserDialogs& dialogs_;
    std::unique_ptr<Editor> document_;
    std::unique_ptr<DocView> view_;
    QString lastFolder_;
    CommandTable commands_;
};

} // namespace qx::doc
