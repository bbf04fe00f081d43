#include "platform/dialogs.h"

#include <windows.h>

#include <commdlg.h>
#include <ole2.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/utf.h"

namespace platform {
namespace {

// The new-style folder picker needs OLE on the calling thread.
class OleSession {
public:
    OleSession() noexcept : result_(::OleInitialize(nullptr)) {}
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    ~OleSession() {
        if (SUCCEEDED(result_)) ::OleUninitialize();
    }

private:
    HRESULT result_;
};

// A dialog owned by a child window would leave the rest of its top-level
// window clickable.
HWND DialogOwner(WindowHandle owner) { return owner ? ::GetAncestor(owner, GA_ROOT) : nullptr; }

// MessageBoxW flags in the order of the enums' values.
constexpr UINT kIconFlags[] = {0, MB_ICONERROR, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONINFORMATION};
constexpr UINT kButtonFlags[] = {MB_OK, MB_OKCANCEL, MB_YESNO, MB_YESNOCANCEL};
static_assert(static_cast<int>(MessageIcon::Information) == 4 && static_cast<int>(MessageButtons::YesNoCancel) == 3);

// "a|b|c|d" -> "a\0b\0c\0d\0\0", as OPENFILENAMEW wants its filter.
std::wstring FilterList(const std::string& filter) {
    if (filter.empty()) return {};
    std::wstring list = ToWide(filter);
    std::replace(list.begin(), list.end(), L'|', L'\0');
    list.push_back(L'\0');
    list.push_back(L'\0');
    return list;
}

// Room for a long path chosen in the dialog.
constexpr DWORD kFileBufferLength = 32768;

std::string RunFileDialog(WindowHandle owner, const FileDialogRequest& request, bool save) {
    const std::wstring title = ToWide(request.title), filter = FilterList(request.filter),
                       extension = ToWide(request.defaultExtension), folder = ToWide(request.initialFolder);
    std::vector<wchar_t> file(kFileBufferLength, L'\0');
    const std::wstring initialName = ToWide(request.initialName);
    initialName.copy(file.data(), std::min<size_t>(initialName.size(), kFileBufferLength - 1));

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = DialogOwner(owner);
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = kFileBufferLength;
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    dialog.Flags |= save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST;
    const BOOL chosen = save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
    if (!chosen) return {};
    return FromSystemPath(file.data());
}

}  // namespace

MessageAnswer ShowMessageBox(WindowHandle owner, const std::string& text, const std::string& title, MessageIcon icon,
                             MessageButtons buttons) {
    const std::wstring wideText = ToWide(text), wideTitle = ToWide(title);
    switch (::MessageBoxW(DialogOwner(owner), wideText.c_str(), wideTitle.c_str(),
                          kIconFlags[static_cast<int>(icon)] | kButtonFlags[static_cast<int>(buttons)])) {
        case IDOK:
            return MessageAnswer::Ok;
        case IDYES:
            return MessageAnswer::Yes;
        case IDNO:
            return MessageAnswer::No;
        case IDCANCEL:
            return MessageAnswer::Cancel;
        default:
            return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
    }
}

std::string BrowseForFolderDialog(WindowHandle owner, const std::string& title, unsigned flags) {
    const OleSession ole;
    const std::wstring wideTitle = ToWide(title);
    wchar_t displayName[MAX_PATH + 1] = {};
    BROWSEINFOW info{};
    info.hwndOwner = DialogOwner(owner);
    info.pszDisplayName = displayName;
    info.lpszTitle = wideTitle.c_str();
    info.ulFlags = flags;
    UniqueItemIdList chosen(::SHBrowseForFolderW(&info));
    if (!chosen) return {};
    wchar_t path[MAX_PATH + 1] = {};
    if (!::SHGetPathFromIDListW(chosen.get(), path)) return {};
    return ToUtf8(std::wstring_view(path));
}

std::string OpenFileDialog(WindowHandle owner, const FileDialogRequest& request) {
    return RunFileDialog(owner, request, false);
}

std::string SaveFileDialog(WindowHandle owner, const FileDialogRequest& request) {
    return RunFileDialog(owner, request, true);
}

}  // namespace platform
