#include "core/settings.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/utf.h"
#include "support/temp_folder.h"

using core::ReadIni;
using core::WriteIni;
using testing_support::Exists;
using testing_support::ReadFileBytes;
using testing_support::TempFolder;

namespace {

// The text of a UTF-16LE file after its byte-order mark, as UTF-8.
std::string Utf16FileText(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    return platform::ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(bytes.data() + 2), bytes.size() / 2 - 1));
}

// UTF-8 text in the ANSI code page, as an ANSI settings file holds it.
std::string InAnsiCodePage(const std::string& text) {
    const std::wstring wide = platform::ToWide(text);
    const int n =
        ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(), n, nullptr, nullptr);
    return ansi;
}

size_t FolderEntries(const std::string& folder) {
    std::vector<platform::DirEntry> entries;
    platform::ListFolder(folder, entries);
    return entries.size();
}

// Changes when the file is replaced, not when it is rewritten in place.
uint64_t FileIdentity(const std::string& path) {
    platform::UniqueHandle file(::CreateFileW(platform::ToSystemPath(path).c_str(), 0,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                              OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file || !::GetFileInformationByHandle(file.get(), &information)) return 0;
    return uint64_t{information.nFileIndexHigh} << 32 | information.nFileIndexLow;
}

}  // namespace

// Windows starts no program from a path of MAX_PATH characters or more, so
// a settings file beside the program is at most 259 characters long; a
// longer one is beyond the profile functions, and nothing is pretended.
TEST(Settings, ReadsCreateNothingAndAWriteCreatesAUtf16FileWithTheOneKey) {
    TempFolder folder;
    std::string deep = folder.path();
    while (deep.size() < 260) deep += "\\dddddddd";
    deep.resize(259 - std::string("\\Qxs.ini").size());
    if (deep.back() == '\\') deep.back() = 'e';
    testing_support::MakeFolder(deep);
    core::SetSettingsPaths(deep);
    EXPECT_EQ(ReadIni(core::MainIniPath, "Main", "Padded", " 0 "), " 0 ");
    EXPECT_FALSE(Exists(core::MainIniPath));
    WriteIni(core::MainIniPath, "Main", "Trm", "\xD0\x96");
    EXPECT_EQ(ReadFileBytes(core::MainIniPath).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(Utf16FileText(core::MainIniPath), "[Main]\r\nTrm=\xD0\x96\r\n");
    WriteIni(deep + "\\LongerName.ini", "Main", "Trm", "0");
    EXPECT_FALSE(Exists(deep + "\\LongerName.ini"));
    WriteIni(folder / "missing\\Qxs.ini", "Main", "Trm", "0");
    EXPECT_FALSE(Exists(folder / "missing"));
}

TEST(Settings, EveryWriteReplacesTheFileAndABatchReplacesItOnce) {
    TempFolder folder;
    const std::string file = folder / "Qxs.ini";
    testing_support::WriteFile(file, "[Main]\r\nTrm=0\r\n; kept\r\n\r\n[Options]\r\nThm=2\r\n");
    const uint64_t original = FileIdentity(file);
    WriteIni(file, "Main", "Cb", " 3");
    const uint64_t replaced = FileIdentity(file);
    EXPECT_NE(replaced, original) << "rewritten in place: a crash would truncate it";
    EXPECT_EQ(ReadFileBytes(file), "[Main]\r\nTrm=0\r\n; kept\r\nCb=\" 3\"\r\n\r\n[Options]\r\nThm=2\r\n");
    {
        core::SettingsBatch batch;
        WriteIni(file, "Options", "DType", "3");
        WriteIni(file, "Jnk", "Hr", "0");
        EXPECT_EQ(ReadIni(file, "Options", "DType", "1"), "3");
        EXPECT_EQ(FileIdentity(file), replaced) << "stored before the action ended";
    }
    EXPECT_NE(FileIdentity(file), replaced);
    EXPECT_EQ(ReadIni(file, "Options", "DType", "1"), "3");
    EXPECT_EQ(ReadIni(file, "Jnk", "Hr", "1"), "0");
    EXPECT_EQ(ReadIni(file, "Options", "Thm", ""), "2");
    EXPECT_EQ(FolderEntries(folder.path()), 1u);

    // A file that cannot be read is never replaced by one with a single key.
    platform::UniqueHandle locked(::CreateFileW(platform::ToSystemPath(file).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                                nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(locked.valid());
    WriteIni(file, "Main", "Trm", "1");
    locked.reset();
    EXPECT_EQ(ReadIni(file, "Main", "Trm", ""), "0");
    EXPECT_EQ(ReadIni(file, "Options", "Thm", ""), "2");
}

// Values come back exactly as written: non-ANSI names and values, long ones,
// and the quotes and blanks the profile functions would strip.
TEST(Settings, ValuesReadBackExactlyAsWritten) {
    TempFolder folder;
    const std::string file = folder / "Css.ini";
    const std::string cyrillic = "\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD1\x8B";
    const std::string cjk = "\xE6\xBC\xA2\xE5\xAD\x97";
    const struct {
        std::string section, key, value;
    } entries[] = {
        {"Programs", cyrillic, "C:\\" + cyrillic + "\\" + cjk + ".exe"},
        {cjk, "Key", "\xF0\x9F\x98\x80 " + cjk},  // outside the BMP
        {"Main", "Long", "C:\\" + std::string(19996, 'x') + "\xD0\x96"},
        {"Main", "Path", "\"C:\\Program Files\\Tool\\tool.exe\""},
        {"Main", "Quoted", "\"C:\\Program Files\\Tool\\tool.exe\" -min"},
        {"Main", "Single", "'single'"},
        {"Main", "Quote", "\""},
        {"Main", "Both", "\"'both'\""},
        {"Main", "Cb", " 0"},  // written with one leading blank
        {"Main", "Padded", "  padded  "},
        {"Main", "Inner", "a \"quoted\" word"},
    };
    for (const auto& entry : entries) WriteIni(file, entry.section, entry.key, entry.value);
    for (const auto& entry : entries)
        EXPECT_EQ(ReadIni(file, entry.section, entry.key, "<none>"), entry.value) << entry.key;
    EXPECT_EQ(ReadFileBytes(file).find('?'), std::string::npos);
    // What an older version wrote without the extra quotes still reads.
    testing_support::WriteFile(folder / "old.ini", "[Programs]\r\nTool=\"C:\\a b\\tool.exe\"\r\n");
    EXPECT_EQ(ReadIni(folder / "old.ini", "Programs", "Tool", ""), "C:\\a b\\tool.exe");
}

TEST(Settings, AnAnsiFileStaysAnsiUntilAValueDoesNotFitThenKeepsEveryValue) {
    TempFolder folder;
    const std::string file = folder / "Fts.ini";
    const std::string cafe = "C:\\Caf\xC3\xA9";  // é is in every Western code page
    testing_support::WriteFile(
        file, InAnsiCodePage("[Main]\r\nVer=2\r\n[SkipList]\r\n1=" + cafe + "\r\n2=\"C:\\q\"\r\n; a comment\r\n"));
    WriteIni(file, "Main", "Count", "7");
    EXPECT_NE(ReadFileBytes(file).substr(0, 1), "\xFF") << "an ANSI value keeps the file ANSI";
    EXPECT_EQ(ReadIni(file, "SkipList", "1", ""), cafe);

    // ā has no place in the Western code pages; a best-fit "a" would be
    // stored without any "?" to show the loss.
    WriteIni(file, "SkipList", "3", "C:\\Bah\xC4\x81");
    EXPECT_EQ(ReadFileBytes(file).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(ReadIni(file, "SkipList", "3", ""), "C:\\Bah\xC4\x81");
    EXPECT_EQ(ReadIni(file, "SkipList", "1", ""), cafe);
    EXPECT_EQ(ReadIni(file, "SkipList", "2", ""), "C:\\q");
    EXPECT_EQ(ReadIni(file, "Main", "Ver", ""), "2");
    EXPECT_EQ(ReadIni(file, "Main", "Count", ""), "7");
    EXPECT_NE(Utf16FileText(file).find("; a comment"), std::string::npos);
    EXPECT_EQ(FolderEntries(folder.path()), 1u) << "the conversion leaves no file behind";
}

// Wine reuses process ids: a killed run may have left this process's
// temporary names behind, and they are overwritten.
TEST(Settings, ReplaceIniFileSwapsTheWholeFileAtOnce) {
    TempFolder folder;
    const std::string file = folder / "Ass.ini";
    WriteIni(file, "Programs", "Old", "gone soon");
    ASSERT_EQ(ReadIni(file, "Programs", "Old", ""), "gone soon");
    const std::string stale = file + "." + std::to_string(::GetCurrentProcessId()) + "-";
    for (int n = 0; n < 300; ++n) testing_support::WriteFile(stale + std::to_string(n) + ".new", "stale");

    const std::string cyrillic = "\xD0\x9F\xD1\x83\xD1\x81\xD0\xBA";  // Пуск
    const std::vector<core::IniSection> sections = {
        {"Main", {{"Count", "2"}}},
        {"Programs", {{cyrillic, "\"C:\\Program Files\\" + cyrillic + "\\run.exe\" -q"}, {"Quoted", "\"C:\\a.exe\""}}},
        {"Empty", {}},
    };
    ASSERT_TRUE(core::ReplaceIniFile(file, sections));
    // Read at once, although the profile functions had the old file cached.
    EXPECT_EQ(ReadIni(file, "Main", "Count", ""), "2");
    EXPECT_EQ(ReadIni(file, "Programs", "Old", "<none>"), "<none>");
    EXPECT_EQ(ReadIni(file, "Programs", cyrillic, ""), "\"C:\\Program Files\\" + cyrillic + "\\run.exe\" -q");
    EXPECT_EQ(ReadIni(file, "Programs", "Quoted", ""), "\"C:\\a.exe\"");
    for (int n = 0; n < 300; ++n) ::DeleteFileW(platform::ToWide(stale + std::to_string(n) + ".new").c_str());
    EXPECT_EQ(FolderEntries(folder.path()), 1u);

    // What could not be read back as written is refused (the portable ini
    // text test has every kind), and the file stays.
    const std::string before = ReadFileBytes(file);
    EXPECT_FALSE(core::ReplaceIniFile(file, {{"Main", {{"Key", "line\r\nInjected=1"}}}}));
    EXPECT_EQ(ReadFileBytes(file), before);
    EXPECT_EQ(FolderEntries(folder.path()), 1u);
}
