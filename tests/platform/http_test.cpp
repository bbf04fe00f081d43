#include "platform/http.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "support/loopback_http_server.h"
#include "support/temp_folder.h"

namespace {

using testing_support::CannedResponse;
using testing_support::LoopbackHttpServer;
using testing_support::Respond;
using testing_support::TempFolder;

platform::HttpDownloadOptions PlainHttp() {
    platform::HttpDownloadOptions options;
    options.allowPlainHttp = true;
    options.timeoutMs = 5000;
    return options;
}

TEST(HttpDownload, SavesTheBodyOfASuccessfulAnswerUnderANonAsciiPath) {
    LoopbackHttpServer server;
    const std::string body = "[programinfo]\r\nversion=2.2\r\n\x01\x02\xff binary tail";
    server.Serve("/files/a.qdt?x=1", Respond(200, body, "application/octet-stream"));
    TempFolder folder;
    testing_support::MakeFolder(folder / "Обновление");
    const std::string local = folder / "Обновление\\файл.qdt";

    const auto result = platform::DownloadUrlToFile(server.base() + "/files/a.qdt?x=1", local, PlainHttp());

    EXPECT_EQ(result.status, 200);
    EXPECT_TRUE(result.saved);
    EXPECT_TRUE(result.succeeded());
    EXPECT_EQ(testing_support::ReadFileBytes(local), body);
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].target, "/files/a.qdt?x=1");
}

TEST(HttpDownload, AnErrorAnswerOrARedirectGivesItsStatusAndSavesNothing) {
    LoopbackHttpServer server;
    server.Serve("/gone", Respond(410, "<html>gone</html>", "text/html"));
    CannedResponse moved = Respond(302, "<html>moved</html>", "text/html");
    moved.extraHeaders = "Location: /elsewhere\r\n";
    server.Serve("/f", moved);
    server.Serve("/elsewhere", Respond(200, "followed"));
    TempFolder folder;

    const auto missing = platform::DownloadUrlToFile(server.base() + "/nothing-here", folder / "a", PlainHttp());
    const auto gone = platform::DownloadUrlToFile(server.base() + "/gone", folder / "b", PlainHttp());
    // A plain request follows no redirect.
    const auto redirect = platform::DownloadUrlToFile(server.base() + "/f", folder / "c", PlainHttp());

    EXPECT_EQ(missing.status, 404);
    EXPECT_FALSE(missing.saved);
    EXPECT_FALSE(testing_support::Exists(folder / "a"));
    EXPECT_EQ(gone.status, 410);
    EXPECT_FALSE(gone.succeeded());
    EXPECT_FALSE(testing_support::Exists(folder / "b"));
    EXPECT_EQ(redirect.status, 302);
    EXPECT_EQ(server.Requests().size(), 3u);
    EXPECT_FALSE(testing_support::Exists(folder / "c"));
}

TEST(HttpDownload, PlainHttpIsRefusedUnlessTheCallerAllowsIt) {
    LoopbackHttpServer server;
    server.Serve("/f", Respond(200, "data"));
    TempFolder folder;

    const auto refused = platform::DownloadUrlToFile(server.base() + "/f", folder / "f", {});
    const auto ftp = platform::DownloadUrlToFile("ftp://127.0.0.1:" + std::to_string(server.port()) + "/f",
                                                 folder / "g", PlainHttp());
    const auto nonsense = platform::DownloadUrlToFile("not an address", folder / "h", PlainHttp());

    EXPECT_EQ(refused.status, 0);
    EXPECT_FALSE(refused.saved);
    EXPECT_EQ(ftp.status, 0);
    EXPECT_EQ(nonsense.status, 0);
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_TRUE(server.ForeignConnections().empty());
    EXPECT_FALSE(testing_support::Exists(folder / "f"));
}

TEST(HttpDownload, AnHttpsAddressNeverFallsBackToPlainHttp) {
    // A plain server on the https address: the client must open with a TLS
    // handshake, never send a readable request.
    LoopbackHttpServer server;
    server.Serve("/f", Respond(200, "data"));
    TempFolder folder;

    const auto result = platform::DownloadUrlToFile("https://127.0.0.1:" + std::to_string(server.port()) + "/f",
                                                    folder / "f", PlainHttp());

    EXPECT_EQ(result.status, 0);
    EXPECT_FALSE(result.saved);
    EXPECT_TRUE(server.Requests().empty());
    const auto connections = server.ForeignConnections();
    ASSERT_FALSE(connections.empty());
    for (const std::string& first : connections) {
        ASSERT_FALSE(first.empty());
        EXPECT_EQ(static_cast<unsigned char>(first[0]), 0x16u) << "not a TLS handshake record";
    }
    EXPECT_FALSE(testing_support::Exists(folder / "f"));
}

TEST(HttpDownload, GivesUpOnASilentServerAndOnAnOversizedBody) {
    LoopbackHttpServer server;
    CannedResponse late = Respond(200, "late");
    late.delayMs = 4000;
    server.Serve("/slow", late);
    server.Serve("/big", Respond(200, std::string(2000, 'x')));
    TempFolder folder;
    auto options = PlainHttp();
    options.timeoutMs = 500;
    options.maxBytes = 1000;

    // The oversized one first: the server answers one connection at a time.
    const auto big = platform::DownloadUrlToFile(server.base() + "/big", folder / "big", options);
    const auto slow = platform::DownloadUrlToFile(server.base() + "/slow", folder / "slow", options);

    EXPECT_EQ(slow.status, 0);
    EXPECT_FALSE(slow.saved);
    EXPECT_FALSE(testing_support::Exists(folder / "slow"));
    EXPECT_EQ(big.status, 200);
    EXPECT_FALSE(big.saved);
    EXPECT_FALSE(big.succeeded());
    EXPECT_FALSE(testing_support::Exists(folder / "big"));
}

TEST(HttpDownload, ACancelEndsTheWaitForTheAnswerAndSavesNothing) {
    LoopbackHttpServer server;
    CannedResponse late = Respond(200, "late");
    late.delayMs = 10000;  // within the step's limit: only the cancel ends the wait
    server.Serve("/slow", late);
    TempFolder folder;
    auto options = PlainHttp();
    options.timeoutMs = 15000;
    platform::HttpCancel cancel;
    options.cancel = &cancel;
    std::thread canceller([&] {
        while (server.Requests().empty()) std::this_thread::yield();
        cancel.Cancel();
    });

    const auto result = platform::DownloadUrlToFile(server.base() + "/slow", folder / "slow", options);
    canceller.join();

    EXPECT_EQ(result.status, 0);  // the answer never arrived
    EXPECT_FALSE(testing_support::Exists(folder / "slow"));
}

TEST(SystemDownloadDialog, IsFoundInTheShellWithoutBeingCalled) {
    // DoFileDownload is a stub under Wine; the test goes up to the call.
    EXPECT_TRUE(platform::SystemDownloadDialogAvailable());
    EXPECT_FALSE(platform::OpenSystemDownloadDialog(""));
}

}  // namespace
