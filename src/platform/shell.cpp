#include "platform/shell.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "platform/file_system.h"
#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/utf.h"

// In shell32 since Windows 2000, but missing from mingw-w64's headers.
extern "C" void WINAPI SHUpdateRecycleBinIcon(void);

namespace platform {

bool MoveToRecycleBin(const std::string& path) {
    // The shell expands wildcards and wants a full path without "\\?\".
    if (path.empty() || path.find_first_of("*?") != std::string::npos) return false;
    {
        // An item in use cannot move; asking the shell anyway would make
        // Wine offer to destroy it instead.
        const UniqueHandle item(::CreateFileW(ToSystemPath(path).c_str(), DELETE,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (!item) return false;
    }
    std::wstring from = ToWide(FullPath(path));
    from.push_back(L'\0');  // the list ends with two NULs
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING | FOF_NOERRORUI;
    return ::SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted;
}

bool EmptyRecycleBin(WindowHandle owner, bool confirm) {
    const DWORD flags = confirm ? 0 : SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND;
    const HRESULT result = ::SHEmptyRecycleBinW(owner, nullptr, flags);
    ::SHUpdateRecycleBinIcon();
    return SUCCEEDED(result);
}

std::optional<RecycleBinContents> QueryRecycleBin() {
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    if (FAILED(::SHQueryRecycleBinW(nullptr, &info))) return std::nullopt;
    return RecycleBinContents{static_cast<uint64_t>(info.i64NumItems), static_cast<uint64_t>(info.i64Size)};
}

bool ShellOpen(WindowHandle owner, const std::string& verb, const std::string& file, const std::string& parameters,
               const std::string& folder) {
    const std::wstring wideVerb = ToWide(verb), wideFile = ToWide(file), wideParameters = ToWide(parameters),
                       wideFolder = ToWide(folder);
    const HINSTANCE result = ::ShellExecuteW(owner, wideVerb.empty() ? nullptr : wideVerb.c_str(), wideFile.c_str(),
                                             wideParameters.empty() ? nullptr : wideParameters.c_str(),
                                             wideFolder.empty() ? nullptr : wideFolder.c_str(), SW_SHOWNORMAL);
    return reinterpret_cast<intptr_t>(result) > 32;
}

intptr_t ShowPropertiesSheet(const std::string& path, WindowHandle owner) {
    const std::wstring file = ToWide(path);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = L"properties";
    info.lpFile = file.c_str();
    info.nShow = SW_SHOWNORMAL;
    ::ShellExecuteExW(&info);
    UniqueHandle process(info.hProcess);  // asked for, so it must be closed
    return reinterpret_cast<intptr_t>(info.hInstApp);
}

void ShowRestartPrompt(WindowHandle owner) {
    using RestartDialogFunction = int(WINAPI*)(HWND, const wchar_t*, DWORD);
    const HMODULE shell32 = ::GetModuleHandleW(L"shell32.dll");
    if (!shell32) return;
    const FARPROC address = ::GetProcAddress(shell32, MAKEINTRESOURCEA(59));
    if (!address) return;
    const auto restartDialog = reinterpret_cast<RestartDialogFunction>(reinterpret_cast<void (*)()>(address));
    restartDialog(owner, nullptr, EWX_REBOOT);
}

std::string CompactPathToWidth(void* deviceContext, const std::string& path, int widthPixels) {
    std::wstring text = ToWide(path);
    if (text.size() >= MAX_PATH) {
        // PathCompactPathW takes at most MAX_PATH characters: keep the
        // root and the end, which is all that can show anyway.
        const std::wstring root = text.substr(0, 3);
        text = root + L"...\\" + text.substr(text.size() - (MAX_PATH - 1 - root.size() - 4));
    }
    wchar_t buffer[MAX_PATH] = {};
    text.copy(buffer, MAX_PATH - 1);
    const UINT width = static_cast<UINT>(widthPixels < 0 ? 0 : widthPixels);
    if (deviceContext) {
        ::PathCompactPathW(static_cast<HDC>(deviceContext), buffer, width);
    } else {
        const WindowDc screen(nullptr);
        ::PathCompactPathW(screen.get(), buffer, width);
    }
    return ToUtf8(std::wstring_view(buffer));
}

}  // namespace platform
