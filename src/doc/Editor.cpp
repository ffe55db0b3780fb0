#include "doc/Editor.h"

#include "doc/DocTemplate.h"

#include "doc/DocumentStore.h"
#include "doc/Texts.h"
#include "doc/WaitCursor.h"
#include "model/DDoc.h"
#include "model/DocumentAtExit.h"
#include "settings/Options.h"

#include <QFile>
#include <QFileInfo>

namespace qx::doc {

namespace {
constexpr int kUntitled = 32503;
}

Editor::Editor(DocumentStore& store, const Options& options, const Language& language)
    : store_(store), options_(options), language_(language), model_(std::make_unique<DDoc>()),
      title_(text(language, kUntitled)) {
    model_->setsortservers(options_.sortServersType);
}

Editor::~Editor() = default;

void Editor::leaveModelAtExit() {
    leaveDocumentAtExit(std::move(model_));
}

void Editor::setPath(const QString& path) {
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
    lastResult_ = store_.read(*model, QFile::encodeName(path_).toStdString());
    model->setsortservers(options_.sortServersType);
    model->sorthosts();
    if (lastResult_ != 0)
        return nullptr;
    return model;
}

void Editor::replaceModel(std::unique_ptr<DDoc> model) {
    model_ = std::move(model);
    dirty_ = false;
    // The file's state is no later form of what the kept states led to.
    history_.clear();
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
    lastResult_ = store_.write(*model_, QFile::encodeName(path_).toStdString());
    if (lastResult_ != 0)
        return false;
    dirty_ = false;
    return true;
}

} // namespace qx::doc
