#pragma once

#include "model/RecoveryFiles.h"
#include "platform/DocumentLock.h"

#include <QObject>
#include <QTimer>
#include <memory>
#include <string>

namespace qx {
class RecoveryWriter;
struct Options;
} // namespace qx

namespace qx::doc {

class MyDocManager;

// Keeps the open document's unsaved work in a recovery file every so often,
// so that a crash loses minutes at most. The snapshot is taken here, on the
// interface thread that changes the document; the writing happens on a worker.
// A recovery file is held by a lock beside it while its document is open, so
// that another running copy never offers it for restoring.
class RecoveryTimer : public QObject {
    Q_OBJECT
public:
    RecoveryTimer(MyDocManager& documents, const std::string& dataHome, QObject* parent = nullptr);
    ~RecoveryTimer() override;

    // The time between two keepings the options ask for, in milliseconds; 0
    // when never. QXSEEK_RECOVERY_SECONDS in the environment counts instead
    // when it holds a positive number, so that a test need not wait minutes.
    static int intervalOf(const Options& options);
    void setInterval(int ms);

    // The open document goes on from an earlier run's recovery file (it was
    // restored from it): its next keeping replaces that file, and its save or
    // close removes it.
    void adopt(const std::string& document);
    // Writes the open document's unsaved work now, when it has any that was
    // not written yet; removes the recovery file when it has none.
    void keep();
    // The open document was saved or is closing: its recovery file goes.
    void drop();
    // Another document took the place of the open one.
    void documentReplaced();

    const RecoveryFiles& files() const { return files_; }

private:
    std::string nameOfOpenDocument();
    void reportFailure();

    MyDocManager& documents_;
    RecoveryFiles files_;
    std::unique_ptr<RecoveryWriter> writer_;
    QTimer timer_;
    // The document whose recovery file was written, and the lock on that file.
    std::string written_;
    platform::DocumentLock lock_;
    std::size_t writtenHash_ = 0;
    // The name standing for the open document while it has no path.
    std::string untitled_;
    unsigned long openings_ = 0;
    bool reported_ = false;
};

} // namespace qx::doc
