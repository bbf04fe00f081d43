#include "platform/http.h"

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/utf.h"

namespace platform {

namespace {

// A session that speaks TLS 1.2 (and 1.3 where the system knows it). Windows 7
// leaves TLS 1.2 off in WinHTTP unless it is asked for.
UniqueWinHttpHandle OpenSession(unsigned timeoutMs) {
    // Asynchronous: only then can a step that waits on the server be left
    // at once (closing a request does not end a waiting synchronous call on
    // Wine).
    constexpr wchar_t kAgent[] = L"Clarimo";
    // Automatic proxy discovery exists from Windows 8.1; older systems use the
    // configured default proxy.
    UniqueWinHttpHandle session(::WinHttpOpen(kAgent, WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY, WINHTTP_NO_PROXY_NAME,
                                              WINHTTP_NO_PROXY_BYPASS, WINHTTP_FLAG_ASYNC));
    if (!session)
        session.reset(::WinHttpOpen(kAgent, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                    WINHTTP_NO_PROXY_BYPASS, WINHTTP_FLAG_ASYNC));
    if (!session) return session;

    DWORD protocols = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2 | WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_3;
    if (!::WinHttpSetOption(session.get(), WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof(protocols))) {
        protocols = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2;
        ::WinHttpSetOption(session.get(), WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof(protocols));
    }
    const int timeout = static_cast<int>(timeoutMs);
    ::WinHttpSetTimeouts(session.get(), timeout, timeout, timeout, timeout);
    // The wait for the answer's head has a time-out of its own (90 s unless set).
    DWORD responseTimeout = timeoutMs;
    ::WinHttpSetOption(session.get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &responseTimeout,
                       sizeof(responseTimeout));
    return session;
}

bool WriteWholeFile(const std::string& localPath, const std::string& bytes) {
    const std::wstring path = ToSystemPath(localPath);
    bool written = false;
    {
        UniqueHandle file(
            ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        DWORD done = 0;
        written =
            bytes.empty() || (::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
                              done == bytes.size());
    }
    if (!written) ::DeleteFileW(path.c_str());
    return written;
}

// One request's steps as the system reports them. It lives until the
// system closes the request, which can be after a cancelled download has
// gone: the system's callback frees it then.
struct AsyncRequest {
    UniqueHandle stepDone{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    DWORD ended = 0;  // the callback status that ended the last step
    DWORD bytes = 0;  // read by the last step
    char buffer[16384];
};

void CALLBACK OnRequestStatus(HINTERNET, DWORD_PTR context, DWORD status, LPVOID, DWORD length) {
    auto* request = reinterpret_cast<AsyncRequest*>(context);
    if (!request) return;  // the session and the connection
    switch (status) {
        case WINHTTP_CALLBACK_STATUS_HANDLE_CLOSING: {
            const std::unique_ptr<AsyncRequest> last(request);  // the last word about it
            return;
        }
        case WINHTTP_CALLBACK_STATUS_READ_COMPLETE:
            request->bytes = length;
            break;
        case WINHTTP_CALLBACK_STATUS_SENDREQUEST_COMPLETE:
        case WINHTTP_CALLBACK_STATUS_HEADERS_AVAILABLE:
        case WINHTTP_CALLBACK_STATUS_REQUEST_ERROR:
            break;
        default:
            return;
    }
    request->ended = status;
    ::SetEvent(request->stepDone.get());
}

// The overall limit of one download, and its cancel.
class DownloadClock {
public:
    explicit DownloadClock(const HttpDownloadOptions& options) : options_(options), start_(::GetTickCount64()) {}

    bool MustStop() const {
        return (options_.cancel && options_.cancel->Cancelled()) ||
               (options_.deadlineMs != 0 && Elapsed() >= options_.deadlineMs);
    }
    // Waits for the step under way to end with status expected, within the
    // step's time-out cut to the time left; false on a failure, a time-out
    // or a cancel.
    bool WaitStep(const AsyncRequest& request, DWORD expected) const {
        uint64_t step = options_.timeoutMs;
        if (options_.deadlineMs != 0)
            step = std::min<uint64_t>(step, options_.deadlineMs - std::min<uint64_t>(Elapsed(), options_.deadlineMs));
        const HANDLE events[] = {request.stepDone.get(), options_.cancel ? options_.cancel->Event() : nullptr};
        const DWORD woken = ::WaitForMultipleObjects(options_.cancel ? 2 : 1, events, FALSE, static_cast<DWORD>(step));
        return woken == WAIT_OBJECT_0 && request.ended == expected && !MustStop();
    }

private:
    uint64_t Elapsed() const { return ::GetTickCount64() - start_; }

    const HttpDownloadOptions& options_;
    uint64_t start_;
};

}  // namespace

HttpCancel::HttpCancel() : event_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

void HttpCancel::Cancel() { ::SetEvent(event_.get()); }

bool HttpCancel::Cancelled() const { return ::WaitForSingleObject(event_.get(), 0) == WAIT_OBJECT_0; }

HttpDownloadResult DownloadUrlToFile(const std::string& url, const std::string& localPath,
                                     const HttpDownloadOptions& options) {
    HttpDownloadResult result;
    const std::wstring wideUrl = ToWide(url);
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwSchemeLength = parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength =
        static_cast<DWORD>(-1);
    if (!::WinHttpCrackUrl(wideUrl.c_str(), 0, 0, &parts)) return result;
    const bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    const bool plainAllowed = parts.nScheme == INTERNET_SCHEME_HTTP && options.allowPlainHttp;
    if ((!secure && !plainAllowed) || parts.dwHostNameLength == 0) return result;
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path(parts.lpszUrlPath ? parts.lpszUrlPath : L"", parts.dwUrlPathLength);
    if (parts.lpszExtraInfo) path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (path.empty()) path = L"/";

    const DownloadClock clock(options);
    if (clock.MustStop()) return result;
    const UniqueWinHttpHandle session = OpenSession(options.timeoutMs);
    if (!session) return result;
    ::WinHttpSetStatusCallback(session.get(), OnRequestStatus,
                               WINHTTP_CALLBACK_FLAG_ALL_COMPLETIONS | WINHTTP_CALLBACK_FLAG_HANDLES, 0);
    const UniqueWinHttpHandle connection(::WinHttpConnect(session.get(), host.c_str(), parts.nPort, 0));
    if (!connection) return result;
    const UniqueWinHttpHandle request(::WinHttpOpenRequest(connection.get(), L"GET", path.c_str(), nullptr,
                                                           WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                                           secure ? WINHTTP_FLAG_SECURE : 0));
    if (!request) return result;
    // From here the system owns the step record: it is freed when the
    // request closes, whenever that is.
    auto owned = std::make_unique<AsyncRequest>();
    AsyncRequest& steps = *owned;
    DWORD_PTR context = reinterpret_cast<DWORD_PTR>(owned.get());
    if (!steps.stepDone || !::WinHttpSetOption(request.get(), WINHTTP_OPTION_CONTEXT_VALUE, &context, sizeof(context)))
        return result;
    (void)owned.release();
    // A secure request may move to another secure address, never down to
    // plain http; a plain request (a loopback server) may not move at all.
    DWORD redirects =
        secure ? WINHTTP_OPTION_REDIRECT_POLICY_DISALLOW_HTTPS_TO_HTTP : WINHTTP_OPTION_REDIRECT_POLICY_NEVER;
    ::WinHttpSetOption(request.get(), WINHTTP_OPTION_REDIRECT_POLICY, &redirects, sizeof(redirects));

    if (!::WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !clock.WaitStep(steps, WINHTTP_CALLBACK_STATUS_SENDREQUEST_COMPLETE))
        return result;
    if (!::WinHttpReceiveResponse(request.get(), nullptr) ||
        !clock.WaitStep(steps, WINHTTP_CALLBACK_STATUS_HEADERS_AVAILABLE))
        return result;
    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!::WinHttpQueryHeaders(request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                               WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
        return result;
    result.status = static_cast<int>(status);
    if (status < 200 || status > 299) return result;

    std::string body;
    for (;;) {
        if (!::WinHttpReadData(request.get(), steps.buffer, sizeof(steps.buffer), nullptr) ||
            !clock.WaitStep(steps, WINHTTP_CALLBACK_STATUS_READ_COMPLETE))
            return result;
        if (steps.bytes == 0) break;
        if (body.size() + steps.bytes > options.maxBytes) return result;
        body.append(steps.buffer, steps.bytes);
    }
    // A download cancelled meanwhile leaves no file behind.
    result.saved = !clock.MustStop() && WriteWholeFile(localPath, body);
    return result;
}

}  // namespace platform
