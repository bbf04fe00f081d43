#include "startup/startup_store.h"

#include <algorithm>
#include <optional>

#include "core/cls_file_folder.h"
#include "core/general.h"
#include "core/settings.h"
#include "platform/module_path.h"
#include "platform/startup_sources.h"

namespace startup {
namespace {

namespace sys = platform::startup_sources;

sys::Hive SystemHive(Hive hive) { return hive == Hive::CurrentUser ? sys::Hive::CurrentUser : sys::Hive::LocalMachine; }

bool Identical(const StartupEntry& a, const StartupEntry& b) {
    return a.name == b.name && a.command == b.command && a.originKey == b.originKey && a.valueType == b.valueType;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// What a new shortcut points at when the kept one is lost: the program path,
// or else the command itself without the quotes around its first part.
std::string ShortcutTarget(const std::string& command) {
    std::string target = core::GetProgramPath(command);
    if (!target.empty()) return target;
    target = TrimBlanks(command);
    if (!target.empty() && target.front() == '"') {
        const size_t close = target.find('"', 1);
        target = target.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    }
    return target;
}

// Takes an active entry out of Windows, keeping a startup-folder shortcut
// whole in the keeping folder. True when it is no longer in Windows.
bool TakeOut(const StartupEntry& entry, const std::string& keepingFolder) {
    const Origin origin = ParseOrigin(entry.originKey, entry.name);
    if (!origin.valid) return false;
    if (origin.registry) return sys::DeleteValue(SystemHive(origin.hive), origin.keyPath, entry.name);
    const std::string shortcut = ShortcutPath(origin.folder, entry.name);
    if (!sys::FileExists(shortcut)) return true;
    if (keepingFolder.empty() || !sys::CreateFolderTree(keepingFolder)) return false;
    const core::ClsFileFolder files;
    files.MoveFile(shortcut, ShortcutPath(keepingFolder, entry.name));
    return !sys::FileExists(shortcut);
}

// Puts a kept entry back. True when it is in Windows afterwards.
bool PutBack(const StartupEntry& entry, const std::string& keepingFolder) {
    const Origin origin = ParseOrigin(entry.originKey, entry.name);
    if (!origin.valid) return false;
    if (origin.registry)
        return sys::WriteTextValue(SystemHive(origin.hive), origin.keyPath, entry.name, entry.command,
                                   IsTextType(entry.valueType) ? entry.valueType : kRegSz);
    const std::string shortcut = ShortcutPath(origin.folder, entry.name);
    // Never replace a shortcut of that name that is there now.
    if (sys::FileExists(shortcut)) return false;
    if (!sys::CreateFolderTree(origin.folder)) return false;
    const core::ClsFileFolder files;
    const std::string kept = keepingFolder.empty() ? std::string() : ShortcutPath(keepingFolder, entry.name);
    if (!kept.empty() && sys::FileExists(kept)) {
        files.MoveFile(kept, shortcut);
    } else {
        std::string withoutExtension = ShortcutPath(origin.folder, entry.name);
        withoutExtension.resize(withoutExtension.size() - 4);
        files.CreateShortcut(ShortcutTarget(entry.command), withoutExtension);
    }
    return sys::FileExists(shortcut);
}

}  // namespace

StartupLocations StartupLocations::System() {
    StartupLocations where;
    where.registry[0] = {{Hive::LocalMachine, kMachineRunKey}, {Hive::LocalMachine, kMachineRun32Key}};
    where.registry[1] = {{Hive::LocalMachine, kMachineRunOnceKey}, {Hive::LocalMachine, kMachineRunOnce32Key}};
    where.registry[2] = {{Hive::CurrentUser, kUserRunKey}};
    where.registry[3] = {{Hive::CurrentUser, kUserRunOnceKey}};
    const core::ClsFileFolder files;
    where.commonStartupFolder = files.GetSpecialFolder(kCsidlCommonStartup);
    where.userStartupFolder = files.GetSpecialFolder(kCsidlStartup);
    where.allUsersKeepingFile = core::AssIniPath;
    where.currentUserKeepingFile = core::CssIniPath;
    std::string programFolder = FolderOf(core::AssIniPath);
    if (programFolder.empty()) programFolder = platform::ExecutableFolder();
    where.allUsersKeepingFolder = programFolder + "\\Startup Disabled\\All Users";
    where.currentUserKeepingFolder = programFolder + "\\Startup Disabled\\Current User";
    return where;
}

std::vector<int> SourcesOf(View view) {
    return view == View::AllUsers ? std::vector<int>{0, 1, 4} : std::vector<int>{2, 3, 5};
}

std::string ShortcutPath(const std::string& folder, const std::string& name) {
    const core::ClsFileFolder files;
    return files.AddSlash(folder) + name + ".lnk";
}

std::vector<StartupEntry> LoadSource(const StartupLocations& where, int source, int* foundCount) {
    std::vector<StartupEntry> entries;
    int found = 0;
    if (source >= 0 && source < 4) {
        for (const RegistryLocation& location : where.registry[source]) {
            for (const sys::RegValue& value : sys::ListValues(SystemHive(location.hive), location.keyPath)) {
                if (value.dataSize == 0) continue;
                ++found;
                entries.push_back({value.name, value.text,
                                   RegistryOriginKey(location.hive, location.keyPath, value.name), value.type});
            }
        }
    } else if (source == 4 || source == 5) {
        const std::string& folder = source == 4 ? where.commonStartupFolder : where.userStartupFolder;
        if (!folder.empty()) {
            const core::ClsFileFolder files;
            int position = 0;
            for (const std::string& file : sys::ListFiles(folder, ".lnk")) {
                ++position;
                ++found;
                const std::string name = file.substr(0, file.size() - 4);
                if (!core::HasText(name)) continue;
                std::string path = files.AddSlash(folder) + file;
                entries.push_back({name, files.GetShortCutPath(path), FolderOriginKey(folder, position), 0});
            }
        }
    }
    if (foundCount) *foundCount = found;
    return entries;
}

std::vector<StartupEntry> ReadKeepingFile(const std::string& path) {
    if (path.empty() || !sys::FileExists(path)) return {};
    return ParseKeepingFile([&path](const std::string& section, const std::string& key, const std::string& def) {
        return core::ReadIni(path, section, key, def);
    });
}

bool WriteKeepingFile(const std::string& path, const std::vector<StartupEntry>& entries) {
    if (path.empty()) return false;
    if (entries.empty()) {
        if (!sys::FileExists(path)) return true;
        const core::ClsFileFolder files;
        return files.DeleteFile(path, true);
    }
    return core::ReplaceIniFile(path, KeepingFileSections(entries));
}

std::vector<ChangeOutcome> ApplyStartupChanges(const StartupLocations& where, View view,
                                               std::vector<PendingChange>& changes, const StepHook& hook) {
    const auto step = [&hook](const std::string& name) {
        if (hook) hook(name);
    };
    std::vector<ChangeOutcome> outcomes(changes.size(), ChangeOutcome::Failed);
    const std::string& file = where.KeepingFile(view);
    const std::string& keepingFolder = where.KeepingFolder(view);
    const std::vector<StartupEntry> before = ReadKeepingFile(file);

    // 1. Everything to take out is written to the keeping file first, with
    //    the value's data and type as they are now. A line for the same entry
    //    from an earlier time is brought up to date rather than doubled.
    struct TakeOutItem {
        size_t change;
        std::optional<StartupEntry> replacedLine;
    };
    std::vector<TakeOutItem> toTakeOut;
    std::vector<StartupEntry> kept = before;
    for (size_t i = 0; i < changes.size(); ++i) {
        if (!changes[i].disable) continue;
        StartupEntry& entry = changes[i].entry;
        const Origin origin = ParseOrigin(entry.originKey, entry.name);
        if (!origin.valid) continue;
        if (origin.registry) {
            if (const auto now = sys::ReadValue(SystemHive(origin.hive), origin.keyPath, entry.name)) {
                entry.command = now->text;
                entry.valueType = now->type;
            }
        }
        if (!CanKeep(entry)) {
            outcomes[i] = ChangeOutcome::NotKeepable;
            continue;
        }
        TakeOutItem item{i, std::nullopt};
        const auto same = std::find_if(kept.begin(), kept.end(), [&](const StartupEntry& k) {
            return SameEntry(k, entry) && SameText(k.originKey, entry.originKey);
        });
        if (same != kept.end()) {
            item.replacedLine = *same;
            *same = entry;
        } else {
            kept.push_back(entry);
        }
        toTakeOut.push_back(std::move(item));
    }
    if (!toTakeOut.empty()) {
        if (!WriteKeepingFile(file, kept)) {
            toTakeOut.clear();
            kept = before;
        }
        step("keeping file written");
    }

    // 2. Then out of Windows.
    std::vector<StartupEntry> final = kept;
    bool fileChanged = false;
    for (const TakeOutItem& item : toTakeOut) {
        const StartupEntry& entry = changes[item.change].entry;
        const bool out = TakeOut(entry, keepingFolder);
        outcomes[item.change] = out ? ChangeOutcome::Done : ChangeOutcome::Failed;
        if (!out) {
            // Still in Windows: the keeping file goes back to what it held.
            const auto it =
                std::find_if(final.begin(), final.end(), [&](const StartupEntry& k) { return Identical(k, entry); });
            if (it != final.end()) {
                if (item.replacedLine)
                    *it = *item.replacedLine;
                else
                    final.erase(it);
                fileChanged = true;
            }
        }
        step("taken out " + entry.name);
    }

    // 3. Kept entries go back into Windows, and only then leave the file.
    for (size_t i = 0; i < changes.size(); ++i) {
        if (changes[i].disable) continue;
        const bool back = PutBack(changes[i].entry, keepingFolder);
        outcomes[i] = back ? ChangeOutcome::Done : ChangeOutcome::Failed;
        if (back) {
            const auto it = std::find_if(final.begin(), final.end(),
                                         [&](const StartupEntry& k) { return Identical(k, changes[i].entry); });
            if (it != final.end()) {
                final.erase(it);
                fileChanged = true;
            }
        }
        step("put back " + changes[i].entry.name);
    }

    // 4. The keeping file lets go of what is in Windows again.
    if (fileChanged) {
        WriteKeepingFile(file, final);
        step("keeping file final");
    }
    return outcomes;
}

bool DeleteActiveEntry(const StartupEntry& entry) {
    const Origin origin = ParseOrigin(entry.originKey, entry.name);
    if (!origin.valid) return false;
    if (origin.registry) return sys::DeleteValue(SystemHive(origin.hive), origin.keyPath, entry.name);
    const std::string shortcut = ShortcutPath(origin.folder, entry.name);
    if (!sys::FileExists(shortcut)) return true;
    const core::ClsFileFolder files;
    return files.DeleteFile(shortcut, false);
}

bool DeleteKeptEntry(const StartupLocations& where, View view, const StartupEntry& entry) {
    if (!IsRegistryOrigin(entry.originKey)) {
        const std::string& folder = where.KeepingFolder(view);
        const std::string kept = folder.empty() ? std::string() : ShortcutPath(folder, entry.name);
        if (!kept.empty() && sys::FileExists(kept)) {
            const core::ClsFileFolder files;
            if (!files.DeleteFile(kept, true)) return false;
        }
    }
    std::vector<StartupEntry> entries = ReadKeepingFile(where.KeepingFile(view));
    const auto it = std::find_if(entries.begin(), entries.end(), [&](const StartupEntry& k) {
        return k.name == entry.name && k.command == entry.command && k.originKey == entry.originKey;
    });
    if (it == entries.end()) return true;
    entries.erase(it);
    return WriteKeepingFile(where.KeepingFile(view), entries);
}

bool IsInSystem(const StartupEntry& entry) {
    const Origin origin = ParseOrigin(entry.originKey, entry.name);
    if (!origin.valid) return false;
    if (origin.registry) return sys::ReadValue(SystemHive(origin.hive), origin.keyPath, entry.name).has_value();
    return sys::FileExists(ShortcutPath(origin.folder, entry.name));
}

}  // namespace startup
