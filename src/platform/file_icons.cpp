#include "platform/file_icons.h"

#include <shellapi.h>

#include "platform/long_path.h"

namespace platform {

UniqueIcon LoadFileIcon(const std::string& path, bool large) {
    if (path.empty()) return UniqueIcon();
    const std::wstring wide = ToSystemPath(path);
    if (::GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES) return UniqueIcon();
    SHFILEINFOW info = {};
    const UINT flags = SHGFI_ICON | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON);
    if (!::SHGetFileInfoW(wide.c_str(), 0, &info, sizeof info, flags)) return UniqueIcon();
    return UniqueIcon(info.hIcon);
}

UniqueIcon FolderIcon(bool large) {
    SHFILEINFOW info = {};
    const UINT flags = SHGFI_ICON | SHGFI_USEFILEATTRIBUTES | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON);
    if (!::SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info, flags)) return UniqueIcon();
    return UniqueIcon(info.hIcon);
}

UniqueIcon DefaultProgramIcon(bool large) {
    const int size = ::GetSystemMetrics(large ? SM_CXICON : SM_CXSMICON);
    // The shared icon belongs to the system; the caller owns a copy.
    const auto shared =
        static_cast<HICON>(::LoadImageW(nullptr, MAKEINTRESOURCEW(32512), IMAGE_ICON, size, size, LR_SHARED));
    return UniqueIcon(shared ? ::CopyIcon(shared) : nullptr);
}

}  // namespace platform
