#include "platform/DocumentLock.h"

#include "platform/FileSystem.h"

#include <cerrno>
#include <charconv>
#include <ctime>
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace qx::platform {

namespace {

// Only so much of a lock file is read: one line is all it ever holds.
constexpr std::size_t kMaxLockText = 1024;
// Rounds of open, lock and re-check before giving up on a lock file that
// keeps being replaced under us.
constexpr int kAttempts = 20;

// A word of the lock line: blanks and controls would split it.
std::string word(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) <= ' ')
            c = '_';
    return text.empty() ? std::string("?") : text;
}

LockOwner readOwner(int fd) {
    std::string text(kMaxLockText, '\0');
    const ssize_t n = ::pread(fd, text.data(), text.size(), 0);
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return LockOwner::parse(text);
}

bool sameFile(int fd, const std::string& path) {
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::stat(path.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

bool processAlive(std::uint32_t pid) {
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

bool writeOwner(int fd, const LockOwner& owner) {
    const std::string line = owner.line();
    return ::ftruncate(fd, 0) == 0 &&
           ::pwrite(fd, line.data(), line.size(), 0) == static_cast<ssize_t>(line.size());
}

} // namespace

std::string LockOwner::describe() const {
    if (!known)
        return "another program";
    return user + " on " + host + ", process " + std::to_string(pid) + ", since " + since;
}

std::string LockOwner::line() const {
    return word(host) + ' ' + word(user) + ' ' + std::to_string(pid) + ' ' + word(since) + '\n';
}

LockOwner LockOwner::parse(std::string_view text) {
    LockOwner owner;
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos)
        return owner;
    text = text.substr(0, end);
    std::vector<std::string_view> words;
    while (!text.empty() && words.size() <= 4) {
        const std::size_t blank = text.find(' ');
        words.push_back(text.substr(0, blank));
        text = blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
    }
    if (words.size() != 4)
        return owner;
    for (std::string_view w : words)
        if (w.empty())
            return owner;
    const std::string_view pid = words[2];
    const auto [last, error] = std::from_chars(pid.data(), pid.data() + pid.size(), owner.pid);
    if (error != std::errc() || last != pid.data() + pid.size() || owner.pid == 0)
        return LockOwner();
    owner.host = words[0];
    owner.user = words[1];
    owner.since = words[3];
    owner.known = true;
    return owner;
}

DocumentLock::~DocumentLock() {
    release();
}

std::string DocumentLock::pathFor(const std::string& document) {
    return resolvedPath(document) + ".lock";
}

LockOwner DocumentLock::self() {
    LockOwner me;
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) != 0)
        host[0] = '\0';
    me.host = word(host);
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    const uid_t uid = ::geteuid();
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        me.user = word(found->pw_name);
    else
        me.user = "uid" + std::to_string(uid);
    me.pid = processId();
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    char since[32] = {};
    ::gmtime_r(&now, &utc);
    std::strftime(since, sizeof since, "%Y-%m-%dT%H:%M:%SZ", &utc);
    me.since = since;
    me.known = true;
    return me;
}

DocumentLock::State DocumentLock::acquire(const std::string& document, bool takeOverOtherHost) {
    release();
    owner_ = LockOwner();
    error_ = 0;
    path_ = pathFor(document);
    const LockOwner me = self();
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd < 0) {
            error_ = setLastErrorFromErrno();
            return State::Unprotected;
        }
        bool flocked = true;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK) {
                owner_ = readOwner(fd);
                ::close(fd);
                return State::Busy;
            }
            // A file system without flock: the line alone says who holds it.
            flocked = false;
        }
        // The holder may have removed the file between our open and our flock:
        // then we hold a lock on a file nobody else will look at.
        if (!sameFile(fd, path_)) {
            ::close(fd);
            continue;
        }
        const LockOwner found = readOwner(fd);
        if (found.known && found.host != me.host && !takeOverOtherHost) {
            owner_ = found;
            ::close(fd);
            return State::OtherHost;
        }
        if (!flocked && found.known && found.host == me.host && found.pid != me.pid &&
            processAlive(found.pid)) {
            owner_ = found;
            ::close(fd);
            return State::Busy;
        }
        if (!writeOwner(fd, me)) {
            error_ = setLastErrorFromErrno();
            ::unlink(path_.c_str());
            ::close(fd);
            return State::Unprotected;
        }
        fd_ = fd;
        owner_ = me;
        return State::Held;
    }
    error_ = err::SharingViolation;
    setLastError(error_);
    return State::Unprotected;
}

void DocumentLock::release() {
    if (fd_ < 0)
        return;
    if (sameFile(fd_, path_))
        ::unlink(path_.c_str());
    ::close(fd_);
    fd_ = -1;
}

} // namespace qx::platform
