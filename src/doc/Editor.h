#pragma once

#include "lang/OptionLabelTexts.h"
#include "model/UndoHistory.h"
#include "platform/FileSystem.h"

#include <QString>
#include <memory>

namespace qx {
class DDoc;
class Language;
struct Options;
} // namespace qx

namespace qx::doc {

class DocumentStore;

// The open document: the reference model with the file it came from, its title
// and whether it has unsaved changes.
class Editor {
public:
    Editor(DocumentStore& store, const Options& options, const Language& language);
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    DDoc& model() { return *model_; }
    const DDoc& model() const { return *model_; }

    const QString& path() const { return path_; }
    // Sets the path and the title that follows from it.
    void setPath(const QString& path);
    const QString& title() const { return title_; }

    bool isDirty() const { return dirty_; }
    void setDirty(bool dirty) { dirty_ = dirty; }
    // The model was changed: the document has unsaved changes, and the
    // change is part of the user's step under way, or (made by a search or a
    // check) ends what Undo can take back.
    void modelChanged();

    // One change of the user's that Undo takes back as a whole, for as long
    // as the object lives.
    class Change {
    public:
        explicit Change(Editor& document);
        ~Change();
        Change(const Change&) = delete;
        Change& operator=(const Change&) = delete;

    private:
        Editor& document_;
    };
    bool canUndo() const { return history_.canUndo(); }
    // Puts the model as it was before the last change in place of the
    // current one; the views must have let go of the model. False when there
    // was nothing to take back.
    bool undo();

    // Reads the file at the path into the model: false without reading for a
    // path with no extension or with the extension "html". The hosts are
    // sorted after every attempt that reached the file.
    bool open();
    // A fresh model read from the file at the path, or null. The document's own
    // model is not touched.
    std::unique_ptr<DDoc> readFile();
    // Puts a model read by readFile() in place of the current one; the changes
    // are gone.
    void replaceModel(std::unique_ptr<DDoc> model);
    // The file now at the path is the one the content stands against (the
    // content came from elsewhere, a recovery file): the next save keeps it
    // among the backups, and asks first when it changes meanwhile.
    void adoptFileOnDisk();
    // Sorts the hosts of the domain tree in the given order.
    void sortHosts(int order);
    // The program ends: the model is left to the end of the process instead of
    // being taken apart (leaveDocumentAtExit). Nothing may use it afterwards.
    void leaveModelAtExit();
    // Writes the model to the path. The changed flag is cleared only when the
    // file was written; a failed save leaves the old file as it was.
    bool save();

    // Whether the file at the path is no longer the one last read or written
    // here (another program saved it, a sync tool replaced it, it is gone).
    // False for a path this document never read or wrote.
    bool changedOnDisk() const;
    // Whether the last save could not keep the file as it was opened among the
    // backups (the save itself went ahead).
    bool backupFailed() const { return backupFailed_; }

    // The store's result of the last read or write, or kWrongKind when the
    // path's extension ruled the file out.
    int lastResult() const { return lastResult_; }
    static constexpr int kWrongKind = -1;

    // The extension of a path: what follows the last "." unless a "\", "/" or
    // ":" comes after it; empty when there is none.
    static QString extensionOf(const QString& path);

private:
    DocumentStore& store_;
    const Options& options_;
    const Language& language_;
    // Every model made here reads its labels from these: before the model,
    // which points at them.
    OptionLabelTexts labelTexts_;
    std::unique_ptr<DDoc> model_;
    QString path_;
    QString title_;
    bool dirty_ = false;
    int lastResult_ = 0;
    // The file as last read or written here; exists false when neither.
    platform::FileIdentity onDisk_;
    // The first save after the file was read keeps it as it was.
    bool backedUp_ = false;
    bool backupFailed_ = false;
    UndoHistory history_;
};

} // namespace qx::doc
