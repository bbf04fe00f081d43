#include "core/folder_guard.h"

#include <gtest/gtest.h>

#include <vector>

using core::FolderVerdict;
using core::JudgeFolder;

// Every spelling the guard could be fooled by is also made up by the folder
// guard fuzz target.
TEST(FolderGuard, RefusesProtectedPlacesAndEverySpellingButTheComparableForm) {
    const struct {
        FolderVerdict verdict;
        std::vector<const char*> paths;
    } table[] = {
        {FolderVerdict::Refused,
         {// not full, or a root
          "", "TEMP", "\\TEMP", "C:TEMP", "C:\\", "\\\\SERVER\\SHARE",
          // not the comparable form
          "C:\\TEMP\\", "C:\\windows", "C:\\WINDOWS.", "C:\\USERS\\ROOT ", "C:\\X\\..\\WINDOWS", "C:\\USERS/ROOT",
          "\\\\?\\C:\\WINDOWS", "C:\\WINDOWS::$INDEX_ALLOCATION",
          // Windows, system, Program Files, every profile and where they are
          "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM32\\DRIVERS", "C:\\PROGRAM FILES (X86)", "C:\\USERS",
          "C:\\USERS\\SOMEONE ELSE", "D:\\ELSEWHERE",
          // the program folder
          "C:\\TOOLS\\CLARIMO"}},
        {FolderVerdict::KeepOnPath, {"C:\\TOOLS"}},
        {FolderVerdict::Allowed,
         {"\\\\SERVER\\SHARE\\DIR", "C:\\WINDOWS\\TEMP", "C:\\PROGRAM FILES\\SOME APP\\CACHE", "C:\\WINDOWS.OLD",
          "C:\\USERS\\ROOT\\TEMP", "D:\\ELSEWHERE\\PROFILE\\RECENT", "C:\\TOOLS\\CLARIMO\\BACKUP",
          "C:\\TOOLS\\CLARIMO2"}},
    };
    // A machine laid out as Wine lays out its prefix, in comparable form.
    const core::ProtectedFolders places{"C:\\WINDOWS",
                                        {"C:\\WINDOWS\\SYSTEM32", "C:\\WINDOWS\\SYSWOW64"},
                                        {"C:\\PROGRAM FILES", "C:\\PROGRAM FILES (X86)"},
                                        "C:\\USERS",
                                        {"C:\\USERS\\ROOT", "D:\\ELSEWHERE\\PROFILE"},
                                        "C:\\TOOLS\\CLARIMO"};
    for (const auto& row : table)
        for (const char* path : row.paths) EXPECT_EQ(JudgeFolder(places, path), row.verdict) << path;

    EXPECT_EQ(JudgeFolder(core::ProtectedFolders{}, "C:\\ANY"), FolderVerdict::Allowed);
}
