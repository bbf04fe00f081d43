#include "startup/startup_model.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace startup;

namespace {

// Reads the sections back as the settings store gives them: unchanged.
IniReader ReaderOf(const std::vector<core::IniSection>& sections) {
    return [sections](const std::string& section, const std::string& key, const std::string& def) {
        for (const auto& s : sections)
            if (s.name == section)
                for (const auto& [k, v] : s.entries)
                    if (k == key) return v;
        return def;
    };
}

}  // namespace

// How registry keys are written and read back is the startup fuzz target's check.
TEST(StartupOrigin, AKeyNotEndingInTheNameOrAFileOutsideTheFolderIsRefused) {
    for (const char* bad : {"HKEY_CURRENT_USER\\Software\\Run\\Other", "HKEY_CURRENT_USER\\Tool", "HKEY_CURRENT_USER"})
        EXPECT_FALSE(ParseOrigin(bad, "Tool").valid) << bad;

    // A folder entry: a shortcut named after the entry, any other file named in the key.
    const Origin o = ParseOrigin(FolderOriginKey("C:\\Start Menu\\Startup", 3), "Tool");
    EXPECT_TRUE(!o.registry && o.valid);
    EXPECT_EQ(o.folder + "|" + o.file, "C:\\Start Menu\\Startup|Tool.lnk");
    EXPECT_EQ(ParseOrigin(FolderOriginKey("C:\\S", 12, "run.bat"), "run.bat").file, "run.bat");
    EXPECT_FALSE(ParseOrigin("C:\\S|1|..\\..\\evil.bat", "evil.bat").valid);
}

TEST(StartupDisplaySettings, AValueOutOfRangeFallsBackToItsDefault) {
    const auto read = [](const char* srt, const char* col, const char* indx, const char* cv) {
        const DisplaySettings s = ReadDisplaySettings(srt, col, indx, cv);
        return std::make_tuple(s.sortOrder, s.sortColumn, s.viewIndex, s.viewMode);
    };
    EXPECT_EQ(read("2", "2", "0", "0"), std::make_tuple(2, 2, 0, 0));
    EXPECT_EQ(read("2", "5", "7", "x"), std::make_tuple(1, 1, 1, 3));  // a bad column takes the order with it
    EXPECT_EQ(read("3", "2", "-1", "4"), std::make_tuple(1, 1, 1, 3));
}

