#include "junk/cls_find_files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "core/settings.h"
#include "junk/frm_junk.h"
#include "junk/junk_types.h"
#include "platform/directory_walk.h"
#include "platform/file_system.h"
#include "platform/handles.h"
#include "platform/long_path.h"
#include "support/temp_folder.h"
#include "support/test_drive.h"

using testing_support::MakeFolder;
using testing_support::TempFolder;
using testing_support::WriteFile;

namespace {

// A search with its events recorded.
struct RecordedSearch {
    junk::ClsFindFiles find;
    std::vector<std::string> results;
    std::vector<std::string> folders;  // CurrentFolder at each new value
    size_t pathEvents = 0;

    RecordedSearch() {
        find.FindPathChanged = [this] {
            ++pathEvents;
            if (folders.empty() || folders.back() != find.CurrentFolder) folders.push_back(find.CurrentFolder);
        };
        find.FindResultChanged = [this] { results.push_back(find.FoundFile); };
    }
    std::vector<std::string> Run(const std::string& patterns, const std::string& path) {
        find.StartFind();
        find.FindFile(patterns, path);
        return results;
    }
};

struct Settings {
    TempFolder folder;
    Settings() { core::SetSettingsPaths(folder.path()); }
};

size_t IndexOf(const std::vector<std::string>& list, const std::string& item) {
    return static_cast<size_t>(std::find(list.begin(), list.end(), item) - list.begin());
}

}  // namespace

TEST(ClsFindFiles, DepthFirstPreOrderEachFileOnce) {
    Settings settings;
    TempFolder tree;
    const std::string root = tree.path();
    for (const char* sub : {"a", "b", "c"}) {
        MakeFolder(root + "\\" + sub + "\\deep");
        WriteFile(root + "\\" + sub + "\\" + sub + ".tmp", "x");
        WriteFile(root + "\\" + sub + "\\deep\\" + sub + "2.tmp", "x");
    }
    WriteFile(root + "\\top1.tmp", "x");
    WriteFile(root + "\\top2.TMP", "x");
    WriteFile(root + "\\keep.txt", "x");
    RecordedSearch search;
    const auto results = search.Run("*.tmp;*.*", root);
    ASSERT_EQ(results.size(), 9u);  // A.TMP-style names match both patterns, reported once
    std::vector<std::string> sorted = results;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end());
    // The folder's own files first, with its full path.
    EXPECT_LT(IndexOf(results, root + "\\top1.tmp"), 3u);
    EXPECT_LT(IndexOf(results, root + "\\keep.txt"), 3u);
    // Subfolders in the order the listing gave them, each subtree whole.
    std::vector<std::string> order;
    for (const std::string& f : search.folders)
        if (f.size() == root.size() + 2) order.push_back(f);
    ASSERT_EQ(order.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const std::string name = order[i].substr(root.size() + 1);
        EXPECT_EQ(results[3 + 2 * i], order[i] + "\\" + name + ".tmp");
        EXPECT_EQ(results[4 + 2 * i], order[i] + "\\deep\\" + name + "2.tmp");
    }
    EXPECT_GE(search.pathEvents, 7u + 2 * 4);  // every entry, "." and ".." included
}

TEST(ClsFindFiles, EmptyPatternListMeansNamesWithADot) {
    Settings settings;
    TempFolder tree;
    WriteFile(tree / "a.b", "x");
    WriteFile(tree / "README", "x");
    RecordedSearch search;
    EXPECT_EQ(search.Run("", tree.path()), std::vector<std::string>{tree / "a.b"});
}

TEST(ClsFindFiles, SkippedFoldersWhateverTheirCaseOrSlash) {
    Settings settings;
    TempFolder tree;
    MakeFolder(tree / "Temp\\Inner");
    MakeFolder(tree / "Temp2");
    WriteFile(tree / "Temp\\a.tmp", "x");
    WriteFile(tree / "Temp\\Inner\\b.tmp", "x");
    WriteFile(tree / "Temp2\\c.tmp", "x");
    std::string row = tree / "temp";
    std::transform(row.begin(), row.end(), row.begin(), ::tolower);
    junk::SaveSkipList({row});
    RecordedSearch search;
    EXPECT_EQ(search.Run("*.tmp", tree.path()), std::vector<std::string>{tree / "Temp2\\c.tmp"});

    junk::SaveSkipList({tree.path() + "\\"});  // the root itself
    RecordedSearch rootSkipped;
    EXPECT_TRUE(rootSkipped.Run("*.tmp", tree.path()).empty());
    EXPECT_EQ(rootSkipped.pathEvents, 0u);
}

