#include "DelayedHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <deque>
#include <unordered_map>

namespace qx::test {

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kAnswer[] = "HTTP/1.1 304 Not Modified\r\nContent-Length: 0\r\n\r\n";
// How often the loop looks at the stop flag when nothing happens.
constexpr int kTickMs = 50;

struct Connection {
    std::uint64_t id = 0; // tells a reused descriptor from the one it was
    std::string received;
};

struct Due {
    Clock::time_point at;
    int fd;
    std::uint64_t id;
};

} // namespace

DelayedHttpServer::DelayedHttpServer(int delayMs) : delayMs_(delayMs) {
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (listenFd_ < 0 || ::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), len) != 0 ||
        ::listen(listenFd_, 512) != 0 ||
        ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
        return;
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this] { serve(); });
}

DelayedHttpServer::~DelayedHttpServer() {
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
    if (listenFd_ >= 0)
        ::close(listenFd_);
}

std::string DelayedHttpServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void DelayedHttpServer::serve() {
    const int poller = ::epoll_create1(EPOLL_CLOEXEC);
    if (poller < 0)
        return;
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.fd = listenFd_;
    ::epoll_ctl(poller, EPOLL_CTL_ADD, listenFd_, &event);
    std::unordered_map<int, Connection> connections;
    // Every answer waits the same time, so the earliest is always in front.
    std::deque<Due> due;
    std::uint64_t accepted = 0;
    const auto end = Clock::now() + std::chrono::seconds(kLongestRunSeconds);
    auto drop = [&](int fd) {
        ::epoll_ctl(poller, EPOLL_CTL_DEL, fd, nullptr);
        ::close(fd);
        connections.erase(fd);
    };
    epoll_event ready[64];
    while (!stop_ && Clock::now() < end) {
        int waitMs = kTickMs;
        if (!due.empty()) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(due.front().at - Clock::now())
                    .count();
            waitMs = static_cast<int>(std::max<long long>(0, std::min<long long>(left, kTickMs)));
        }
        const int n = ::epoll_wait(poller, ready, 64, waitMs);
        for (int i = 0; i < n; ++i) {
            const int fd = ready[i].data.fd;
            if (fd == listenFd_) {
                for (int client; (client = ::accept4(listenFd_, nullptr, nullptr,
                                                     SOCK_NONBLOCK | SOCK_CLOEXEC)) >= 0;) {
                    if (connections.size() >= kMaxConnections) {
                        ::close(client);
                        continue;
                    }
                    epoll_event in{};
                    in.events = EPOLLIN | EPOLLRDHUP;
                    in.data.fd = client;
                    ::epoll_ctl(poller, EPOLL_CTL_ADD, client, &in);
                    connections[client].id = ++accepted;
                }
                continue;
            }
            char block[4096];
            const ssize_t got = ::recv(fd, block, sizeof block, 0);
            if (got <= 0) {
                drop(fd);
                continue;
            }
            Connection& connection = connections[fd];
            std::string& received = connection.received;
            received.append(block, static_cast<std::size_t>(got));
            // One answer per complete request head; bodies are not expected.
            for (std::size_t head; (head = received.find("\r\n\r\n")) != std::string::npos;) {
                received.erase(0, head + 4);
                due.push_back(
                    {Clock::now() + std::chrono::milliseconds(delayMs_), fd, connection.id});
            }
        }
        const auto now = Clock::now();
        while (!due.empty() && due.front().at <= now) {
            const Due answer = due.front();
            due.pop_front();
            const auto it = connections.find(answer.fd);
            if (it == connections.end() || it->second.id != answer.id)
                continue; // closed meanwhile
            const int fd = answer.fd;
            // The answer is small: the socket buffer of a fresh connection
            // always takes it whole.
            if (::send(fd, kAnswer, sizeof kAnswer - 1, MSG_NOSIGNAL) < 0)
                drop(fd);
            else
                ++answered_;
        }
    }
    for (auto& [fd, connection] : connections)
        ::close(fd);
    ::close(poller);
}

} // namespace qx::test
