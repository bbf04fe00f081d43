// A tiny HTTP/1.1 server on 127.0.0.1: one thread answers one connection at a
// time with canned responses per path and records what it was asked.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace testing_support {

struct CannedResponse {
    int status = 200;
    std::string reason = "OK";
    std::string contentType = "text/plain";
    std::string body;
    int delayMs = 0;           // before answering; cut short when the server stops
    std::string extraHeaders;  // lines, each ending in "\r\n"
};

CannedResponse Respond(int status, std::string body, std::string contentType = "text/plain");

struct RecordedRequest {
    std::string method;
    std::string target;  // path and query as sent
};

class LoopbackHttpServer {
public:
    LoopbackHttpServer();
    ~LoopbackHttpServer();

    int port() const;
    std::string base() const;  // "http://127.0.0.1:<port>"

    // Answers GET target (path and query, exactly); others get a 404 page.
    void Serve(const std::string& target, CannedResponse response);
    std::vector<RecordedRequest> Requests() const;
    // The first bytes of connections that sent no HTTP request (a TLS hello).
    std::vector<std::string> ForeignConnections() const;

    struct State;

private:
    std::unique_ptr<State> state_;
};

}  // namespace testing_support
