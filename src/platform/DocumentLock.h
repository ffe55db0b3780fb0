#pragma once

#include "platform/SystemError.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qx::platform {

// Who holds a document: the one line of its lock file.
struct LockOwner {
    std::string host;
    std::string user;
    std::uint32_t pid = 0;
    std::string since; // when the lock was taken, UTC, ISO 8601
    // False when the lock file said nothing that could be read.
    bool known = false;

    // "user on host, process pid, since time", or "another program" when
    // unknown.
    std::string describe() const;
    std::string line() const;
    // The owner a lock file's text names; known false for anything else.
    static LockOwner parse(std::string_view text);
};

// The lock file beside an open document (NAME.qxo.lock), holding an advisory
// flock for as long as the object holds it. The flock decides who holds the
// document on this machine; the line in the file tells a second opener who it
// is, and stands in for the flock where the file is shared with another
// machine that cannot see it (a sync folder).
class DocumentLock {
public:
    enum class State {
        Held,        // this object holds the lock
        Busy,        // another process holds the flock; owner() says who
        OtherHost,   // the file names a holder on another machine
        Unprotected, // no lock file can be made here; error() says why
    };

    DocumentLock() = default;
    // Removes the lock file when held.
    ~DocumentLock();
    DocumentLock(const DocumentLock&) = delete;
    DocumentLock& operator=(const DocumentLock&) = delete;

    // The lock file of a document (links followed to the document).
    static std::string pathFor(const std::string& document);

    // Tries to take the lock of a document. A lock left by a process that is
    // gone (its flock free, same host, or nothing readable in it) is taken
    // over; a lock naming another host only when takeOverOtherHost.
    State acquire(const std::string& document, bool takeOverOtherHost = false);
    // Gives the lock up: the file is removed while still locked, so a waiting
    // opener finds it gone and makes a fresh one.
    void release();

    bool held() const { return fd_ >= 0; }
    const LockOwner& owner() const { return owner_; }
    SysError error() const { return error_; }

    // This process as a lock file names it.
    static LockOwner self();

private:
    int fd_ = -1;
    std::string path_;
    LockOwner owner_;
    SysError error_ = 0;
};

} // namespace qx::platform
