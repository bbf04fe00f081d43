#include "junk/cls_find_files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "core/settings.h"
#include "junk/frm_junk.h"
#include "junk/junk_types.h"
#include "platform/directory_walk.h"
#include "platform/file_system.h"
#include "platform/folder_prefetch.h"
#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/utf.h"
#include "support/temp_folder.h"
#include "support/test_drive.h"

using testing_support::MakeFolder;
using testing_support::TempFolder;
using testing_support::WriteFile;

namespace {

// A search with its events recorded: the current folder at each entry read,
// "=" and the path for each file found.
struct RecordedSearch {
    junk::ClsFindFiles find;
    std::vector<std::string> results;
    std::vector<std::string> events;
    size_t pathEvents = 0;

    RecordedSearch() {
        find.FindPathChanged = [this] {
            ++pathEvents;
            events.push_back(find.CurrentFolder);
        };
        find.FindResultChanged = [this] { Found(); };
    }
    void Found() {
        results.push_back(find.FoundFile);
        events.push_back("=" + find.FoundFile);
    }
    std::vector<std::string> Run(const std::string& patterns, const std::string& path) {
        find.StartFind();
        find.FindFile(patterns, path);
        return results;
    }
};

class ClsFindFiles : public ::testing::Test {
protected:
    ClsFindFiles() { core::SetSettingsPaths(settings_.path()); }
    TempFolder settings_;
};

// The same record made by one thread walking recursively, every file found;
// and the folders (with "\") in the order it lists them.
struct OneThreadWalk {
    std::vector<std::string> events, folders;
    std::string current;

    explicit OneThreadWalk(const std::string& root) { Walk(root); }
    void Walk(const std::string& folder) {
        folders.push_back(folder + "\\");
        platform::DirectoryReader reader;
        if (!reader.Open(folder)) return;
        std::vector<std::string> subfolders;
        platform::DirectoryEntry entry;
        while (reader.Next(entry)) {
            events.push_back(current);
            const std::string name = platform::ToUtf8(entry.name);
            if (!(entry.attributes & platform::kAttributeDirectory))
                events.push_back("=" + folder + "\\" + name);
            else if (name != "." && name != "..")
                subfolders.push_back(current = folder + "\\" + name);
        }
        reader.Close();
        for (const std::string& sub : subfolders) Walk(sub);
    }
};

// Wide, narrow, empty and deep folders; every file name has a dot.
void MakeMixedTree(const std::string& root) {
    for (int a = 0; a < 12; ++a) {
        const std::string top = root + "\\t" + std::to_string(a);
        MakeFolder(top + "\\empty");
        for (int f = 0; f < a; ++f) WriteFile(top + "\\f" + std::to_string(f) + ".tmp", "x");
        for (int b = 0; b < a % 4; ++b) {
            MakeFolder(top + "\\s" + std::to_string(b));
            WriteFile(top + "\\s" + std::to_string(b) + "\\g.TMP", "x");
        }
    }
    std::string deep = root;
    for (int d = 0; d < 30; ++d) deep += "\\d";
    MakeFolder(deep);
    MakeFolder(root + "\\wide");
    WriteFile(deep + ".tmp", "x");
    for (int f = 0; f < 300; ++f) WriteFile(root + "\\wide\\w" + std::to_string(f) + ".bak", "x");
}

}  // namespace

TEST_F(ClsFindFiles, ReportsWhatOneThreadWalkingTheTreeWould) {
    TempFolder tree;
    MakeMixedTree(tree.path());
    const OneThreadWalk walk(tree.path());
    RecordedSearch search;
    search.Run("*.tmp;*.*", tree.path());  // names matching both patterns are reported once
    EXPECT_EQ(search.events, walk.events);

    // The workers' listings, whatever their number and however little they
    // may hold ahead, come in the walk's order.
    for (const auto& [workers, ahead] : {std::pair{1u, 1u}, {2u, 5u}, {4u, 65536u}}) {
        platform::FolderPrefetch prefetch(tree.path(), nullptr, workers, ahead);
        std::vector<std::string> folders;
        while (const auto folder = prefetch.Next([] { return true; })) folders.push_back(folder->path);
        EXPECT_EQ(folders, walk.folders) << workers << " workers, " << ahead << " ahead";
    }
}

