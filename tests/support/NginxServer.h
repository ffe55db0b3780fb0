#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace qx::test {

// A real nginx (Debian's nginx-light) serving the files of a temporary folder
// on 127.0.0.1, on free ports, from a configuration it writes itself; pid,
// logs and temporary files stay in that folder, and the server is stopped
// when this object goes. Every port serves the same files.
class NginxServer {
public:
    static constexpr const char* kBinary = "/usr/sbin/nginx";

    // Whether the binary is there; a test skips without it only when run by
    // hand (CI set: missing is a failure).
    static bool Available();

    explicit NginxServer(int ports = 1);
    ~NginxServer();
    NginxServer(const NginxServer&) = delete;
    NginxServer& operator=(const NginxServer&) = delete;

    // Whether the server listens on every port.
    bool Running() const { return pid_ > 0; }
    int Port(int i = 0) const { return ports_[static_cast<std::size_t>(i)]; }
    // "http://127.0.0.1:<port>" + path.
    std::string Url(const std::string& path, int port = 0) const;
    // A file under the served folder with its modification time (Unix seconds).
    void Put(const std::string& path, const std::string& bytes, long mtime);
    const std::string& Root() const { return root_; }

private:
    std::string folder_;
    std::string root_;
    std::vector<int> ports_;
    pid_t pid_ = -1;
};

// A loopback port that nothing listens on right now.
int FreeLoopbackPort();

} // namespace qx::test
