#include "doc/MyDocManager.h"

#include "doc/DocCommands.h"
#include "doc/DocTemplate.h"
#include "doc/DocView.h"
#include "doc/DocumentQuestion.h"
#include "doc/Editor.h"
#include "doc/OpenLock.h"
#include "doc/Texts.h"
#include "doc/UserDialogs.h"
#include "lang/DocMessages.h"
#include "lang/Language.h"
#include "lang/TextIds.h"
#include "model/DDoc.h"
#include "model/DocumentMerge.h"

#include <QFileInfo>

namespace qx::doc {

MyDocManager::MyDocManager(DocTemplate& docTemplate, DocumentStore& store, const Options& options,
                           const Language& language, UserDialogs& dialogs, QObject* parent)
    : QObject(parent), template_(docTemplate), store_(store), options_(options),
      language_(language), dialogs_(dialogs) {
    addCommands();
    connect(&watch_, &DocumentWatch::changed, this, &MyDocManager::fileChanged);
}

MyDocManager::~MyDocManager() {
    release();
}

void MyDocManager::addCommands() {
    auto dirty = [this] { return document_ && document_->isDirty(); };
    auto open = [this] { return CommandTable::enabledIf(document_ != nullptr); };
    commands_.add(cmd::FileNew, [this] { createNew(); });
    commands_.add(cmd::FileOpen, [this] { openWithDialog(); });
    commands_.add(
        cmd::FileSave, [this, dirty] { return CommandTable::enabledIf(dirty() && !readOnly()); },
        [this] { save(); });
    commands_.add(cmd::FileSaveAs, open, [this] { saveAs(); });
    commands_.add(cmd::FileClose, open, [this] { closeDocument(); });
    commands_.add(
        cmd::FileRevert,
        [this, dirty] { return CommandTable::enabledIf(dirty() && !document_->path().isEmpty()); },
        [this] { revert(); });
}

bool MyDocManager::createNew() {
    if (!canClose())
        return false;
    destroyCurrent();
    install(std::make_unique<Editor>(store_, options_, language_));
    return true;
}

bool MyDocManager::openPath(const QString& path) {
    if (!canClose())
        return false;
    auto document = std::make_unique<Editor>(store_, options_, language_);
    // Absolute, so that the recent files open it from any folder and list it
    // once however it was typed.
    document->setPath(QFileInfo(path).absoluteFilePath());
    if (!document->open()) {
        reportOpenFailure(*document);
        return false;
    }
    // The file open now keeps its lock when it is opened again.
    std::unique_ptr<OpenLock> lock;
    if (document_ && document_->path() == document->path())
        lock = std::move(lock_);
    if (!lock) {
        lock = std::make_unique<OpenLock>(language_, dialogs_);
        if (lock->open(document->path(), document->title()) == OpenLock::Outcome::Refused)
            return false;
    }
    destroyCurrent();
    lock_ = std::move(lock);
    const QString opened = document->path();
    install(std::move(document));
    emit documentCreated(opened);
    return true;
}

bool MyDocManager::openWithDialog() {
    const QString path =
        dialogs_.openFileName({template_.dialogFilter(),
                               QString::fromLatin1(DocTemplate::kDefaultExtension), lastFolder_});
    if (path.isEmpty())
        return false;
    lastFolder_ = QFileInfo(path).absolutePath();
    return openPath(path);
}

bool MyDocManager::save() {
    if (!document_)
        return false;
    if (document_->path().isEmpty() || readOnly())
        return saveAs();
    if (document_->changedOnDisk() &&
        postDocError(document_->title(), docmsg::ChangedOnDisk, mb::YesNo) != mb::IdYes)
        return false;
    if (document_->save()) {
        watch_.written();
        if (document_->backupFailed())
            postDocError(document_->title(), docmsg::CannotBackUp);
        emit saved();
        return true;
    }
    postDocError(document_->title(), docmsg::CannotSave);
    return false;
}

bool MyDocManager::saveAs() {
    if (!document_)
        return false;
    // Answering No to replacing a file asks for another name.
    QString path;
    for (;;) {
        path = dialogs_.saveFileName({template_.dialogFilter(),
                                      QString::fromLatin1(DocTemplate::kDefaultExtension),
                                      lastFolder_});
        if (path.isEmpty())
            return false;
        const QFileInfo named(path);
        path = named.absoluteFilePath();
        lastFolder_ = named.absolutePath();
        if (!named.exists() ||
            postDocError(named.fileName(), docmsg::Overwrite, mb::YesNo) == mb::IdYes)
            break;
    }
    const QFileInfo chosen(path);
    const QString previous = document_->path();
    // A file another program holds is not replaced; the document's own file
    // is already held.
    std::unique_ptr<OpenLock> lock;
    if (path != previous || !lock_ || readOnly()) {
        lock = std::make_unique<OpenLock>(language_, dialogs_);
        if (!lock->takeForSaving(path, chosen.fileName()))
            return false;
    }
    document_->setPath(path);
    if (!document_->save()) {
        document_->setPath(previous);
        postDocError(chosen.fileName(), docmsg::CannotSave);
        return false;
    }
    if (lock)
        lock_ = std::move(lock);
    watch_.watch(path);
    emit titleChanged(shownTitle());
    emit documentSavedAs(path);
    emit saved();
    return true;
}

bool MyDocManager::revert() {
    if (!document_ || document_->path().isEmpty())
        return false;
    if (document_->isDirty() &&
        postDocError(document_->title(), docmsg::RevertChanges, mb::YesNo) != mb::IdYes)
        return false;
    std::unique_ptr<DDoc> model = document_->readFile();
    if (!model) {
        reportOpenFailure(*document_);
        return false;
    }
    replaceModel(std::move(model));
    return true;
}

bool MyDocManager::readOnly() const {
    return lock_ && lock_->readOnly();
}

QString MyDocManager::shownTitle() const {
    if (!document_)
        return {};
    return readOnly() ? document_->title() + QLatin1Char(' ') +
                            text(language_, text::ReadOnlyTitle)
                      : document_->title();
}

void MyDocManager::fileChanged() {
    // Its own saves and a file put back as it was are no outside change.
    if (!document_ || askingAboutFile_ || !document_->changedOnDisk())
        return;
    askingAboutFile_ = true;
    if (!QFileInfo(document_->path()).isFile()) {
        askAboutDocument(language_, dialogs_, document_->title(), docmsg::GoneFromDisk);
    } else if (!document_->isDirty()) {
        reloadFromDisk();
    } else {
        switch (askAboutDocument(language_, dialogs_, document_->title(),
                                 docmsg::ChangedUnderEdits, mb::YesNoCancel)) {
        case mb::IdYes:
            reloadFromDisk();
            break;
        case mb::IdNo:
            mergeFromDisk();
            break;
        default:
            break;
        }
    }
    askingAboutFile_ = false;
}

void MyDocManager::reloadFromDisk() {
    std::unique_ptr<DDoc> model = document_->readFile();
    if (!model) {
        reportOpenFailure(*document_);
        return;
    }
    DocumentMerge::keepExpanded(document_->model(), *model);
    if (view_)
        view_->keepChoiceIn(*model);
    replaceModel(std::move(model));
}

void MyDocManager::mergeFromDisk() {
    std::unique_ptr<DDoc> disk = document_->readFile();
    if (!disk) {
        reportOpenFailure(*document_);
        return;
    }
    if (view_) {
        view_->keepChoiceIn(document_->model());
        view_->documentClosed();
    }
    {
        // One step that Undo takes back.
        Editor::Change change(*document_);
        if (DocumentMerge::addMissing(document_->model(), *disk) != 0)
            document_->modelChanged();
    }
    if (view_)
        view_->documentReloaded();
}

void MyDocManager::replaceModel(std::unique_ptr<DDoc> model) {
    if (view_)
        view_->documentClosed();
    document_->replaceModel(std::move(model));
    if (view_)
        view_->documentReloaded();
}

bool MyDocManager::openRecovered(std::unique_ptr<DDoc> model, const QString& path) {
    if (!canClose())
        return false;
    auto document = std::make_unique<Editor>(store_, options_, language_);
    document->setPath(path);
    document->replaceModel(std::move(model));
    document->setDirty(true);
    // The restored work will be saved over its file: hold that file's lock as
    // an opened document does.
    std::unique_ptr<OpenLock> lock;
    if (!path.isEmpty()) {
        document->adoptFileOnDisk();
        lock = std::make_unique<OpenLock>(language_, dialogs_);
        if (lock->open(path, document->title()) == OpenLock::Outcome::Refused)
            return false;
    }
    destroyCurrent();
    lock_ = std::move(lock);
    install(std::move(document));
    return true;
}

void MyDocManager::replaceContent(std::unique_ptr<DDoc> model) {
    if (view_)
        view_->documentClosed();
    document_->replaceModel(std::move(model));
    document_->setDirty(true);
    if (view_)
        view_->documentReloaded();
}

bool MyDocManager::closeDocument() {
    if (!canClose())
        return false;
    destroyCurrent();
    return true;
}

bool MyDocManager::canClose() {
    if (!document_ || !document_->isDirty())
        return true;
    switch (postDocError(document_->title(), docmsg::SaveChanges, mb::YesNoCancel)) {
    case mb::IdYes:
        return save();
    case mb::IdNo:
        return true;
    default:
        return false;
    }
}

void MyDocManager::release() {
    closeView();
    if (document_) {
        document_->leaveModelAtExit();
    }
    document_.reset();
    lock_.reset();
    watch_.watch({});
}

int MyDocManager::postDocError(const QString& title, unsigned number, unsigned style) {
    return language_.documentMessage(dialogs_, title.toStdString(), number, style);
}

void MyDocManager::reportOpenFailure(const Editor& document) {
    unsigned message = docmsg::CannotOpen;
    if (document.lastResult() == Editor::kWrongKind)
        message = docmsg::NoTemplate;
    else if (document.lastResult() == 2 || document.lastResult() == 3)
        message = docmsg::NotADocument;
    else if (!QFileInfo::exists(document.path()))
        message = docmsg::FileNotFound;
    postDocError(document.title(), message);
}

void MyDocManager::install(std::unique_ptr<Editor> document) {
    document_ = std::move(document);
    view_ = template_.createView(*document_);
    if (view_)
        emit viewCreated(view_.get());
    watch_.watch(document_->path());
    emit titleChanged(shownTitle());
}

void MyDocManager::destroyCurrent() {
    closeView();
    document_.reset();
    lock_.reset();
    watch_.watch({});
}

void MyDocManager::closeView() {
    if (view_) {
        // The view lets go of the model and stops its workers before either goes.
        view_->documentClosed();
        emit viewClosed(view_.get());
        view_.reset();
    }
}

} // namespace qx::doc
