#include "junk/cls_find_files.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/settings.h"
#include "junk/frm_junk.h"
#include "junk/junk_types.h"
#include "platform/file_system.h"
#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/utf.h"
#include "support/registry_values.h"
#include "support/temp_folder.h"
#include "support/test_drive.h"

using namespace testing_support;

namespace {

// Events of a search: the current folder at each entry read, "=" + each file.
struct RecordedSearch {
    junk::ClsFindFiles find;
    std::vector<std::string> results, events;

    RecordedSearch() {
        find.FindPathChanged = [this] { events.push_back(find.CurrentFolder); };
        find.FindResultChanged = [this] { Found(); };
    }
    void Found() { events.push_back("=" + results.emplace_back(find.FoundFile)); }
    std::vector<std::string> Run(const std::string& patterns, const std::string& path) {
        find.StartFind();
        find.FindFile(patterns, path);
        return results;
    }
};

class ClsFindFiles : public ::testing::Test {
protected:
    ClsFindFiles() { core::SetSettingsPaths(settings_.path()); }
    TempFolder settings_, tree_;
};

// The same record made by one thread walking recursively, and its folders.
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
        for (const std::string& sub : subfolders) Walk(sub);
    }
};

// Wide, narrow, empty and deep folders; every file name has a dot.
const std::string& MakeMixedTree(const std::string& root) {
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
    for (const std::string& folder : {deep, root + "\\wide"}) MakeFolder(folder);
    WriteFile(deep + ".tmp", "x");
    for (int f = 0; f < 300; ++f) WriteFile(root + "\\wide\\w" + std::to_string(f) + ".bak", "x");
    return root;
}

class MixedTree : public ClsFindFiles {
protected:
    const OneThreadWalk walk_{MakeMixedTree(tree_.path())};
};

}  // namespace

TEST_F(MixedTree, ReportsWhatOneThreadWalkingTheTreeWould) {
    RecordedSearch search;
    search.Run("*.tmp;*.*", tree_.path());  // names matching both patterns are reported once
    EXPECT_EQ(search.events, walk_.events);

    // So do the workers' listings, however many and however far ahead.
    for (const auto& [workers, ahead] : {std::pair{1u, 1u}, {2u, 5u}, {4u, 65536u}}) {
        platform::FolderPrefetch prefetch(tree_.path(), nullptr, workers, ahead);
        std::vector<std::string> folders;
        while (const auto folder = prefetch.Next([] { return true; })) folders.push_back(folder->path);
        EXPECT_EQ(folders, walk_.folders) << workers << " workers, " << ahead << " ahead";
    }
}

TEST_F(MixedTree, CancelFromAResultHandlerStopsThereUntilStartFind) {
    for (const size_t stopAt : {1u, 40u, 350u}) {
        RecordedSearch search;
        search.find.FindResultChanged = [&] {
            search.Found();
            if (search.results.size() == stopAt) search.find.CancelSearch(true);
        };
        search.Run("*.*", tree_.path());
        ASSERT_EQ(search.results.size(), stopAt);
        // Nothing was read after the cancel.
        EXPECT_EQ(search.events,
                  std::vector<std::string>(walk_.events.begin(), walk_.events.begin() + search.events.size()));
        EXPECT_EQ(search.events.back(), "=" + search.results.back());
        EXPECT_TRUE(search.find.Cancelled());
        search.find.FindFile("*.*", tree_.path());  // returns at once until StartFind
        EXPECT_EQ(search.results.size(), stopAt);
    }
}

