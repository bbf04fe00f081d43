// An HTTP server on 127.0.0.1 with canned responses; records what it was asked.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

struct CannedResponse {
    int status = 200;
    std::string contentType = "text/plain";
    std::string body;
    int delayMs = 0;           // before answering; cut short when the server stops
    std::string extraHeaders;  // lines, each ending in "\r\n"
};

inline CannedResponse Respond(int status, std::string body, std::string contentType = "text/plain") {
    return {status, std::move(contentType), std::move(body), 0, {}};
}

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
