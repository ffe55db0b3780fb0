#pragma once

#include "platform/Event.h"

#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace qx::test {

// A TCP server on 127.0.0.1 and a free port for replies no well-behaved HTTP
// server gives: a script runs for every accepted connection and writes raw
// bytes, cuts the connection short, resets it or never answers. The server
// stops (and every connection is closed) when the object goes away.
class RawSocketServer {
public:
    class Connection {
    public:
        // Reads the request head (up to the blank line, or what came before
        // the peer stopped sending); it is also recorded on the server.
        std::string readRequest();
        bool send(std::string_view bytes);
        // Closes with a reset instead of an orderly end.
        void reset();
        // Waits until the server stops; the connection stays open and silent.
        void hold();
        // Waits up to ms; false when the server is stopping.
        bool pause(int ms);

    private:
        friend class RawSocketServer;
        Connection(RawSocketServer& server, int fd) : server_(server), fd_(fd) {}
        RawSocketServer& server_;
        int fd_;
        bool reset_ = false;
    };
    using Script = std::function<void(Connection&)>;

    explicit RawSocketServer(Script script);
    ~RawSocketServer();
    RawSocketServer(const RawSocketServer&) = delete;
    RawSocketServer& operator=(const RawSocketServer&) = delete;

    // Scripts for the usual cases: read the request, then send the bytes
    // and close (or reset, or never answer at all).
    static Script replyWith(std::string bytes);
    static Script replyThenReset(std::string bytes);
    static Script silent();

    int port() const { return port_; }
    std::string url(const std::string& path) const;
    // The request heads read so far, oldest first.
    std::vector<std::string> requests() const;

private:
    void acceptLoop();

    Script script_;
    int listenFd_ = -1;
    int port_ = 0;
    platform::Event stop_;
    std::thread acceptor_;
    std::vector<std::thread> connections_; // only the acceptor touches it
    mutable std::mutex lock_;
    std::vector<std::string> requests_; // guarded by lock_
};

} // namespace qx::test
