#include "doc/RecoveryTimer.h"

#include "doc/Editor.h"
#include "doc/MyDocManager.h"
#include "lang/DocMessages.h"
#include "model/RecoveryWriter.h"
#include "platform/FileSystem.h"
#include "settings/Options.h"

#include <QFile>
#include <cstdlib>
#include <functional>
#include <unistd.h>

namespace qx::doc {

RecoveryTimer::RecoveryTimer(MyDocManager& documents, const std::string& dataHome, QObject* parent)
    : QObject(parent), documents_(documents), files_(dataHome),
      writer_(std::make_unique<RecoveryWriter>(files_)) {
    connect(&timer_, &QTimer::timeout, this, &RecoveryTimer::keep);
}

RecoveryTimer::~RecoveryTimer() = default;

int RecoveryTimer::intervalOf(const Options& options) {
    if (const char* seconds = std::getenv("QXSEEK_RECOVERY_SECONDS")) {
        const int value = std::atoi(seconds);
        if (value > 0 && value <= Options::kRecoveryMinutesRange.max * 60)
            return value * 1000;
    }
    return Options::kRecoveryMinutesRange.clamp(options.recoveryMinutes) * 60 * 1000;
}

void RecoveryTimer::setInterval(int ms) {
    if (ms <= 0) {
        timer_.stop();
        return;
    }
    // The same interval again (the options dialog said OK) keeps the count.
    if (!timer_.isActive() || timer_.interval() != ms)
        timer_.start(ms);
}

void RecoveryTimer::adopt(const std::string& document) {
    drop();
    if (RecoveryFiles::isUntitled(document))
        untitled_ = document;
    written_ = document;
    lock_.acquire(files_.fileFor(document));
}

std::string RecoveryTimer::nameOfOpenDocument() {
    const Editor& document = *documents_.document();
    if (!document.path().isEmpty())
        return platform::resolvedPath(QFile::encodeName(document.path()).toStdString());
    if (untitled_.empty())
        untitled_ =
            RecoveryFiles::untitledName(static_cast<unsigned long>(::getpid()), ++openings_);
    return untitled_;
}

void RecoveryTimer::keep() {
    Editor* document = documents_.document();
    if (!document || !document->isDirty()) {
        drop();
        return;
    }
    const std::string name = nameOfOpenDocument();
    // Saved under a new name since: the old name's file is of no use now.
    if (name != written_)
        drop();
    if (!lock_.held()) {
        platform::makeFolders(files_.folder());
        const platform::DocumentLock::State state = lock_.acquire(files_.fileFor(name));
        // The same document open in another copy of the program keeps it there.
        if (state == platform::DocumentLock::State::Busy ||
            state == platform::DocumentLock::State::OtherHost)
            return;
    }
    RecoverySnapshot snapshot;
    if (!RecoverySnapshot::take(document->model(), name, snapshot))
        return;
    const std::size_t hash = std::hash<std::string>{}(snapshot.bytes);
    if (name == written_ && hash == writtenHash_)
        return;
    reportFailure();
    written_ = name;
    writtenHash_ = hash;
    writer_->post(std::move(snapshot));
}

void RecoveryTimer::reportFailure() {
    // The earlier write is long done by the time of the next one.
    if (writer_->wait() == 0 || reported_ || !documents_.document())
        return;
    // Once for each document: the work goes on, and the box would come back
    // every few minutes.
    reported_ = true;
    documents_.postDocError(documents_.document()->title(), docmsg::RecoveryNotKept);
}

void RecoveryTimer::drop() {
    if (!written_.empty()) {
        writer_->discard(written_);
        // Removed before the lock goes, so that no other copy sees it unheld.
        writer_->wait();
        written_.clear();
        writtenHash_ = 0;
    }
    lock_.release();
}

void RecoveryTimer::documentReplaced() {
    drop();
    untitled_.clear();
    reported_ = false;
}

} // namespace qx::doc
