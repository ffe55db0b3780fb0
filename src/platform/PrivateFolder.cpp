#include "platform/PrivateFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace qx::platform {

PrivateFolder::PrivateFolder(const char* prefix) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + prefix + "XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()))
        path_ = name.data();
    else
        error_ = setLastErrorFromErrno();
}

PrivateFolder::~PrivateFolder() {
    if (path_.empty())
        return;
    // Only files are put here; whatever the program left goes with it.
    if (DIR* dir = ::opendir(path_.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                ::unlink((path_ + "/" + entry->d_name).c_str());
        }
        ::closedir(dir);
    }
    ::rmdir(path_.c_str());
}

SysError copyFile(const std::string& from, const std::string& to) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return setLastErrorFromErrno();
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (out < 0) {
        const SysError error = setLastErrorFromErrno();
        ::close(in);
        return error;
    }
    SysError error = 0;
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            if (got < 0)
                error = setLastErrorFromErrno();
            break;
        }
        for (ssize_t done = 0; done < got && error == 0;) {
            const ssize_t put =
                ::write(out, buffer.data() + done, static_cast<std::size_t>(got - done));
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0)
                error = put < 0 ? setLastErrorFromErrno() : err::DiskFull;
            else
                done += put;
        }
        if (error != 0)
            break;
    }
    if (::close(out) != 0 && error == 0)
        error = setLastErrorFromErrno();
    ::close(in);
    return error;
}

} // namespace qx::platform
