// Fetching a small file from a web server, the connection test and the hand-off
// of an address to the system's download dialog.
#pragma once

#include <cstddef>
#include <string>

#include "platform/handles.h"

namespace platform {

// Stops a download from another thread at once, also while a step waits on
// the server.
class HttpCancel {
public:
    HttpCancel();
    void Cancel();
    bool Cancelled() const;
    // Signalled once cancelled.
    HANDLE Event() const { return event_.get(); }

private:
    UniqueHandle event_;
};

struct HttpDownloadOptions {
    // Plain http:// is refused unless the caller allows it; https:// is always
    // allowed (TLS 1.2 and later).
    bool allowPlainHttp = false;
    // Each step (name lookup, connect, send, each receive) gives up after this.
    unsigned timeoutMs = 15000;
    // A body larger than this is not saved: the files fetched here are small.
    std::size_t maxBytes = 1024 * 1024;
    // The whole download gives up after this (0: only the per-step limits):
    // each step's limit is cut to the time left, and the clock is read again
    // after every piece of the body, so a server that trickles cannot hold it.
    unsigned deadlineMs = 0;
    // Cancelled from another thread: the download stops, also in a step that
    // is waiting, and saves nothing.
    HttpCancel* cancel = nullptr;
};

struct HttpDownloadResult {
    // The server's status code; 0 when no answer arrived (refused address,
    // no connection, TLS failure, time-out).
    int status = 0;
    // The body is complete in the local file. Only a 2xx answer is saved; a
    // failed write leaves no half-written file, and without a 2xx answer the
    // local path is not touched.
    bool saved = false;

    bool succeeded() const { return saved && status >= 200 && status <= 299; }
};

// GET url and store the body at localPath (UTF-8 both). Redirects are followed
// only from https to https; a plain-http request follows none.
HttpDownloadResult DownloadUrlToFile(const std::string& url, const std::string& localPath,
                                     const HttpDownloadOptions& options = {});

// InternetGetConnectedState: whether Windows believes it is online.
bool IsInternetConnected();

// Whether the shell's download dialog (DoFileDownload of shdocvw) can be
// reached on this system; it is loaded and resolved, not called.
bool SystemDownloadDialogAvailable();

// Hands url to the shell's download dialog, which asks the user where to save
// and downloads on its own. False when the dialog could not be reached or
// refused the address.
bool OpenSystemDownloadDialog(const std::string& url);

}  // namespace platform
