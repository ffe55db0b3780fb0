#pragma once

#include "platform/FileSystem.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace qx::doc {

// Watches the file of the open document for changes made by others. The
// folder is watched with the file: a save that replaces the file (a temporary
// file renamed over it, as this program, the command-line tool and sync tools
// write) leaves a watch on the file itself watching nothing. A burst of
// notices is looked at once, after a moment's quiet.
class DocumentWatch : public QObject {
    Q_OBJECT
public:
    // How long the notices of one write are gathered, in milliseconds.
    static constexpr int kSettleMs = 150;

    explicit DocumentWatch(QObject* parent = nullptr);

    // Watches the file at the path from now on, its state now taken as known;
    // an empty path watches nothing.
    void watch(const QString& path);
    // The file was written here: its new state is known, and the watch is
    // set on the file that replaced the old one.
    void written();

signals:
    // The file is no longer as last known: written, replaced or removed by
    // another program. Its new state is known from then on, so one change is
    // told once.
    void changed();

private:
    void look();
    void rearm();

    QFileSystemWatcher watcher_;
    QTimer settle_;
    QString path_;
    platform::FileIdentity known_;
};

} // namespace qx::doc