TEST_F(MixedTree, AFolderThatCannotBeListedEndsOnlyItsOwnListing) {
    // Held without sharing (as if access were denied): the rest is listed.
    const std::string first = *std::find_if(walk_.events.begin(), walk_.events.end(),
                                            [](const std::string& event) { return event.starts_with("="); });
    const std::string held = first.substr(1, first.rfind('\\'));
    const platform::UniqueHandle lock(::CreateFileW(platform::ToSystemPath(held).c_str(), GENERIC_READ, 0, nullptr,
                                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ASSERT_TRUE(lock);
    std::vector<std::string> expected;
    for (const std::string& event : walk_.events)
        if (event.starts_with("=") && !event.starts_with("=" + held)) expected.push_back(event.substr(1));
    RecordedSearch search;
    EXPECT_EQ(search.Run("*.*", tree_.path()), expected) << held;
}

TEST_F(ClsFindFiles, SkippedMissingAndDownloadAcceleratorFolders) {
    for (const char* folder : {"DapTemp", "Temp\\Inner", "Temp2"}) MakeFolder(tree_ / folder);
    for (const char* file : {"DapTemp\\a.tmp", "b.tmp", "Temp\\a.bak", "Temp\\Inner\\b.bak", "Temp2\\c.bak"})
        WriteFile(tree_ / file, "x");
    TestDrive drive(tree_.path());
    ASSERT_NE(drive.letter(), 0);
    const std::string root = drive.root();
    EXPECT_TRUE(RecordedSearch().Run("*.*", root + "missing").empty());

    // Rows in another case, without the final slash; the drive root itself.
    junk::SaveSkipList({std::string(1, static_cast<char>(drive.letter() + 32)) + ":\\temp"});
    EXPECT_EQ(RecordedSearch().Run("*.bak", root), std::vector<std::string>{root + "Temp2\\c.bak"});
    junk::SaveSkipList({root});
    RecordedSearch rootSkipped;
    rootSkipped.Run("*.bak", root.substr(0, 2));  // "M:" searches "M:\"
    EXPECT_TRUE(rootSkipped.events.empty());
    junk::SaveSkipList({});

    // A 32-bit program: its settings are in the 32-bit registry view.
    const std::string key = "SOFTWARE\\Wow6432Node\\SpeedBit\\Download Accelerator";
    SetText(HKEY_LOCAL_MACHINE, key, "TempDirectory", root + "daptemp");
    EXPECT_EQ(RecordedSearch().Run("*.tmp", root), std::vector<std::string>{root + "b.tmp"});
    core::WriteIni(core::MainIniPath, "Jnk", "SkpDap", "0");
    EXPECT_EQ(RecordedSearch().Run("*.tmp", root).size(), 2u);
    ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, platform::ToWide(key).c_str(), KEY_WOW64_64KEY, 0);
}

TEST_F(ClsFindFiles, NeverEntersLinkedFolders) {
    // A drive on the prefix's folder of drive letters: Linux symbolic links
    // (reparse points), one to a folder with junk, one back to itself.
    TempFolder outside;
    WriteFile(outside / "outside.tmp", "x");
    TestDrive linked(outside.path());
    ASSERT_NE(linked.letter(), 0);
    std::string cUnix = UnixPathOf("C:\\");
    cUnix.erase(cUnix.rfind("/c:"));
    TestDrive links(TestDrive::UnixPath{cUnix});

    std::vector<platform::DirEntry> entries;
    ASSERT_TRUE(platform::ListFolder(links.root(), entries));
    ASSERT_GE(std::count_if(entries.begin(), entries.end(), [](auto& e) { return (e.attributes & 0x410) == 0x410; }),
              2);

    RecordedSearch search;
    size_t pathEvents = 0;
    search.find.FindPathChanged = [&] {
        if (++pathEvents > 20000) search.find.CancelSearch(true);  // a loop, without the rule
    };
    search.Run("outside.tmp", links.root());
    EXPECT_TRUE(search.results.empty());
    EXPECT_LT(pathEvents, 100u);
}

TEST_F(ClsFindFiles, A32BitProgramWalksAndChecksTheRealSystem32) {
    if (sizeof(void*) != 4 || platform::SystemWow64Folder().empty()) GTEST_SKIP() << "not redirected here";
    const std::string name = "\\clarimo-" + std::to_string(::GetCurrentProcessId());
    const std::string native = platform::WindowsFolder() + "\\Sysnative" + name + "-native.tmp";
    const std::string wow = platform::WindowsFolder() + "\\SysWOW64" + name + "-wow.tmp";
    for (const std::string& file : {native, wow}) WriteFile(file, "x");
    const std::vector<std::string> found = RecordedSearch().Run(name.substr(1) + "*.tmp", platform::SystemFolder());
    // A shortcut to a program only the 64-bit System32 holds is not broken.
    const auto target = junk::CheckShortcutTarget(platform::SystemFolder() + name + "-native.tmp");
    for (const std::string& file : {native, wow}) ::DeleteFileW(platform::ToSystemPath(file).c_str());
    EXPECT_EQ(found, std::vector<std::string>{native});
    EXPECT_EQ(target, junk::ShortcutTarget::Exists);
}
