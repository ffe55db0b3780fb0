#pragma once

#include "platform/SystemError.h"

#include <string>
#include <vector>

namespace qx {

class DDoc;

// A document's unsaved state, as the bytes of a document file, and the path
// of the document it belongs to.
struct RecoverySnapshot {
    std::string document;
    std::string bytes;

    // Serializes the document into memory. To be called on the thread that
    // changes the document, so that it is never read while it changes; the
    // snapshot can then be written anywhere. False when the document could
    // not be written.
    static bool take(DDoc& doc, const std::string& document, RecoverySnapshot& snapshot);
};

// The recovery files of unsaved work in DATA/qxseek/recovery/: for each
// document a normal document file <documentKey>.qxo and beside it
// <documentKey>.qxo.path holding the document's full path.
class RecoveryFiles {
public:
    struct Entry {
        std::string file;     // the recovery document file
        std::string document; // the document it recovers; empty when unreadable
    };

    explicit RecoveryFiles(const std::string& dataHome);

    // An untitled document has no path: its recovery names it by one that no
    // file has, unique to the process and the opening, so that two untitled
    // documents never share a recovery file.
    static std::string untitledName(unsigned long process, unsigned long opening);
    static bool isUntitled(const std::string& document);

    const std::string& folder() const { return folder_; }
    std::string fileFor(const std::string& document) const;

    // Replaces the document's recovery file atomically: 0, or the error with
    // the earlier recovery file (if any) intact and no partial file left.
    platform::SysError write(const RecoverySnapshot& snapshot) const;
    // Every recovery file found, oldest name first.
    std::vector<Entry> list() const;
    // Removes the document's recovery file (a normal close, a restore taken).
    void remove(const std::string& document) const;
    // Renames an entry that cannot be read out of the list ("NAME.qxo.unreadable"),
    // so that it is never offered again and still there for a person to look at.
    void setAside(const Entry& entry) const;

private:
    std::string folder_;
};

} // namespace qx
