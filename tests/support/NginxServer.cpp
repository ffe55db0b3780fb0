#include "NginxServer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace qx::test {

namespace {

sockaddr_in loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

bool listening(int port) {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0)
        return false;
    const sockaddr_in address = loopback(port);
    const bool ok = ::connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(s);
    return ok;
}

void makedirs(const std::string& path) {
    for (std::string::size_type slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0700);
    ::mkdir(path.c_str(), 0700);
}

} // namespace

int FreeLoopbackPort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(s);
    return port;
}

bool NginxServer::Available() {
    return ::access(kBinary, X_OK) == 0;
}

NginxServer::NginxServer(int ports) {
    char pattern[] = "/tmp/qx-nginx-XXXXXX";
    if (!::mkdtemp(pattern))
        return;
    folder_ = pattern;
    root_ = folder_ + "/www";
    makedirs(root_);
    makedirs(folder_ + "/tmp");
    std::string listen;
    for (int i = 0; i < ports; ++i) {
        ports_.push_back(FreeLoopbackPort());
        listen += "    listen 127.0.0.1:" + std::to_string(ports_.back()) + ";\n";
    }
    const std::string t = folder_ + "/tmp/";
    std::ofstream(folder_ + "/nginx.conf")
        << "daemon off;\nmaster_process off;\nworker_processes 1;\n"
        << "pid " << folder_ << "/nginx.pid;\nerror_log " << folder_ << "/error.log;\n"
        << "events { worker_connections 1024; }\n"
        << "http {\n  access_log off;\n  client_body_temp_path " << t << "body;\n"
        << "  proxy_temp_path " << t << "proxy;\n  fastcgi_temp_path " << t << "fastcgi;\n"
        << "  uwsgi_temp_path " << t << "uwsgi;\n  scgi_temp_path " << t << "scgi;\n"
        << "  keepalive_requests 100000;\n  default_type text/html;\n"
        << "  server {\n"
        << listen << "    root " << root_ << ";\n"
        << "    location = /moved { return 301 /index.html; }\n"
        << "    location = /fails { return 500; }\n"
        << "  }\n}\n";
    pid_ = ::fork();
    if (pid_ == 0) {
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execl(kBinary, kBinary, "-p", folder_.c_str(), "-c", (folder_ + "/nginx.conf").c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (int port : ports_) {
        while (!listening(port)) {
            int status = 0;
            if (pid_ < 0 || ::waitpid(pid_, &status, WNOHANG) == pid_ ||
                std::chrono::steady_clock::now() > until) {
                pid_ = -1;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
}

NginxServer::~NginxServer() {
    if (pid_ > 0) {
        ::kill(pid_, SIGQUIT);
        int status = 0;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (::waitpid(pid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > until) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    std::error_code ignored;
    if (!folder_.empty())
        std::filesystem::remove_all(folder_, ignored);
}

std::string NginxServer::Url(const std::string& path, int port) const {
    return "http://127.0.0.1:" + std::to_string(Port(port)) + path;
}

void NginxServer::Put(const std::string& path, const std::string& bytes, long mtime) {
    const std::string file = root_ + path;
    makedirs(file.substr(0, file.rfind('/')));
    std::ofstream(file, std::ios::binary) << bytes;
    const timespec times[2] = {{mtime, 0}, {mtime, 0}};
    ::utimensat(AT_FDCWD, file.c_str(), times, 0);
}

} // namespace qx::test
