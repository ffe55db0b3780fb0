#include "doc/MyDocManager.h"

#include "doc/DocCommands.h"
#include "doc/DocTemplate.h"
#include "doc/DocView.h"
#include "doc/Editor.h"
#include "doc/UserDialogs.h"
#include "lang/DocMessages.h"
#include "lang/Language.h"
#include "model/DDoc.h"

#include <QFileInfo>

namespace qx::doc {

MyDocManager::MyDocManager(DocTemplate& docTemplate, DocumentStore& store, const Options& options,
                           const Language& language, UserDialogs& dialogs, QObject* parent)
    : QObject(parent), template_(docTemplate), store_(store), options_(options),
      language_(language), dialogs_(dialogs) {
    addCommands();
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
        cmd::FileSave, [dirty] { return CommandTable::enabledIf(dirty()); }, [this] { save(); });
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
    destroyCurrent();
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
    if (document_->path().isEmpty())
        return saveAs();
    if (document_->changedOnDisk() &&
        postDocError(document_->title(), docmsg::ChangedOnDisk, mb::YesNo) != mb::IdYes)
        return false;
    if (document_->save()) {
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
    document_->setPath(path);
    if (!document_->save()) {
        document_->setPath(previous);
        postDocError(chosen.fileName(), docmsg::CannotSave);
        return false;
    }
    emit titleChanged(document_->title());
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
    if (view_)
        view_->documentClosed();
    document_->replaceModel(std::move(model));
    if (view_)
        view_->documentReloaded();
    return true;
}

bool MyDocManager::openRecovered(std::unique_ptr<DDoc> model, const QString& path) {
    if (!canClose())
        return false;
    auto document = std::make_unique<Editor>(store_, options_, language_);
    document->setPath(path);
    document->replaceModel(std::move(model));
    document->setDirty(true);
    if (!path.isEmpty())
        document->adoptFileOnDisk();
    destroyCurrent();
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
    emit titleChanged(document_->title());
}

void MyDocManager::destroyCurrent() {
    closeView();
    document_.reset();
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