TEST(StartupKeepingFile, RoundTripsTypes) {
    std::vector<StartupEntry> entries = {
        {"Expand", "%ProgramFiles%\\b.exe /x", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Run\\Expand", kRegExpandSz},
        {"\xD0\x96 link", "C:\\\xE4\xB8\xAD.exe", "C:\\Startup|2", 0},
        {"Kept", "C:\\k.exe", "C:\\Startup|3", 0, "Kept (2).lnk"},
        {"run.bat", "C:\\Startup\\run.bat", "C:\\Startup|4|run.bat", 0, "run (2).bat"},
    };
    const auto sections = KeepingFileSections(entries);
    // Old files have no Type or File key: only entries that need one get it.
    std::vector<std::pair<std::string, std::string>> extraKeys;
    for (const auto& entry : sections[1].entries)
        if (entry.first.rfind("Type", 0) == 0 || entry.first.rfind("File", 0) == 0) extraKeys.push_back(entry);
    EXPECT_EQ(extraKeys, (std::vector<std::pair<std::string, std::string>>{
                             {"Type1", "2"}, {"File3", "Kept (2).lnk"}, {"File4", "run (2).bat"}}));

    const auto back = ParseKeepingFile(ReaderOf(sections));
    ASSERT_TRUE(back && back->size() == entries.size());
    const auto fields = [](const StartupEntry& e) {
        return std::make_tuple(e.name, e.command, e.originKey, e.valueType, e.keptFile);
    };
    for (size_t i = 0; i < entries.size(); ++i) EXPECT_TRUE(fields((*back)[i]) == fields(entries[i])) << i;
}

TEST(StartupKeepingFile, SkipsBlankNamesReadsOldFilesAndRefusesADamagedCount) {
    // clang-format off
    std::vector<core::IniSection> file = {{"Main", {{"kn", "4"}}}, {"Programs", {
        {"Prog1", "One"}, {"key1", "HKEY_CURRENT_USER\\R\\One"}, {"Command2", "c2"}, {"key2", "x"},
        {"Prog3", "Three"}, {"key3", "HKEY_CURRENT_USER\\R\\Three"}, {"Type3", "4"},
        {"Prog4", "Four"}, {"key4", "C:\\Startup|4"}, {"File4", "..\\..\\Windows\\x.lnk"}}}};
    // clang-format on
    auto entries = ParseKeepingFile(ReaderOf(file));
    ASSERT_TRUE(entries && entries->size() == 3u);
    EXPECT_EQ((*entries)[0].valueType, kRegSz);  // no Type key: REG_SZ
    EXPECT_EQ((*entries)[1].valueType, kRegSz);  // a type that is not text is not trusted
    EXPECT_EQ((*entries)[2].keptFile, "");       // nor a kept name that leads elsewhere

    // A count that is no count is a damaged file, not an empty one.
    for (const char* count : {"abc", "-2", ""}) {
        file[0].entries[0].second = count;
        EXPECT_FALSE(ParseKeepingFile(ReaderOf(file))) << count;
    }
}

TEST(StartupKeptEntries, HiddenOnlyWhenTheSameEntryIsActiveInTheSamePlace) {
    const std::vector<StartupEntry> active = {{"Tool", " C:\\TOOL.EXE ", "HKEY_CURRENT_USER\\R\\Tool", kRegSz},
                                              {"Other", "C:\\new.exe", "HKEY_CURRENT_USER\\R\\Other", kRegSz},
                                              {"Link", "C:\\l.exe", "C:\\Startup|1", 0}};
    const std::vector<StartupEntry> kept = {
        {"tool", "c:\\tool.exe", "HKEY_CURRENT_USER\\R\\tool", kRegSz},
        {"OTHER", "C:\\old.exe", "hkey_current_user\\r\\OTHER", kRegSz},
        {"Gone", "C:\\g.exe", "HKEY_CURRENT_USER\\R\\Gone", kRegSz},
        // Twins in another place: the machine's key, the 32-bit view, a startup folder.
        {"Tool", "C:\\tool.exe", "HKEY_LOCAL_MACHINE\\R\\Tool", kRegSz},
        {"Other", "C:\\old.exe", "HKEY_CURRENT_USER\\WOW6432Node\\R\\Other", kRegSz},
        {"Other", "C:\\old.exe", "C:\\Startup|2", 0},
        // The same shortcut at another position of the listing.
        {"link", "c:\\L.exe", "c:\\startup|7", 0},
    };
    EXPECT_EQ(VisibleKeptEntries(active, kept), (std::vector<size_t>{1, 2, 3, 4, 5}));
    std::vector<bool> conflicts;
    for (const StartupEntry& entry : kept) conflicts.push_back(ConflictsWithActive(entry, active));
    EXPECT_EQ(conflicts, (std::vector<bool>{false, true, false, false, false, false, false}));
}

TEST(StartupReport, FileNameAndText) {
    EXPECT_EQ(ReportFileName("C:\\r.d\\report"), "C:\\r.d\\report.txt");
    EXPECT_EQ(ReportFileName("C:\\r\\report.TXT"), "C:\\r\\report.TXT");
    EXPECT_EQ(ReportFileName("C:\\r\\report.log"), "C:\\r\\report.log");
    EXPECT_EQ(
        ReportText("PC", "me", 3, {{true, "Group"}, {false, "A", "Disabled by Windows"}, {false, "B"}}, "now"),
        "Startup Programs Report\r\n\r\nComputer Name : PC\r\nUser Name : me\r\nStartup Programs Number : 3\r\n\r\n"
        "Group\r\n  A (Disabled by Windows)\r\n  B\r\nReport Created By : Clarimo 2.0\r\n\r\nnow\r\n");
}
