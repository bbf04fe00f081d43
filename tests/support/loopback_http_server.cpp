#include "loopback_http_server.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "platform/handles.h"

namespace testing_support {

namespace {

struct SocketTraits {
    using Value = SOCKET;
    static Value invalid() noexcept { return INVALID_SOCKET; }
    static bool valid(Value v) noexcept { return v != INVALID_SOCKET; }
    static void close(Value v) noexcept { ::closesocket(v); }
};
using UniqueSocket = platform::Owner<SocketTraits>;

constexpr size_t kMaxHead = 64 * 1024;

}  // namespace

CannedResponse Respond(int status, std::string body, std::string contentType) {
    static const std::map<int, std::string> reasons = {
        {200, "OK"}, {302, "Found"}, {404, "Not Found"}, {410, "Gone"}, {500, "Internal Server Error"}};
    const auto reason = reasons.find(status);
    return {status, reason == reasons.end() ? "Status" : reason->second, std::move(contentType), std::move(body), 0,
            {}};
}

struct LoopbackHttpServer::State {
    WSADATA wsa{};
    bool wsaStarted = false;
    UniqueSocket listener;
    int port = 0;
    std::atomic<bool> stop{false};
    mutable std::mutex mutex;
    std::map<std::string, CannedResponse> responses;
    std::vector<RecordedRequest> requests;
    std::vector<std::string> foreign;
    std::thread thread;

    void Run() {
        while (!stop) {
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(listener.get(), &readable);
            timeval wait{0, 50 * 1000};
            if (::select(0, &readable, nullptr, nullptr, &wait) <= 0) continue;
            UniqueSocket client(::accept(listener.get(), nullptr, nullptr));
            if (client) Answer(client.get());
        }
    }

    void Answer(SOCKET client) {
        DWORD timeoutMs = 2000;
        ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs), sizeof(timeoutMs));
        std::string head;
        char buffer[4096];
        while (head.find("\r\n\r\n") == std::string::npos && head.size() < kMaxHead) {
            const int n = ::recv(client, buffer, sizeof(buffer), 0);
            if (n <= 0) break;
            head.append(buffer, static_cast<size_t>(n));
            // A client that does not speak HTTP (a TLS hello) will not send
            // the blank line: its first bytes are enough.
            if (head.size() >= 5 && head.compare(0, 4, "GET ") != 0 && head.compare(0, 5, "HEAD ") != 0) break;
        }
        const size_t lineEnd = head.find("\r\n");
        const size_t firstSpace = head.find(' ');
        const size_t secondSpace = firstSpace == std::string::npos ? std::string::npos : head.find(' ', firstSpace + 1);
        if (lineEnd == std::string::npos || secondSpace == std::string::npos || secondSpace > lineEnd ||
            head.compare(secondSpace + 1, 5, "HTTP/") != 0) {
            std::lock_guard lock(mutex);
            foreign.push_back(head);
            return;
        }
        RecordedRequest request{head.substr(0, firstSpace), head.substr(firstSpace + 1, secondSpace - firstSpace - 1),
                                head.substr(0, head.find("\r\n\r\n"))};
        CannedResponse response;
        {
            std::lock_guard lock(mutex);
            requests.push_back(request);
            const auto found = responses.find(request.target);
            response = found != responses.end()
                           ? found->second
                           : Respond(404, "<html><body><h1>404 Not Found</h1></body></html>", "text/html");
        }
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(response.delayMs);
        while (!stop && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (stop) return;
        std::string answer = "HTTP/1.1 " + std::to_string(response.status) + " " + response.reason +
                             "\r\nContent-Type: " + response.contentType +
                             "\r\nContent-Length: " + std::to_string(response.body.size()) + "\r\n" +
                             response.extraHeaders + "Connection: close\r\n\r\n";
        if (request.method != "HEAD") answer += response.body;
        size_t sent = 0;
        while (sent < answer.size()) {
            const int n = ::send(client, answer.data() + sent, static_cast<int>(answer.size() - sent), 0);
            if (n <= 0) break;
            sent += static_cast<size_t>(n);
        }
        ::shutdown(client, SD_SEND);
        timeoutMs = 300;
        ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs), sizeof(timeoutMs));
        // Let the client read to the end before the socket closes.
        while (::recv(client, buffer, sizeof(buffer), 0) > 0) {
        }
    }
};

LoopbackHttpServer::LoopbackHttpServer() : state_(std::make_unique<State>()) {
    State& s = *state_;
    if (::WSAStartup(MAKEWORD(2, 2), &s.wsa) != 0) throw std::runtime_error("WSAStartup failed");
    s.wsaStarted = true;
    s.listener.reset(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int length = sizeof(address);
    if (!s.listener || ::bind(s.listener.get(), reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(s.listener.get(), 8) != 0 ||
        ::getsockname(s.listener.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        s.listener.reset();
        ::WSACleanup();
        throw std::runtime_error("the loopback server cannot listen");
    }
    s.port = ntohs(address.sin_port);
    s.thread = std::thread([&s] { s.Run(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    state_->stop = true;
    if (state_->thread.joinable()) state_->thread.join();
    state_->listener.reset();
    if (state_->wsaStarted) ::WSACleanup();
}

int LoopbackHttpServer::port() const { return state_->port; }

std::string LoopbackHttpServer::base() const { return "http://127.0.0.1:" + std::to_string(state_->port); }

void LoopbackHttpServer::Serve(const std::string& target, CannedResponse response) {
    std::lock_guard lock(state_->mutex);
    state_->responses[target] = std::move(response);
}

std::vector<RecordedRequest> LoopbackHttpServer::Requests() const {
    std::lock_guard lock(state_->mutex);
    return state_->requests;
}

std::vector<std::string> LoopbackHttpServer::ForeignConnections() const {
    std::lock_guard lock(state_->mutex);
    return state_->foreign;
}

}  // namespace testing_support
