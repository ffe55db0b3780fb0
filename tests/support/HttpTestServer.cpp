#include "HttpTestServer.h"

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <strings.h>
#include <thread>

namespace qx::test {

namespace {
constexpr std::size_t kGeneratedChunk = 64 * 1024;

const std::string& generatedBlock() {
    static const std::string block = [] {
        std::string b(kGeneratedChunk, '\0');
        for (std::size_t i = 0; i < b.size(); ++i)
            b[i] = HttpTestServer::generatedByte(i);
        return b;
    }();
    return block;
}
} // namespace

std::string HttpTestServer::Request::header(const std::string& name) const {
    for (const auto& [key, value] : headers)
        if (::strcasecmp(key.c_str(), name.c_str()) == 0)
            return value;
    return {};
}

bool HttpTestServer::Request::hasHeader(const std::string& name) const {
    return std::any_of(headers.begin(), headers.end(), [&](const auto& h) {
        return ::strcasecmp(h.first.c_str(), name.c_str()) == 0;
    });
}

char HttpTestServer::generatedByte(std::size_t i) {
    // Period 64 KiB, so that the block above repeats seamlessly.
    return static_cast<char>('a' + (i % kGeneratedChunk) % 26);
}

// What the server's threads share with the test object, which may be gone
// before they are.
struct HttpTestServer::State {
    std::atomic<bool> stopping{false};
    std::atomic<std::size_t> answered{0};
    std::mutex lock;
    std::vector<Request> requests; // guarded by lock

    bool sleepUnlessStopping(int ms) const {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end) {
            if (stopping)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return !stopping;
    }
};

HttpTestServer::HttpTestServer()
    : state_(std::make_shared<State>()), server_(std::make_shared<httplib::Server>()) {
    server_->new_task_queue = [] { return new httplib::ThreadPool(8); };
    // An idle kept-alive connection keeps the server's threads this long
    // after the stop (the test does not wait for them).
    server_->set_keep_alive_timeout(1);
    // Head and body go out in separate writes; without this the client's
    // delayed acknowledgement stalls every small answer.
    server_->set_tcp_nodelay(true);
    // Called once an answer is written out.
    server_->set_logger(
        [state = state_](const httplib::Request&, const httplib::Response&) { ++state->answered; });
    port_ = server_->bind_to_any_port("127.0.0.1");
    // The thread owns the server too, and deletes it when its last
    // connection is gone.
    std::thread([server = server_] { server->listen_after_bind(); }).detach();
    // A stop before the loop runs would be lost.
    while (!server_->is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

HttpTestServer::~HttpTestServer() {
    state_->stopping = true;
    server_->stop();
}

std::size_t HttpTestServer::answered() const {
    return state_->answered.load();
}

void HttpTestServer::on(const std::string& path, Reply reply) {
    serve(path, [reply](const Request&) { return reply; });
}

void HttpTestServer::on(const std::string& path, Handler handler) {
    serve(path, std::move(handler));
}

void HttpTestServer::redirect(const std::string& path, const std::string& location, int status) {
    Reply reply;
    reply.status = status;
    reply.headers.emplace_back("Location", location);
    reply.body = "moved";
    on(path, reply);
}

std::string HttpTestServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<HttpTestServer::Request> HttpTestServer::requests() const {
    std::lock_guard guard(state_->lock);
    return state_->requests;
}

void HttpTestServer::serve(const std::string& path, Handler handler) {
    // Patterns are regular expressions: quote the path's special characters.
    std::string pattern;
    for (char c : path) {
        if (std::string_view(".^$|()[]{}*+?\\").find(c) != std::string_view::npos)
            pattern += '\\';
        pattern += c;
    }
    auto route = [state = state_, handler](const httplib::Request& in, httplib::Response& out) {
        Request request;
        request.method = in.method;
        request.target = in.target;
        request.remotePort = in.remote_port;
        for (const auto& [key, value] : in.headers)
            request.headers.emplace_back(key, value);
        {
            std::lock_guard guard(state->lock);
            state->requests.push_back(request);
        }
        const Reply reply = handler(request);
        if (reply.delayMs > 0 && !state->sleepUnlessStopping(reply.delayMs))
            return;
        out.status = reply.status;
        for (const auto& [key, value] : reply.headers)
            out.set_header(key, value);
        if (reply.endless) {
            out.set_chunked_content_provider(
                reply.contentType, [state](std::size_t, httplib::DataSink& sink) {
                    return !state->stopping && sink.write(generatedBlock().data(), kGeneratedChunk);
                });
        } else if (reply.generatedBytes > 0) {
            out.set_content_provider(
                reply.generatedBytes, reply.contentType,
                [state](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                    const std::size_t start = offset % kGeneratedChunk;
                    const std::size_t n = std::min(length, kGeneratedChunk - start);
                    return !state->stopping && sink.write(generatedBlock().data() + start, n);
                });
        } else if (reply.status != 304 && reply.status != 204) {
            // Those two answers have no body; one sent anyway would be read
            // as the next answer on the connection.
            out.set_content(reply.body, reply.contentType);
        }
    };
    server_->Get(pattern, route);
    server_->Post(pattern, route);
    server_->Put(pattern, route);
    server_->Delete(pattern, route);
    server_->Options(pattern, route);
}

} // namespace qx::test