TEST(ClsFindFiles, SkippedDriveRootAndDownloadAcceleratorFolder) {
    Settings settings;
    TempFolder tree;
    MakeFolder(tree / "DapTemp");
    WriteFile(tree / "DapTemp\\a.tmp", "x");
    WriteFile(tree / "b.tmp", "x");
    testing_support::TestDrive drive(tree.path());
    ASSERT_NE(drive.letter(), 0);
    const std::string root = drive.root();

    junk::SaveSkipList({root.substr(0, 2) + "\\"});
    RecordedSearch skipped;
    EXPECT_TRUE(skipped.Run("*.tmp", root.substr(0, 2)).empty());  // "M:" searches "M:\"
    junk::SaveSkipList({});

    // A 32-bit program: its settings are in the 32-bit registry view.
    const wchar_t* key = L"SOFTWARE\\SpeedBit\\Download Accelerator";
    const std::wstring value = std::wstring(root.begin(), root.end()) + L"daptemp";
    platform::UniqueRegKey dapKey;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr,
                                dapKey.put(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExW(dapKey.get(), L"TempDirectory", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                               static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    dapKey.reset();
    RecordedSearch dap;
    EXPECT_EQ(dap.Run("*.tmp", root), std::vector<std::string>{root + "b.tmp"});
    EXPECT_EQ(dap.find.DapFolder(), root + "DapTemp");  // the long form of the stored name

    core::WriteIni(core::MainIniPath, "Jnk", "SkpDap", "0");
    RecordedSearch dapOff;
    EXPECT_EQ(dapOff.Run("*.tmp", root).size(), 2u);
    ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, key, KEY_WOW64_32KEY, 0);
}

TEST(ClsFindFiles, CancelFromAResultHandlerStopsEverythingUntilStartFind) {
    Settings settings;
    TempFolder tree;
    for (const char* name : {"f0.tmp", "f1.tmp", "f2.tmp", "f3.tmp", "f4.tmp"}) WriteFile(tree / name, "x");
    MakeFolder(tree / "sub");
    WriteFile(tree / "sub\\g.tmp", "x");
    RecordedSearch search;
    size_t eventsAtCancel = 0;
    search.find.FindResultChanged = [&] {
        search.results.push_back(search.find.FoundFile);
        search.find.CancelSearch(true);  // closes the handle the walk is holding
        eventsAtCancel = search.pathEvents;
    };
    search.Run("*.tmp", tree.path());
    EXPECT_EQ(search.results.size(), 1u);
    EXPECT_EQ(search.pathEvents, eventsAtCancel);  // no further entry was read
    EXPECT_TRUE(search.find.Cancelled());
    search.find.FindFile("*.tmp", tree.path());  // returns at once until StartFind
    EXPECT_EQ(search.results.size(), 1u);
    search.find.CancelSearch(true);  // a second close of the same search is harmless
    search.find.StartFind();
    search.find.FindResultChanged = [&] { search.results.push_back(search.find.FoundFile); };
    search.find.FindFile("*.tmp", tree.path());
    EXPECT_EQ(search.results.size(), 7u);
}

TEST(ClsFindFiles, UnreadableOrMissingFoldersYieldNothing) {
    Settings settings;
    TempFolder tree;
    RecordedSearch search;
    EXPECT_TRUE(search.Run("*.tmp", tree / "missing").empty());
    EXPECT_EQ(search.pathEvents, 0u);
}

TEST(ClsFindFiles, NeverEntersLinkedFolders) {
    // A drive mapped onto the prefix's folder of drive letters: each entry
    // there is a Linux symbolic link (a folder that is a reparse point), one
    // of them to a folder with junk in it, one back to that very folder.
    Settings settings;
    TempFolder outside;
    WriteFile(outside / "outside.tmp", "x");
    testing_support::TestDrive linked(outside.path());
    ASSERT_NE(linked.letter(), 0);
    std::string cUnix = testing_support::UnixPathOf("C:\\");
    ASSERT_NE(cUnix.find("/c:"), std::string::npos);
    cUnix.erase(cUnix.rfind("/c:"));
    testing_support::TestDrive links(testing_support::TestDrive::UnixPath{cUnix});
    ASSERT_NE(links.letter(), 0);

    platform::DirectoryReader reader;
    ASSERT_TRUE(reader.Open(links.root()));
    platform::DirectoryEntry entry;
    int linkedFolders = 0;
    while (reader.Next(entry))
        if ((entry.attributes & 0x410) == 0x410) ++linkedFolders;
    ASSERT_GE(linkedFolders, 2);

    RecordedSearch search;
    search.find.FindPathChanged = [&] {
        if (++search.pathEvents > 20000) search.find.CancelSearch(true);  // a loop, without the rule
    };
    search.Run("outside.tmp", links.root());
    EXPECT_TRUE(search.results.empty());
    EXPECT_LT(search.pathEvents, 100u);
}

TEST(ClsFindFiles, A32BitProgramWalksAndChecksTheRealSystem32) {
    const std::string system = platform::SystemFolder();
    if (sizeof(void*) != 4 || platform::SystemWow64Folder().empty()) GTEST_SKIP() << "not redirected here";
    Settings settings;
    const std::string windows = platform::WindowsFolder();
    const std::string name = "clarimo-" + std::to_string(::GetCurrentProcessId());
    const std::string native = windows + "\\Sysnative\\" + name + "-native.tmp";
    const std::string wow = windows + "\\SysWOW64\\" + name + "-wow.tmp";
    WriteFile(native, "64");
    WriteFile(wow, "32");
    RecordedSearch search;
    const std::vector<std::string> found = search.Run(name + "*.tmp", system);
    // A shortcut to a program only the 64-bit System32 holds is not broken.
    const junk::ShortcutTarget target = junk::CheckShortcutTarget(system + "\\" + name + "-native.tmp");
    ::DeleteFileW(platform::ToSystemPath(native).c_str());
    ::DeleteFileW(platform::ToSystemPath(wow).c_str());
    EXPECT_EQ(found, std::vector<std::string>{native});
    EXPECT_EQ(target, junk::ShortcutTarget::Exists);
}
