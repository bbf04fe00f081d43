// File, folder and shell services shared by every tool. Each window that
// needs them creates its own instance; the class keeps no state.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/folder_deletion.h"
#include "core/prompts.h"
#include "platform/window_handle.h"

// windows.h defines DeleteFile and MoveFile as macros for their W forms.
// Included before this header, they are undefined here (call the W
// functions by their W names); included after it, calls of the members
// become calls of DeleteFileW and MoveFileW, which forward to them.
#ifdef DeleteFile
#undef DeleteFile
#endif
#ifdef MoveFile
#undef MoveFile
#endif

namespace core {

class ClsFileFolder {
public:
    // "SYSTEM (C:) " for "c: [SYSTEM]"; "A:\" for "a:".
    std::string GetDrvName(const std::string& DriveLabel) const;
    // Info 0: total size, 1: free to the user, 2: used; other: "".
    std::string GetDiskSpace(const std::string& DriveStr, int Info) const;
    std::string GetFolderSize(const std::string& Fname) const;
    std::string GetFileSize(const std::string& Fname) const;
    // Size in bytes; nullopt where the old interface answered "Error".
    std::optional<uint64_t> GetLngFileSize(const std::string& Fname) const;
    // Size text: " Byte", " KB", " MB", " GB", " TB" with the locale's separator.
    std::string CalcSize(uint64_t LngSize) const;
    // How many of the nine characters Windows forbids in a name it holds.
    int64_t CheckPathName(const std::string& Filename) const;
    intptr_t ShowProperties(const std::string& Fname, platform::WindowHandle OwnerhWnd) const;
    std::string GetSpecialFolder(int CSIDL) const;
    std::string GetWinVersion(int RInfo) const;
    std::string GetWindowsPath() const;
    // The temporary folder without its trailing "\".
    std::string GetTempPathStr() const;
    std::string GetComputerNameStr() const;
    std::string GetUserNameStr() const;
    // Folder picker; "" when cancelled. The last true flag of the three wins.
    // A choice on a device that is missing or not ready gives the critical
    // box "Device Not Ready ..." titled "Error" and "".
    std::string BrowseForFolder(Prompts& prompts, const std::string& Text, bool EditBox = false,
                                bool IncludeFiles = false, bool NewStyle = false) const;
    // Empties FolderPath (and removes it when DelMainFolder) without ever
    // following a link, and refuses dangerous folders: see DeleteFolderGuarded.
    FolderDeletion DeleteFolder(const std::string& FolderPath, bool DelMainFolder) const;
    void ListFiles(const std::string& FolderPath, std::vector<std::string>& list) const;
    std::string AddSlash(const std::string& path) const;
    std::string GetFileName(const std::string& path) const;
    std::string GetFolderName(const std::string& path) const;
    std::string GetFileDate(const std::string& path) const;
    // Target of a .lnk file; on error "" and ShortCutPath is cleared.
    std::string GetShortCutPath(std::string& ShortCutPath) const;
    // Creates ShortCutPath + ".lnk" pointing at FilePath; a blank FilePath
    // creates nothing; on error ShortCutPath is cleared.
    void CreateShortcut(const std::string& FilePath, std::string& ShortCutPath) const;
    void SendEmail(const std::string& address) const;
    void OpenFileFolder(platform::WindowHandle Form, const std::string& pathOrUrl) const;
    void EmptyRecycleBin(platform::WindowHandle FormHwnd) const;
    void ShowRestartDialog(platform::WindowHandle FormHwnd) const;
    void EmptyWinClipBoard(platform::WindowHandle FormHwnd) const;
    // The three removals ignore failures, but answer whether the item is
    // really gone from its place (moved, for MoveFile).
    bool DelToRecycBin(const std::string& path) const;
    bool DeleteFile(const std::string& path, bool Forced) const;
    // Never overwrites an existing file at MoveTo.
    bool MoveFile(const std::string& path, const std::string& MoveTo) const;
    bool DeleteFileW(const std::string& path, bool Forced) const { return DeleteFile(path, Forced); }
    bool MoveFileW(const std::string& path, const std::string& MoveTo) const { return MoveFile(path, MoveTo); }
    // Shortens PathName with an ellipsis to fit widthPixels in the font
    // selected into the device context.
    std::string CompactPath(const std::string& PathName, int widthPixels, void* deviceContext) const;
    std::string GetLongFilename(const std::string& sShortName) const;
};

}  // namespace core
