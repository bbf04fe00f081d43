// Reading the six startup sources and the keeping files, and taking entries
// out of Windows and putting them back, so that an entry is always either in
// Windows or in its view's keeping file.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "startup/startup_model.h"

namespace startup {

struct RegistryLocation {
    Hive hive = Hive::CurrentUser;
    std::string keyPath;
    // Where Windows keeps the on/off state of this key's values, in the same
    // hive; empty when it keeps none.
    std::string approvedKey = {};
    bool policy = false;  // values set by policy: listed, never changed
};

// Where the page looks. System() gives the real places; tests inject their own.
struct StartupLocations {
    // Sources 0..3 (machine Run, machine RunOnce, user Run, user RunOnce):
    // each may have more than one key (the machine's native and 32-bit views).
    std::vector<RegistryLocation> registry[4];
    std::string commonStartupFolder;  // source 4
    std::string userStartupFolder;    // source 5
    // Windows' on/off state of the files of the two folders.
    RegistryLocation commonStartupApproved;
    RegistryLocation userStartupApproved;
    std::string allUsersKeepingFile;  // "Ass.ini"
    std::string currentUserKeepingFile;
    // Where disabled startup-folder shortcuts wait, one folder per view.
    std::string allUsersKeepingFolder;
    std::string currentUserKeepingFolder;

    static StartupLocations System();

    const std::string& KeepingFile(View view) const {
        return view == View::AllUsers ? allUsersKeepingFile : currentUserKeepingFile;
    }
    const std::string& KeepingFolder(View view) const {
        return view == View::AllUsers ? allUsersKeepingFolder : currentUserKeepingFolder;
    }
};

inline constexpr int kSourceCount = 6;
// The sources of a view, in loading order: 0, 1, 4 or 2, 3, 5.
std::vector<int> SourcesOf(View view);

// The entries of one source in listing order. foundCount (optional) gets the
// number of values with data, or of shortcut files, blank names included.
std::vector<StartupEntry> LoadSource(const StartupLocations& where, int source, int* foundCount = nullptr);

// The startup keys are read and written in the 64-bit view from either
// build, so that a key path names one key in both ("SOFTWARE\WOW6432Node\..."
// is the 32-bit programs' twin) and both views are listed.
std::optional<platform::RegValue> ReadRunValue(Hive hive, const std::string& keyPath, const std::string& name);
// Writes text as a value of that type (REG_SZ or REG_EXPAND_SZ), creating the
// key; true when the value now reads back with that type and text.
bool WriteRunValue(Hive hive, const std::string& keyPath, const std::string& name, const std::string& text,
                   uint32_t type);

// The entries of a keeping file; none when it is missing. Nothing when it is
// there but cannot be read (another program holds it) or is damaged: its
// entries must not be mistaken for none. The file is held open while it is
// read, so no other program can change or take it halfway.
std::optional<std::vector<StartupEntry>> LoadKeepingFile(const std::string& path);
// The same, with an unreadable file read as empty.
std::vector<StartupEntry> ReadKeepingFile(const std::string& path);
// Replaces the file atomically; with no entries the file is removed. True
// when the file now holds exactly these entries.
bool WriteKeepingFile(const std::string& path, const std::vector<StartupEntry>& entries);

// The file of a folder entry in its startup folder.
std::string FolderEntryPath(const StartupEntry& entry);

// Occupied: the entry's value or shortcut is there now with another command
// (enabling never replaces it), so the entry stays kept.
enum class ChangeOutcome { Done, Failed, NotKeepable, Occupied };

struct PendingChange {
    StartupEntry entry;
    bool disable = false;  // true: active -> kept; false: kept -> active
};

// Called after each step of an apply with a short name of the step; tests
// throw from it to stand for the program being killed at that point.
using StepHook = std::function<void(const std::string& step)>;

// Applies the changes of one view. Every entry to disable is first added to
// the keeping file, then taken out of Windows; every entry to enable is first
// put back into Windows, and leaves the keeping file only when it is there.
// Answers one outcome per change; entries[i] of a disabled change gets the
// value's type and data as they were taken out. Nothing, with nothing
// changed, when the keeping file is there but cannot be read.
std::optional<std::vector<ChangeOutcome>> ApplyStartupChanges(const StartupLocations& where, View view,
                                                              std::vector<PendingChange>& changes,
                                                              const StepHook& hook = {});

// Removes an active entry for good (the page's Delete); true when it is gone.
bool DeleteActiveEntry(const StartupEntry& entry);
// Forgets a kept entry: its keeping-folder shortcut, then its line in the
// file. False, with nothing changed, when the file cannot be read.
bool DeleteKeptEntry(const StartupLocations& where, View view, const StartupEntry& entry);

}  // namespace startup
