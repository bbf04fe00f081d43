#include "loopback_http_server.h"

#include <winsock2.h>

#include <atomic>
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

void SetReceiveLimit(SOCKET socket, DWORD milliseconds) {
    ::setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&milliseconds), sizeof(milliseconds));
}

}  // namespace

struct LoopbackHttpServer::State {
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
        SetReceiveLimit(client, 2000);
        std::string head;
        char buffer[4096];
        while (head.find("\r\n\r\n") == std::string::npos && head.size() < 64 * 1024) {
            const int n = ::recv(client, buffer, sizeof(buffer), 0);
            if (n <= 0) break;
            head.append(buffer, static_cast<size_t>(n));
            // A client not speaking HTTP (a TLS hello) sends no blank line.
            if (head.size() >= 4 && !head.starts_with("GET ")) break;
        }
        const std::string line = head.substr(0, head.find("\r\n"));
        const size_t methodEnd = line.find(' '), targetEnd = line.rfind(" HTTP/");
        if (line.size() == head.size() || targetEnd == std::string::npos || targetEnd <= methodEnd) {
            std::lock_guard lock(mutex);
            foreign.push_back(head);
            return;
        }
        const RecordedRequest request{line.substr(0, methodEnd), line.substr(methodEnd + 1, targetEnd - methodEnd - 1)};
        CannedResponse response = Respond(404, "<html><body><h1>404 Not Found</h1></body></html>", "text/html");
        {
            std::lock_guard lock(mutex);
            requests.push_back(request);
            if (const auto found = responses.find(request.target); found != responses.end()) response = found->second;
        }
        for (int waited = 0; waited < response.delayMs && !stop; waited += 10) ::Sleep(10);
        if (stop) return;
        std::string answer = "HTTP/1.1 " + std::to_string(response.status) +
                             " Canned\r\nContent-Type: " + response.contentType +
                             "\r\nContent-Length: " + std::to_string(response.body.size()) + "\r\n" +
                             response.extraHeaders + "Connection: close\r\n\r\n" + response.body;
        for (int sent = 0, n = 0; sent < static_cast<int>(answer.size()); sent += n)
            if ((n = ::send(client, answer.data() + sent, static_cast<int>(answer.size()) - sent, 0)) <= 0) break;
        ::shutdown(client, SD_SEND);
        SetReceiveLimit(client, 300);
        // Let the client read to the end before the socket closes.
        while (::recv(client, buffer, sizeof(buffer), 0) > 0) {
        }
    }
};

LoopbackHttpServer::LoopbackHttpServer() : state_(std::make_unique<State>()) {
    WSADATA wsa{};
    if (::WSAStartup(MAKEWORD(2, 2), &wsa) != 0) throw std::runtime_error("WSAStartup failed");
    State& s = *state_;
    s.listener.reset(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
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
    state_->thread.join();
    state_->listener.reset();
    ::WSACleanup();
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
