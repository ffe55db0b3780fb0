#include "doc/DocumentWatch.h"

#include <QFile>
#include <QFileInfo>

namespace qx::doc {

namespace {
platform::FileIdentity identify(const QString& path) {
    return platform::identifyFile(QFile::encodeName(path).toStdString());
}
} // namespace

DocumentWatch::DocumentWatch(QObject* parent) : QObject(parent) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, &DocumentWatch::look);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, &settle_, qOverload<>(&QTimer::start));
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_,
            qOverload<>(&QTimer::start));
}

void DocumentWatch::watch(const QString& path) {
    settle_.stop();
    if (const QStringList watched = watcher_.files() + watcher_.directories(); !watched.isEmpty())
        watcher_.removePaths(watched);
    path_ = path;
    known_ = identify(path);
    if (!path_.isEmpty())
        rearm();
}

void DocumentWatch::written() {
    known_ = identify(path_);
    rearm();
}

void DocumentWatch::rearm() {
    const QString folder = QFileInfo(path_).absolutePath();
    if (!watcher_.directories().contains(folder))
        watcher_.addPath(folder);
    // The file watched before was replaced or removed: watch the one there now.
    if (!watcher_.files().isEmpty())
        watcher_.removePaths(watcher_.files());
    if (QFileInfo(path_).isFile())
        watcher_.addPath(path_);
}

void DocumentWatch::look() {
    if (path_.isEmpty())
        return;
    rearm();
    const platform::FileIdentity now = identify(path_);
    if (platform::sameContents(now, known_))
        return;
    known_ = now;
    emit changed();
}

} // namespace qx::doc
