#include "core/folder_guard.h"

#include <gtest/gtest.h>

using core::FolderVerdict;
using core::JudgeFolder;

namespace {

// A machine laid out as Wine lays out its prefix, in comparable form.
core::ProtectedFolders Places() {
    core::ProtectedFolders places;
    places.windowsFolder = "C:\\WINDOWS";
    places.systemFolders = {"C:\\WINDOWS\\SYSTEM32", "C:\\WINDOWS\\SYSWOW64"};
    places.programFilesFolders = {"C:\\PROGRAM FILES", "C:\\PROGRAM FILES (X86)"};
    places.profilesFolder = "C:\\USERS";
    places.profileFolders = {"C:\\USERS\\ROOT", "D:\\ELSEWHERE\\PROFILE"};
    places.programFolder = "C:\\TOOLS\\CLARIMO";
    return places;
}

FolderVerdict Judge(std::string_view path) { return JudgeFolder(Places(), path); }

}  // namespace

TEST(FolderGuard, RefusesPathsThatAreNotFullOrAreRoots) {
    EXPECT_EQ(Judge(""), FolderVerdict::Refused);
    EXPECT_EQ(Judge("TEMP"), FolderVerdict::Refused);
    EXPECT_EQ(Judge("TEMP\\X"), FolderVerdict::Refused);
    EXPECT_EQ(Judge("\\TEMP"), FolderVerdict::Refused);
    EXPECT_EQ(Judge("C:TEMP"), FolderVerdict::Refused);
    EXPECT_EQ(Judge("C:\\"), FolderVerdict::Refused);
    EXPECT_EQ(Judge("D:\\"), FolderVerdict::Refused);
    EXPECT_EQ(Judge("\\\\SERVER\\SHARE"), FolderVerdict::Refused);
    EXPECT_EQ(Judge("\\\\SERVER"), FolderVerdict::Refused);
    EXPECT_EQ(Judge("\\\\SERVER\\SHARE\\DIR"), FolderVerdict::Allowed);
}

TEST(FolderGuard, RefusesEverySpellingButTheComparableForm) {
    // None is the comparable form; once Windows reads them, most name a protected folder.
    for (const char* path :
         {"C:\\TEMP\\", "C:\\windows", "c:\\WINDOWS", "C:\\WINDOWS.", "C:\\USERS\\ROOT ", "C:\\.\\WINDOWS",
          "C:\\X\\..\\WINDOWS", "C:\\\\WINDOWS", "C:\\USERS/ROOT", "\\\\?\\C:\\WINDOWS", "\\\\.\\C:\\WINDOWS",
          "\\\\?\\UNC\\SERVER\\SHARE", "C:\\WINDOWS::$INDEX_ALLOCATION"})
        EXPECT_EQ(Judge(path), FolderVerdict::Refused) << path;
}

TEST(FolderGuard, RefusesWindowsSystemAndProgramFiles) {
    EXPECT_EQ(Judge("C:\\WINDOWS"), FolderVerdict::Refused);
    EXPECT_EQ(Judge("C:\\WINDOWS\\SYSTEM32"), FolderVerdict::Refused);
    EXPECT_EQ(Judge("C:\\WINDOWS\\SYSTEM32\\DRIVERS"), FolderVerdict::Refused);  // inside a system folder
    EXPECT_EQ(Judge("C:\\WINDOWS\\SYSWOW64"), FolderVerdict::Refused);
    EXPECT_EQ(Judge("C:\\PROGRAM FILES"), FolderVerdict::Refused);
    EXPECT_EQ(Judge("C:\\PROGRAM FILES (X86)"), FolderVerdict::Refused);
    // Below the Windows folder and Program Files, and look-alike names, are fine.
    EXPECT_EQ(Judge("C:\\WINDOWS\\TEMP"), FolderVerdict::Allowed);
    EXPECT_EQ(Judge("C:\\PROGRAM FILES\\SOME APP\\CACHE"), FolderVerdict::Allowed);
    EXPECT_EQ(Judge("C:\\WIN"), FolderVerdict::Allowed);
    EXPECT_EQ(Judge("C:\\WINDOWS.OLD"), FolderVerdict::Allowed);
    EXPECT_EQ(Judge("C:\\PROGRAM FILES X"), FolderVerdict::Allowed);
}

TEST(FolderGuard, RefusesProfilesAndTheFolderHoldingThem) {
    EXPECT_EQ(Judge("C:\\USERS"), FolderVerdict::Refused);
    EXPECT_EQ(Judge("C:\\USERS\\ROOT"), FolderVerdict::Refused);
    EXPECT_EQ(Judge("C:\\USERS\\SOMEONE ELSE"), FolderVerdict::Refused);  // every profile, not only ours
    EXPECT_EQ(Judge("C:\\USERS\\PUBLIC"), FolderVerdict::Refused);
    EXPECT_EQ(Judge("D:\\ELSEWHERE\\PROFILE"), FolderVerdict::Refused);
    EXPECT_EQ(Judge("D:\\ELSEWHERE"), FolderVerdict::Refused);
    EXPECT_EQ(Judge("C:\\USERS\\ROOT\\TEMP"), FolderVerdict::Allowed);
    EXPECT_EQ(Judge("C:\\USERS\\ROOT\\APPDATA\\LOCAL\\TEMP"), FolderVerdict::Allowed);
    EXPECT_EQ(Judge("D:\\ELSEWHERE\\PROFILE\\RECENT"), FolderVerdict::Allowed);
}

TEST(FolderGuard, KeepsTheProgramFolderAndThePathDownToIt) {
    EXPECT_EQ(Judge("C:\\TOOLS\\CLARIMO"), FolderVerdict::Refused);
    EXPECT_EQ(Judge("C:\\TOOLS"), FolderVerdict::KeepOnPath);
    EXPECT_EQ(Judge("C:\\TOOLS\\CLARIMO\\BACKUP"), FolderVerdict::Allowed);
    EXPECT_EQ(Judge("C:\\TOOLS\\CLARIMO2"), FolderVerdict::Allowed);
    EXPECT_EQ(Judge("C:\\TOOLS\\OTHER"), FolderVerdict::Allowed);
}

TEST(FolderGuard, EmptyPlacesProtectNothingButRoots) {
    const core::ProtectedFolders none;
    EXPECT_EQ(JudgeFolder(none, "C:\\ANY"), FolderVerdict::Allowed);
    EXPECT_EQ(JudgeFolder(none, "C:\\"), FolderVerdict::Refused);
}
