// A tiny HTTP/1.1 server on 127.0.0.1 for tests: one background thread that
// answers one connection at a time with canned responses per path and records
// what it was asked. Started by the constructor, stopped by the destructor.
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
    // Wait this long before answering (cut short when the server stops).
    int delayMs = 0;
    // More header lines, each ending in "\r\n".
    std::string extraHeaders;
};

// A response with the usual reason phrase for status.
CannedResponse Respond(int status, std::string body, std::string contentType = "text/plain");

struct RecordedRequest {
    std::string method;
    std::string target;  // path and query as sent
    std::string head;    // request line and headers
};

class LoopbackHttpServer {
public:
    LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;
    ~LoopbackHttpServer();

    int port() const;
    // "http://127.0.0.1:<port>"
    std::string base() const;

    // Answers GET target (path and query, exactly) with response; unknown
    // targets get a 404 page.
    void Serve(const std::string& target, CannedResponse response);
    std::vector<RecordedRequest> Requests() const;
    // Connections that did not start with an HTTP request line (a TLS hello,
    // for instance), by their first bytes.
    std::vector<std::string> ForeignConnections() const;

    struct State;

private:
    std::unique_ptr<State> state_;
};

}  // namespace testing_support
