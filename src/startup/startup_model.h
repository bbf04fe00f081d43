// The startup entry, its origin key, the keeping file ("Ass.ini"/"Css.ini")
// and the page's pure rules. Portable: no Windows header.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings.h"
#include "platform/registry.h"

namespace startup {

// Registry value types the page deals with.
using platform::kRegExpandSz;
using platform::kRegSz;

inline constexpr char kHklmPrefix[] = "HKEY_LOCAL_MACHINE\\";
inline constexpr char kHkcuPrefix[] = "HKEY_CURRENT_USER\\";
inline constexpr char kMachineRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kMachineRunOnceKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
// Where 32-bit programs' machine-wide entries live on 64-bit Windows.
inline constexpr char kMachineRun32Key[] = "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kMachineRunOnce32Key[] = "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
inline constexpr char kUserRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kUserRunOnceKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

// Where Windows 8 and later keep their own on/off state of startup entries:
// one binary value per entry, named as the Run value or the folder's file.
inline constexpr char kApprovedRunKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
inline constexpr char kApprovedRun32Key[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run32";
inline constexpr char kApprovedFolderKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder";
// Run values set by policy: listed, never changed.
inline constexpr char kPolicyRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";

// The files of a startup folder that Windows starts; shortcuts first.
inline constexpr const char* kStartupFileExtensions[] = {".lnk", ".exe", ".bat", ".cmd", ".url", ".vbs", ".js"};

inline constexpr int kCsidlStartup = 7;
inline constexpr int kCsidlCommonStartup = 24;

// The view selector's items: index 0 and 1.
enum class View { CurrentUser = 0, AllUsers = 1 };
const char* ViewText(View view);  // "Current User", "All Users"

enum class Hive { CurrentUser, LocalMachine };

// One startup entry as the page lists it.
struct StartupEntry {
    std::string name;
    std::string command;
    std::string originKey;
    // Registry entries: the value's type; folder entries: 0.
    uint32_t valueType = kRegSz;
    // A disabled folder entry: its shortcut's file name in the keeping folder
    // when that is not Name + ".lnk" (another one of that name was kept first).
    std::string keptFile = {};
    // As listed from Windows: its own startup state turns the entry off; a
    // policy value, which the page shows but never changes.
    bool offByWindows = false;
    bool policy = false;
};

// A parsed origin key.
struct Origin {
    bool registry = false;
    Hive hive = Hive::LocalMachine;
    std::string keyPath;  // registry: the key holding the value
    std::string folder;   // folder: the startup folder
    std::string file;     // folder: the entry's file in it (Name + ".lnk" for a shortcut)
    bool valid = false;   // registry: the key ends in "\" + name
};

// "hkey" at the start, ignoring case.
bool IsRegistryOrigin(std::string_view originKey);
// Splits an origin key. A registry key must end in "\" + name (ignoring
// case); anything else is invalid, so a damaged file never makes the page
// write or delete a value in the wrong key.
Origin ParseOrigin(std::string_view originKey, std::string_view name);
std::string RegistryOriginKey(Hive hive, std::string_view keyPath, std::string_view valueName);
// A file other than a shortcut names itself after the position, so that it
// can be found again: "folder|3|tool.bat".
std::string FolderOriginKey(std::string_view folder, int position, std::string_view otherFile = {});

// Case-insensitive comparisons (ASCII letters; other characters as they are).
bool SameText(std::string_view a, std::string_view b);
bool EndsWithText(std::string_view text, std::string_view suffix);
std::string TrimBlanks(std::string_view text);
// Same Name (ignoring case) and same Command (ignoring case and blanks around it).
bool SameEntry(const StartupEntry& a, const StartupEntry& b);
// The same place in Windows: the same value of the same key (the key path
// names the registry view: "...\WOW6432Node\..." is the 32-bit programs'),
// or the same shortcut of the same startup folder. Case is ignored.
bool SameOrigin(const StartupEntry& a, const StartupEntry& b);
// The file name of a disabled folder entry in the keeping folder.
std::string KeptFileName(const StartupEntry& entry);

// Windows' startup state value: an odd first byte turns the entry off.
bool ApprovedValueIsOff(const std::vector<uint8_t>& data);
// The "Status" column: "Policy", "Disabled by Windows" or "".
std::string StatusText(const StartupEntry& entry);

// True for text types the keeping file can hold.
bool IsTextType(uint32_t valueType);
// A value the keeping file can hold and give back unchanged.
bool CanKeep(const StartupEntry& entry);

// The keeping file: Main/kn, Programs/Prog k, Command k, key k and, for a
// registry value that is not REG_SZ, Type k; for a shortcut kept under
// another name, File k.
using IniReader =
    std::function<std::string(const std::string& section, const std::string& key, const std::string& defaultValue)>;
// Every stored entry with a name (blank names are skipped), in file order;
// nothing when "kn" is not a count, as in a damaged file.
std::optional<std::vector<StartupEntry>> ParseKeepingFile(const IniReader& read);
// The file's sections; core::ReplaceIniFile stores them so that every value
// reads back unchanged.
std::vector<core::IniSection> KeepingFileSections(const std::vector<StartupEntry>& entries);

// The kept entries the page lists: a kept entry is hidden only when an active
// entry is the same entry in the same place. Answers the indexes into kept.
std::vector<size_t> VisibleKeptEntries(const std::vector<StartupEntry>& active, const std::vector<StartupEntry>& kept);
// A kept entry whose place an active entry of another command holds now.
bool ConflictsWithActive(const StartupEntry& kept, const std::vector<StartupEntry>& active);

// Saved display settings with their range rules.
struct DisplaySettings {
    int sortOrder = 1;   // 1 ascending, 2 descending
    int sortColumn = 1;  // 1 "Item", 2 "Command"
    int viewIndex = 1;   // 0 Current User, 1 All Users
    int viewMode = 3;    // 0 Large Icons, 1 Small Icons, 2 List, 3 Details
};
DisplaySettings ReadDisplaySettings(const std::string& srt, const std::string& col, const std::string& indx,
                                    const std::string& cv);
// Decimal text to a number; nullopt for anything else.
std::optional<long long> ParseNumber(std::string_view text);

// Next sort order of a clicked column: none/descending -> 1, ascending -> 2.
int NextSortOrder(int currentOrder);

// "Add New Program": a path that names an existing file and holds a blank is
// quoted, unless it is already.
std::string QuotePathForRun(const std::string& path, bool fileExists);

// The report's file name: ".txt" is added only to a name without an extension.
std::string ReportFileName(const std::string& chosen);

struct ReportLine {
    bool header = false;
    std::string text;
    std::string status = {};  // added in brackets after a program's name
};
// The report's text, every line ended by CR LF.
std::string ReportText(const std::string& computerName, const std::string& userName, int itemsNumber,
                       const std::vector<ReportLine>& rows, const std::string& dateTime);

}  // namespace startup
