// The folder guard never approves a drive or share root, the Windows folder,
// a profile or the folder holding the profiles, in any spelling the input
// makes of them; the path text rules always end on a root.
#include <string>

#include "core/folder_guard.h"
#include "core/path_text.h"
#include "fuzz_support.h"

namespace {

core::ProtectedFolders Places() {
    core::ProtectedFolders places;
    places.windowsFolder = "C:\\WINDOWS";
    places.systemFolders = {"C:\\WINDOWS\\SYSTEM32"};
    places.programFilesFolders = {"C:\\PROGRAM FILES"};
    places.profilesFolder = "C:\\USERS";
    places.profileFolders = {"C:\\USERS\\ROOT", "D:\\ELSEWHERE\\PROFILE"};
    places.programFolder = "C:\\TOOLS\\CLARIMO";
    return places;
}

// Folders that must never be Allowed, whatever their spelling.
constexpr const char* kGuarded[] = {"C:\\",
                                    "Z:\\",
                                    "\\\\SERVER\\SHARE",
                                    "C:\\WINDOWS",
                                    "C:\\WINDOWS\\SYSTEM32\\DRIVERS",
                                    "C:\\PROGRAM FILES",
                                    "C:\\USERS",
                                    "C:\\USERS\\ROOT",
                                    "C:\\USERS\\SOMEONE",
                                    "D:\\ELSEWHERE",
                                    "C:\\TOOLS\\CLARIMO"};

// The position of the n-th separator from the third character on, or npos.
size_t Separator(const std::string& path, size_t n) {
    size_t count = 0;
    for (size_t i = 2; i < path.size(); ++i)
        if ((path[i] == '\\' || path[i] == '/') && count++ == n) return i;
    return std::string::npos;
}

// Spells path another way Windows reads as the same folder, as the byte says.
void Respell(std::string& path, uint8_t byte) {
    const size_t arg = byte >> 3;
    const size_t at = Separator(path, arg % 4);
    switch (byte & 7) {
        case 0:
            if (char& c = path[arg % path.size()]; c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
            break;
        case 1:
            if (at != std::string::npos) path[at] = '/';
            break;
        case 2:
            path += arg & 1 ? "\\" : "/";
            break;
        case 3:
            if (at != std::string::npos) path.insert(at + 1, ".\\");
            break;
        case 4:
            if (at != std::string::npos) path.insert(at + 1, "X\\..\\");
            break;
        case 5:
            if (at != std::string::npos) path.insert(at, "\\");
            break;
        case 6:
            if (!path.starts_with("\\\\?\\"))
                path = path.starts_with("\\\\") ? "\\\\?\\UNC" + path.substr(1) : "\\\\?\\" + path;
            break;
        case 7:
            path += arg & 1 ? "." : " ";
            break;
    }
}

}  // namespace

void FuzzOne(const uint8_t* data, size_t size) {
    static const core::ProtectedFolders places = Places();
    if (size == 0) return;
    const std::string raw(reinterpret_cast<const char*>(data), size);

    std::string path = kGuarded[data[0] % std::size(kGuarded)];
    for (size_t i = 1; i < size && i < 64; ++i) Respell(path, data[i]);
    FUZZ_CHECK(core::JudgeFolder(places, path) != core::FolderVerdict::Allowed);
    core::JudgeFolder(places, raw);

    // Each parent is a shorter head of the path, so the walk up ends.
    std::string folder = raw;
    for (size_t steps = 0; !folder.empty(); ++steps) {
        const std::string parent = core::ParentFolderText(folder);
        FUZZ_CHECK(parent.size() < folder.size() && folder.starts_with(parent) && steps <= raw.size());
        folder = parent;
    }
    core::DriveDisplayName(raw);
}
