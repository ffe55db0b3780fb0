#pragma once

#include <atomic>
#include <cstddef>
#include <string>
#include <thread>

namespace qx::test {

// An HTTP/1.1 server on 127.0.0.1 that answers every request a fixed time
// after it arrived, with "304 Not Modified" and the connection kept: real
// latency for benchmarks on a machine whose kernel cannot add any. One thread
// and epoll hold hundreds of connections at once; more than kMaxConnections
// are refused. It stops when the object goes away, and at the latest after
// kLongestRunSeconds.
class DelayedHttpServer {
public:
    static constexpr std::size_t kMaxConnections = 1024;
    static constexpr int kLongestRunSeconds = 600;

    explicit DelayedHttpServer(int delayMs);
    ~DelayedHttpServer();
    DelayedHttpServer(const DelayedHttpServer&) = delete;
    DelayedHttpServer& operator=(const DelayedHttpServer&) = delete;

    // 0 when the server could not listen.
    int port() const { return port_; }
    std::string url(const std::string& path) const;
    std::size_t answered() const { return answered_.load(); }

private:
    void serve();

    int delayMs_;
    int listenFd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<std::size_t> answered_{0};
    std::thread thread_;
};

} // namespace qx::test
