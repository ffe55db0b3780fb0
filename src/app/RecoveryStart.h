#pragma once

#include <string>

class QWidget;

namespace qx {
class Language;
struct Options;
} // namespace qx

namespace qx::doc {
class DocumentStore;
class MyDocManager;
class UserDialogs;
class RecoveryTimer;
} // namespace qx::doc

namespace qx::app {

// At start: offers the unsaved work that an earlier run left in recovery
// files when it did not end normally. Work whose document another running
// copy has open is left to that copy; a file that cannot be read is set aside
// with a message.
class RecoveryStart {
public:
    RecoveryStart(doc::MyDocManager& documents, doc::RecoveryTimer& timer,
                  doc::DocumentStore& store, const Options& options, const Language& language,
                  doc::UserDialogs& dialogs);

    // Asks when there is work to restore; true when a document was restored,
    // which then goes on in the same recovery file.
    bool offer(QWidget* window);

private:
    doc::MyDocManager& documents_;
    doc::RecoveryTimer& timer_;
    doc::DocumentStore& store_;
    const Options& options_;
    const Language& language_;
    doc::UserDialogs& dialogs_;
};

} // namespace qx::app
