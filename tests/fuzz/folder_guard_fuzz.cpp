// The folder guard never approves a drive or share root, the Windows folder,
// a profile or the folder holding the profiles, in any spelling the input
// makes of them; the path text rules always end on a root.
#include <string>

#include "core/folder_guard.h"
#include "core/path_text.h"
#include "fuzz_support.h"

namespace {

// Folders that must never be Allowed, whatever their spelling.
constexpr std::string_view kGuarded[] = {
    // roots
    "C:\\", "Z:\\", "\\\\SERVER\\SHARE",
    // Windows, system, programs, profiles and the folder holding them, the program's own
    "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM32\\DRIVERS", "C:\\PROGRAM FILES", "C:\\USERS", "C:\\USERS\\ROOT",
    "C:\\USERS\\SOMEONE", "D:\\ELSEWHERE", "C:\\TOOLS\\CLARIMO"};

// The position of the n-th separator from the third character on, or npos.
size_t Separator(const std::string& path, size_t n) {
    size_t count = 0;
    for (size_t i = 2; i < path.size(); ++i)
        if ((path[i] == '\\' || path[i] == '/') && count++ == n) return i;
    return std::string::npos;
}

// Spells path another way Windows reads as the same folder, as the byte says.
void Respell(std::string& path, uint8_t byte) {
    const size_t arg = byte >> 3, at = Separator(path, arg % 4);
    const unsigned kind = byte & 7;
    const bool hasAt = at != std::string::npos;
    char& letter = path[arg % path.size()];
    if (kind == 0 && letter >= 'A' && letter <= 'Z') letter = static_cast<char>(letter + 32);
    if (kind == 1 && hasAt) path[at] = '/';
    if (kind == 2) path += arg & 1 ? "\\" : "/";
    if (kind == 3 && hasAt) path.insert(at + 1, ".\\");
    if (kind == 4 && hasAt) path.insert(at + 1, "X\\..\\");
    if (kind == 5 && hasAt) path.insert(at, "\\");
    if (kind == 6 && !path.starts_with("\\\\?\\"))
        path = path.starts_with("\\\\") ? "\\\\?\\UNC" + path.substr(1) : "\\\\?\\" + path;
    if (kind == 7) path += arg & 1 ? "." : " ";
}

}  // namespace

void FuzzOne(const uint8_t* data, size_t size) {
    static const core::ProtectedFolders places{"C:\\WINDOWS",
                                               {"C:\\WINDOWS\\SYSTEM32"},
                                               {"C:\\PROGRAM FILES"},
                                               "C:\\USERS",
                                               {"C:\\USERS\\ROOT", "D:\\ELSEWHERE\\PROFILE"},
                                               "C:\\TOOLS\\CLARIMO"};
    if (size == 0) return;
    const std::string raw(reinterpret_cast<const char*>(data), size);

    std::string path(kGuarded[data[0] % std::size(kGuarded)]);
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