TEST_F(ClsFindFiles, CancelFromAResultHandlerStopsThereUntilStartFind) {
    TempFolder tree;
    MakeMixedTree(tree.path());
    const OneThreadWalk walk(tree.path());
    for (const size_t stopAt : {1u, 40u, 350u}) {
        RecordedSearch search;
        search.find.FindResultChanged = [&] {
            search.Found();
            if (search.results.size() == stopAt) search.find.CancelSearch(true);
        };
        search.Run("*.*", tree.path());
        ASSERT_EQ(search.results.size(), stopAt);
        // Nothing was read after the cancel.
        EXPECT_EQ(search.events,
                  std::vector<std::string>(walk.events.begin(), walk.events.begin() + search.events.size()));
        EXPECT_EQ(search.events.back(), "=" + search.results.back());
        EXPECT_TRUE(search.find.Cancelled());
        search.find.FindFile("*.*", tree.path());  // returns at once until StartFind
        EXPECT_EQ(search.results.size(), stopAt);
    }
}

TEST_F(ClsFindFiles, FoldersThatVanishWhileListedEndTheirListingOnly) {
    TempFolder tree;
    MakeMixedTree(tree.path());
    MakeFolder(tree / "gone");
    MakeFolder(tree / "half");
    WriteFile(tree / "gone\\a.tmp", "x");
    WriteFile(tree / "half\\a.tmp", "x");
    WriteFile(tree / "half\\b.tmp", "x");
    const OneThreadWalk before(tree.path());
    const auto Remove = [&](const std::string& folder) {
        for (const char* name : {"a.tmp", "b.tmp"}) ::DeleteFileW(platform::ToSystemPath(folder + name).c_str());
        ::RemoveDirectoryW(platform::ToSystemPath(folder).c_str());
    };

    // Gone after its parent listed it, before its own turn: no entries, and
    // every other folder as before.
    platform::FolderPrefetch prefetch(
        tree.path(),
        [&](const std::string& folder) {
            if (folder == tree / "gone\\") Remove(folder);
            return false;
        },
        2);
    std::vector<std::string> folders;
    while (const auto folder = prefetch.Next([] { return true; })) {
        folders.push_back(folder->path);
        EXPECT_EQ(folder->entries.empty(), folder->path == tree / "gone\\") << folder->path;
    }
    EXPECT_EQ(folders, before.folders);

    // Gone in the middle of its listing: the listing ends, with no name that
    // was never there.
    platform::DirectoryReader reader;
    ASSERT_TRUE(reader.Open(tree / "half"));
    platform::DirectoryEntry entry;
    ASSERT_TRUE(reader.Next(entry));
    Remove(tree / "half\\");
    size_t more = 0;
    while (reader.Next(entry)) {
        const std::wstring name(entry.name);
        EXPECT_TRUE(name == L"." || name == L".." || name == L"a.tmp" || name == L"b.tmp");
        ++more;
    }
    EXPECT_LE(more, 3u);
}

TEST_F(ClsFindFiles, EmptyPatternListMeansNamesWithADotAndMissingFoldersYieldNothing) {
    TempFolder tree;
    WriteFile(tree / "a.b", "x");
    WriteFile(tree / "README", "x");
    RecordedSearch search;
    EXPECT_EQ(search.Run("", tree.path()), std::vector<std::string>{tree / "a.b"});
    RecordedSearch missing;
    EXPECT_TRUE(missing.Run("*.tmp", tree / "missing").empty());
    EXPECT_EQ(missing.pathEvents, 0u);
}

TEST_F(ClsFindFiles, SkippedFoldersWhateverTheirCaseOrSlash) {
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

TEST_F(ClsFindFiles, SkippedDriveRootAndDownloadAcceleratorFolder) {
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

TEST_F(ClsFindFiles, NeverEntersLinkedFolders) {
    // A drive mapped onto the prefix's folder of drive letters: each entry
    // there is a Linux symbolic link (a folder that is a reparse point), one
    // of them to a folder with junk in it, one back to that very folder.
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

TEST_F(ClsFindFiles, A32BitProgramWalksAndChecksTheRealSystem32) {
    const std::string system = platform::SystemFolder();
    if (sizeof(void*) != 4 || platform::SystemWow64Folder().empty()) GTEST_SKIP() << "not redirected here";
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
