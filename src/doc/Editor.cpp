#include "doc/Editor.h"

#include "doc/DocTemplate.h"

#include "doc/DocumentStore.h"
#include "doc/Texts.h"
#include "doc/WaitCursor.h"
#include "model/DDoc.h"
#include "model/DocumentAtExit.h"
#include "model/DocumentBackups.h"
#include "settings/Options.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace qx::doc {

namespace {
constexpr int kUntitled = 32503;

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}
} // namespace

Editor::Editor(DocumentStore& store, const Options& options, const Language& language)
    : store_(store), options_(options), language_(language), labelTexts_(language, options),
      model_(std::make_unique<DDoc>()), title_(text(language, kUntitled)) {
    model_->setlabeltexts(&labelTexts_);
    model_->setsortservers(options_.sortServersType);
}

Editor::~Editor() = default;

void Editor::leaveModelAtExit() {
    leaveDocumentAtExit(std::move(model_));
}

void Editor::setPath(const QString& path) {
    if (path != path_) {
        onDisk_ = {};
        backedUp_ = false;
    }
    path_ = path;
    const QString name = QFileInfo(path).fileName();
    title_ = name.isEmpty() ? text(language_, kUntitled) : name;
}

QString Editor::extensionOf(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {};
    for (qsizetype i = dot + 1; i < path.size(); ++i) {
        const QChar c = path[i];
        if (c == QLatin1Char('\\') || c == QLatin1Char('/') || c == QLatin1Char(':'))
            return {};
    }
    return path.mid(dot + 1);
}

bool Editor::open() {
    std::unique_ptr<DDoc> model = readFile();
    if (!model)
        return false;
    model_ = std::move(model);
    return true;
}

std::unique_ptr<DDoc> Editor::readFile() {
    WaitCursor wait;
    const QString extension = extensionOf(path_);
    // Only files the template matches (*.qxo) are read as documents: a text
    // file or an HTML page (an export, say) named on the command line, dropped
    // or listed among the recent files is not one.
    if (extension.compare(QLatin1String(DocTemplate::kDefaultExtension), Qt::CaseInsensitive) !=
        0) {
        lastResult_ = kWrongKind;
        return nullptr;
    }
    auto model = std::make_unique<DDoc>();
    model->setlabeltexts(&labelTexts_);
    // Taken before reading: a change made during the read counts as one.
    const platform::FileIdentity before = platform::identifyFile(localPath(path_));
    lastResult_ = store_.read(*model, localPath(path_));
    model->setsortservers(options_.sortServersType);
    model->sorthosts();
    if (lastResult_ != 0)
        return nullptr;
    onDisk_ = before;
    backedUp_ = false;
    return model;
}

void Editor::replaceModel(std::unique_ptr<DDoc> model) {
    // A model read elsewhere (a backup, recovered work) labels its nodes with
    // this document's texts like every model the editor reads itself.
    model->setlabeltexts(&labelTexts_);
    model_ = std::move(model);
    dirty_ = false;
    // The file's state is no later form of what the kept states led to.
    history_.clear();
}

void Editor::adoptFileOnDisk() {
    onDisk_ = platform::identifyFile(localPath(path_));
    backedUp_ = false;
}

void Editor::modelChanged() {
    dirty_ = true;
    history_.changed();
}

Editor::Change::Change(Editor& document) : document_(document) {
    document_.history_.begin(*document_.model_);
}

Editor::Change::~Change() {
    document_.history_.end();
}

bool Editor::undo() {
    std::unique_ptr<DDoc> model = history_.undo(model_->sortservers());
    if (!model)
        return false;
    model->setlabeltexts(&labelTexts_);
    model_ = std::move(model);
    dirty_ = true;
    return true;
}

void Editor::sortHosts(int order) {
    model_->setsortservers(order);
    model_->sorthosts();
}

bool Editor::save() {
    WaitCursor wait;
    const std::string path = localPath(path_);
    backupFailed_ = false;
    if (!backedUp_ && onDisk_.exists) {
        const DocumentBackups backups(
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString(),
            platform::resolvedPath(path), options_.backups);
        backupFailed_ = backups.keepCopy(QDateTime::currentMSecsSinceEpoch()) != 0;
        // One backup for each opening, whatever became of this save.
        backedUp_ = true;
    }
    lastResult_ = store_.write(*model_, path);
    if (lastResult_ != 0)
        return false;
    onDisk_ = platform::identifyFile(path);
    dirty_ = false;
    return true;
}

bool Editor::changedOnDisk() const {
    return onDisk_.exists && !platform::sameContents(platform::identifyFile(localPath(path_)), onDisk_);
}

} // namespace qx::doc
