#pragma once

#include "platform/DocumentLock.h"

#include <QString>

namespace qx {
class Language;
class MessageBoxer;
} // namespace qx

namespace qx::doc {

// The lock a document open in the window holds on its file for as long as it
// is open, and whether the user chose to open it read-only because another
// program (or another computer) holds it.
class OpenLock {
public:
    enum class Outcome {
        Writable, // the lock is held, or no lock can be made (the user was warned)
        ReadOnly, // another holds it; the user chose to read it only
        Refused,  // another holds it; the user chose not to open it
    };

    OpenLock(const Language& language, MessageBoxer& boxes);

    // Takes the lock of the file at the path before it is opened, asking the
    // user when another process or computer holds it.
    Outcome open(const QString& path, const QString& title);
    // Takes the lock of the file at the path before the document is saved
    // there under a new name; false, the user told, when another holds it.
    bool takeForSaving(const QString& path, const QString& title);

    bool readOnly() const { return readOnly_; }

private:
    // The holder as the language tells it.
    std::string holder() const;

    const Language& language_;
    MessageBoxer& boxes_;
    platform::DocumentLock lock_;
    bool readOnly_ = false;
};

} // namespace qx::doc
