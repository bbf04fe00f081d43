#include "platform/http.h"

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/utf.h"

namespace platform {

namespace {

// A session that speaks TLS 1.2 (and 1.3 where the system knows it). Windows 7
// leaves TLS 1.2 off in WinHTTP unless it is asked for.
UniqueWinHttpHandle OpenSession(unsigned timeoutMs) {
    constexpr wchar_t kAgent[] = L"Clarimo";
    // Automatic proxy discovery exists from Windows 8.1; older systems use the
    // configured default proxy.
    UniqueWinHttpHandle session(
        ::WinHttpOpen(kAgent, WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session)
        session.reset(::WinHttpOpen(kAgent, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                    WINHTTP_NO_PROXY_BYPASS, 0));
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

// The overall limit of one download, and its cancel flag.
class DownloadClock {
public:
    explicit DownloadClock(const HttpDownloadOptions& options) : options_(options), start_(::GetTickCount64()) {}

    bool MustStop() const {
        return (options_.cancel && options_.cancel->load()) ||
               (options_.deadlineMs != 0 && Elapsed() >= options_.deadlineMs);
    }
    // Cuts the next step's time-outs to the time left.
    void LimitNextStep(HINTERNET request) const {
        uint64_t step = options_.timeoutMs;
        if (options_.deadlineMs != 0)
            step = std::min<uint64_t>(step, options_.deadlineMs - std::min<uint64_t>(Elapsed(), options_.deadlineMs));
        const int timeout = static_cast<int>(std::max<uint64_t>(step, 1));
        ::WinHttpSetTimeouts(request, timeout, timeout, timeout, timeout);
        DWORD responseTimeout = static_cast<DWORD>(timeout);
        ::WinHttpSetOption(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &responseTimeout, sizeof(responseTimeout));
    }

private:
    uint64_t Elapsed() const { return ::GetTickCount64() - start_; }

    const HttpDownloadOptions& options_;
    uint64_t start_;
};

}  // namespace

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
    const UniqueWinHttpHandle connection(::WinHttpConnect(session.get(), host.c_str(), parts.nPort, 0));
    if (!connection) return result;
    const UniqueWinHttpHandle request(::WinHttpOpenRequest(connection.get(), L"GET", path.c_str(), nullptr,
                                                           WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                                           secure ? WINHTTP_FLAG_SECURE : 0));
    if (!request) return result;
    // A secure request may move to another secure address, never down to
    // plain http; a plain request (a loopback server) may not move at all.
    DWORD redirects =
        secure ? WINHTTP_OPTION_REDIRECT_POLICY_DISALLOW_HTTPS_TO_HTTP : WINHTTP_OPTION_REDIRECT_POLICY_NEVER;
    ::WinHttpSetOption(request.get(), WINHTTP_OPTION_REDIRECT_POLICY, &redirects, sizeof(redirects));

    clock.LimitNextStep(request.get());
    if (clock.MustStop() ||
        !::WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0))
        return result;
    clock.LimitNextStep(request.get());
    if (clock.MustStop() || !::WinHttpReceiveResponse(request.get(), nullptr)) return result;
    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!::WinHttpQueryHeaders(request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                               WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
        return result;
    result.status = static_cast<int>(status);
    if (status < 200 || status > 299) return result;

    std::string body;
    char buffer[16384];
    for (;;) {
        DWORD read = 0;
        clock.LimitNextStep(request.get());
        if (clock.MustStop() || !::WinHttpReadData(request.get(), buffer, sizeof(buffer), &read)) return result;
        if (read == 0) break;
        if (body.size() + read > options.maxBytes) return result;
        body.append(buffer, read);
    }
    result.saved = WriteWholeFile(localPath, body);
    return result;
}

}  // namespace platform
