// The parts of platform/http.h that live in wininet and shdocvw. Kept apart
// from http.cpp because wininet.h and winhttp.h cannot share a file.
#include <windows.h>
#include <wininet.h>

#include <string>

#include "platform/handles.h"
#include "platform/http.h"
#include "platform/utf.h"

namespace platform {

namespace {

using DoFileDownloadFunction = BOOL(WINAPI*)(LPCWSTR);

// shdocvw from the system folder (never a copy beside the program), pinned:
// the dialog keeps running on a thread of its own after DoFileDownload
// returns, so the library must never be unloaded under it.
DoFileDownloadFunction FindDoFileDownload() {
    wchar_t folder[MAX_PATH];
    const UINT n = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, n) + L"\\shdocvw.dll";
    const UniqueLibrary library(::LoadLibraryW(path.c_str()));
    if (!library) return nullptr;
    HMODULE pinned = nullptr;
    if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                              reinterpret_cast<LPCWSTR>(library.get()), &pinned))
        return nullptr;
    return reinterpret_cast<DoFileDownloadFunction>(
        reinterpret_cast<void*>(::GetProcAddress(library.get(), "DoFileDownload")));
}

}  // namespace

bool IsInternetConnected() {
    DWORD flags = 0;
    return ::InternetGetConnectedState(&flags, 0) != FALSE;
}

bool SystemDownloadDialogAvailable() { return FindDoFileDownload() != nullptr; }

bool OpenSystemDownloadDialog(const std::string& url) {
    const DoFileDownloadFunction doFileDownload = FindDoFileDownload();
    if (!doFileDownload || url.empty()) return false;
    return doFileDownload(ToWide(url).c_str()) != FALSE;
}

}  // namespace platform
