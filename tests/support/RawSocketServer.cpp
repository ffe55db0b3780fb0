#include "RawSocketServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace qx::test {

namespace {
constexpr int kRequestWaitMs = 5000;

// Waits for the fd to become readable or the stop event to be set; true for
// the fd.
bool waitReadable(int fd, const platform::Event& stop, int timeoutMs) {
    pollfd fds[2] = {{fd, POLLIN, 0}, {stop.fd(), POLLIN, 0}};
    return ::poll(fds, 2, timeoutMs) > 0 && (fds[1].revents & POLLIN) == 0 &&
           (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0;
}
} // namespace

std::string RawSocketServer::Connection::readRequest() {
    std::string head;
    char buf[4096];
    while (head.find("\r\n\r\n") == std::string::npos &&
           waitReadable(fd_, server_.stop_, kRequestWaitMs)) {
        const ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
        if (n <= 0)
            break;
        head.append(buf, static_cast<std::size_t>(n));
    }
    std::lock_guard guard(server_.lock_);
    server_.requests_.push_back(head);
    return head;
}

bool RawSocketServer::Connection::send(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void RawSocketServer::Connection::reset() {
    linger hard{1, 0};
    ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    reset_ = true;
}

void RawSocketServer::Connection::hold() {
    server_.stop_.wait(platform::kInfinite);
}

bool RawSocketServer::Connection::pause(int ms) {
    return !server_.stop_.wait(ms);
}

RawSocketServer::RawSocketServer(Script script) : script_(std::move(script)) {
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof addr;
    if (listenFd_ < 0 || ::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), len) != 0 ||
        ::listen(listenFd_, 64) != 0 ||
        ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
        return; // port stays 0: connections fail, and the test with them
    port_ = ntohs(addr.sin_port);
    acceptor_ = std::thread([this] { acceptLoop(); });
}

RawSocketServer::~RawSocketServer() {
    stop_.set();
    if (acceptor_.joinable())
        acceptor_.join();
    for (auto& t : connections_)
        t.join();
    if (listenFd_ >= 0)
        ::close(listenFd_);
}

void RawSocketServer::acceptLoop() {
    while (waitReadable(listenFd_, stop_, platform::kInfinite)) {
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        connections_.emplace_back([this, fd] {
            Connection connection(*this, fd);
            script_(connection);
            if (!connection.reset_)
                ::shutdown(fd, SHUT_WR);
            ::close(fd);
        });
    }
}

RawSocketServer::Script RawSocketServer::replyWith(std::string bytes) {
    return [bytes](Connection& c) {
        c.readRequest();
        c.send(bytes);
    };
}

RawSocketServer::Script RawSocketServer::replyThenReset(std::string bytes) {
    return [bytes](Connection& c) {
        c.readRequest();
        c.send(bytes);
        c.pause(50); // let the bytes leave before the reset overtakes them
        c.reset();
    };
}

RawSocketServer::Script RawSocketServer::silent() {
    return [](Connection& c) {
        c.readRequest();
        c.hold();
    };
}

std::string RawSocketServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> RawSocketServer::requests() const {
    std::lock_guard guard(lock_);
    return requests_;
}

} // namespace qx::test
