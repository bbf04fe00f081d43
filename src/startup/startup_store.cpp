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
using platform::RegistryView;

platform::RegistryRoot RootOf(Hive hive) {
    return hive == Hive::CurrentUser ? platform::RegistryRoot::CurrentUser : platform::RegistryRoot::LocalMachine;
}

// A value's text as the page shows it: a list's first string.
std::string FirstString(const std::string& text) { return text.substr(0, text.find('\0')); }

bool Identical(const StartupEntry& a, const StartupEntry& b) {
    return a.name == b.name && a.command == b.command && a.originKey == b.originKey && a.valueType == b.valueType &&
           a.keptFile == b.keptFile;
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
// whole in the keeping folder under its kept name. True when it is no
// longer in Windows.
bool TakeOut(const StartupEntry& entry, const std::string& keepingFolder) {
    const Origin origin = ParseOrigin(entry.originKey, entry.name);
    if (!origin.valid) return false;
    if (origin.registry) return DeleteActiveEntry(entry);
    const std::string file = FolderEntryPath(entry);
    if (!sys::FileExists(file)) return true;
    if (keepingFolder.empty() || !sys::CreateFolderTree(keepingFolder)) return false;
    const core::ClsFileFolder files;
    files.MoveFile(file, files.AddSlash(keepingFolder) + KeptFileName(entry));
    return !sys::FileExists(file);
}

// Puts a kept entry back under its original name. What holds its place now
// is never replaced: a value with the same command is this entry already,
// anything else (a shortcut may differ in more than its target) keeps it kept.
ChangeOutcome PutBack(const StartupEntry& entry, const std::string& keepingFolder) {
    const Origin origin = ParseOrigin(entry.originKey, entry.name);
    if (!origin.valid) return ChangeOutcome::Failed;
    if (origin.registry) {
        if (const auto now = ReadRunValue(origin.hive, origin.keyPath, entry.name))
            return SameText(TrimBlanks(FirstString(now->text)), TrimBlanks(entry.command)) ? ChangeOutcome::Done
                                                                                           : ChangeOutcome::Occupied;
        return WriteRunValue(origin.hive, origin.keyPath, entry.name, entry.command,
                             IsTextType(entry.valueType) ? entry.valueType : kRegSz)
                   ? ChangeOutcome::Done
                   : ChangeOutcome::Failed;
    }
    const std::string file = FolderEntryPath(entry);
    if (sys::FileExists(file)) return ChangeOutcome::Occupied;
    if (!sys::CreateFolderTree(origin.folder)) return ChangeOutcome::Failed;
    const core::ClsFileFolder files;
    const std::string kept =
        keepingFolder.empty() ? std::string() : files.AddSlash(keepingFolder) + KeptFileName(entry);
    if (!kept.empty() && sys::FileExists(kept)) {
        files.MoveFile(kept, file);
    } else if (EndsWithText(file, ".lnk")) {
        // Only a shortcut can be made anew from the command.
        std::string withoutExtension = file.substr(0, file.size() - 4);
        files.CreateShortcut(ShortcutTarget(entry.command), withoutExtension);
    }
    return sys::FileExists(file) ? ChangeOutcome::Done : ChangeOutcome::Failed;
}

// A file name in the keeping folder for a folder entry about to be kept: its
// own name, else "Name (2).lnk" and so on, free on disk and claimed by no
// kept line.
std::optional<std::string> FreeKeptName(const std::string& keepingFolder, const std::string& file,
                                        const std::vector<StartupEntry>& kept) {
    const core::ClsFileFolder files;
    const size_t dot = file.find_last_of('.');
    const std::string stem = file.substr(0, dot), extension = dot == std::string::npos ? "" : file.substr(dot);
    for (int n = 1; n < 10000; ++n) {
        const std::string candidate = n == 1 ? file : stem + " (" + std::to_string(n) + ")" + extension;
        const bool claimed = std::any_of(kept.begin(), kept.end(), [&](const StartupEntry& k) {
            return !IsRegistryOrigin(k.originKey) && SameText(KeptFileName(k), candidate);
        });
        if (!claimed && !sys::FileExists(files.AddSlash(keepingFolder) + candidate)) return candidate;
    }
    return std::nullopt;
}

// Windows' own startup state of an entry; Clarimo only reads it.
bool OffByWindows(const RegistryLocation& approved, const std::string& name) {
    if (approved.keyPath.empty()) return false;
    const auto value = platform::ReadRegValue(RootOf(approved.hive), approved.keyPath, name, RegistryView::Bits64);
    return value && ApprovedValueIsOff(value->data);
}

}  // namespace

StartupLocations StartupLocations::System() {
    StartupLocations where;
    where.registry[0] = {{Hive::LocalMachine, kMachineRunKey, kApprovedRunKey},
                         {Hive::LocalMachine, kMachineRun32Key, kApprovedRun32Key},
                         {Hive::LocalMachine, kPolicyRunKey, {}, true}};
    where.registry[1] = {{Hive::LocalMachine, kMachineRunOnceKey}, {Hive::LocalMachine, kMachineRunOnce32Key}};
    where.registry[2] = {{Hive::CurrentUser, kUserRunKey, kApprovedRunKey},
                         {Hive::CurrentUser, kPolicyRunKey, {}, true}};
    where.registry[3] = {{Hive::CurrentUser, kUserRunOnceKey}};
    where.commonStartupApproved = {Hive::LocalMachine, kApprovedFolderKey};
    where.userStartupApproved = {Hive::CurrentUser, kApprovedFolderKey};
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

std::string FolderEntryPath(const StartupEntry& entry) {
    const Origin origin = ParseOrigin(entry.originKey, entry.name);
    return core::ClsFileFolder().AddSlash(origin.folder) + origin.file;
}

std::vector<StartupEntry> LoadSource(const StartupLocations& where, int source, int* foundCount) {
    std::vector<StartupEntry> entries;
    int found = 0;
    if (source >= 0 && source < 4) {
        for (const RegistryLocation& location : where.registry[source]) {
            const auto root = RootOf(location.hive);
            for (const platform::RegValueInfo& value :
                 platform::ListRegValues(root, location.keyPath, RegistryView::Bits64)) {
                if (value.size == 0) continue;
                ++found;
                const auto data = ReadRunValue(location.hive, location.keyPath, value.name);
                StartupEntry entry{value.name, data ? FirstString(data->text) : std::string(),
                                   RegistryOriginKey(location.hive, location.keyPath, value.name), value.type};
                entry.offByWindows = OffByWindows({location.hive, location.approvedKey}, value.name);
                entry.policy = location.policy;
                entries.push_back(std::move(entry));
            }
        }
    } else if (source == 4 || source == 5) {
        const std::string& folder = source == 4 ? where.commonStartupFolder : where.userStartupFolder;
        const RegistryLocation& approved = source == 4 ? where.commonStartupApproved : where.userStartupApproved;
        if (!folder.empty()) {
            const core::ClsFileFolder files;
            int position = 0;
            const std::vector<std::string> extensions(std::begin(kStartupFileExtensions),
                                                      std::end(kStartupFileExtensions));
            for (const std::string& file : sys::ListFiles(folder, extensions)) {
                ++position;
                ++found;
                const bool shortcut = EndsWithText(file, ".lnk");
                // A shortcut is named without its extension, any other file by its whole name.
                const std::string name = shortcut ? file.substr(0, file.size() - 4) : file;
                if (!core::HasText(shortcut ? name : file.substr(0, file.find_last_of('.')))) continue;
                std::string path = files.AddSlash(folder) + file;
                StartupEntry entry{name, shortcut ? files.GetShortCutPath(path) : path,
                                   FolderOriginKey(folder, position, shortcut ? "" : file), 0};
                entry.offByWindows = OffByWindows(approved, file);
                entries.push_back(std::move(entry));
            }
        }
    }
    if (foundCount) *foundCount = found;
    return entries;
}

std::optional<platform::RegValue> ReadRunValue(Hive hive, const std::string& keyPath, const std::string& name) {
    return platform::ReadRegValue(RootOf(hive), keyPath, name, RegistryView::Bits64);
}

bool WriteRunValue(Hive hive, const std::string& keyPath, const std::string& name, const std::string& text,
                   uint32_t type) {
    if (!IsTextType(type) || !platform::WriteRegValue(RootOf(hive), keyPath, name, type, text, RegistryView::Bits64))
        return false;
    const auto back = ReadRunValue(hive, keyPath, name);
    return back && back->type == type && back->text == text;
}

std::optional<std::vector<StartupEntry>> LoadKeepingFile(const std::string& path) {
    if (path.empty()) return std::vector<StartupEntry>();
    std::optional<std::vector<StartupEntry>> entries;
    const sys::HeldRead read = sys::ReadWhileHeld(path, [&] {
        entries = ParseKeepingFile([&path](const std::string& section, const std::string& key, const std::string& def) {
            return core::ReadIni(path, section, key, def);
        });
    });
    if (read == sys::HeldRead::Missing) return std::vector<StartupEntry>();
    return entries;
}

std::vector<StartupEntry> ReadKeepingFile(const std::string& path) {
    return LoadKeepingFile(path).value_or(std::vector<StartupEntry>());
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

std::optional<std::vector<ChangeOutcome>> ApplyStartupChanges(const StartupLocations& where, View view,
                                                              std::vector<PendingChange>& changes,
                                                              const StepHook& hook) {
    const auto step = [&hook](const std::string& name) {
        if (hook) hook(name);
    };
    std::vector<ChangeOutcome> outcomes(changes.size(), ChangeOutcome::Failed);
    if (changes.empty()) return outcomes;
    const std::string& file = where.KeepingFile(view);
    const std::string& keepingFolder = where.KeepingFolder(view);
    // Rewriting a file we could not read would drop every entry it keeps.
    const std::optional<std::vector<StartupEntry>> loaded = LoadKeepingFile(file);
    if (!loaded) return std::nullopt;
    const std::vector<StartupEntry>& before = *loaded;

    // 1. Everything to take out is written to the keeping file first, with
    //    the value's data and type as they are now. A line for the same value
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
            if (const auto now = ReadRunValue(origin.hive, origin.keyPath, entry.name)) {
                entry.command = now->text;
                entry.valueType = now->type;
            }
        }
        if (!CanKeep(entry)) {
            outcomes[i] = ChangeOutcome::NotKeepable;
            continue;
        }
        if (!origin.registry) {
            // Never over a file kept earlier under the same name.
            const std::string own = ParseOrigin(entry.originKey, entry.name).file;
            const auto name = FreeKeptName(keepingFolder, own, kept);
            if (!name) continue;
            entry.keptFile = SameText(*name, own) ? std::string() : *name;
        }
        TakeOutItem item{i, std::nullopt};
        // A kept shortcut is a file of its own, so only values share a line.
        const auto same =
            !origin.registry ? kept.end() : std::find_if(kept.begin(), kept.end(), [&](const StartupEntry& k) {
                return SameOrigin(k, entry) && SameEntry(k, entry);
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
        outcomes[i] = PutBack(changes[i].entry, keepingFolder);
        if (outcomes[i] == ChangeOutcome::Done) {
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
    if (origin.registry) {
        const auto root = RootOf(origin.hive);
        platform::RemoveRegValue(root, origin.keyPath, entry.name, RegistryView::Bits64);
        return platform::RegValueMissing(root, origin.keyPath, entry.name, RegistryView::Bits64);
    }
    const std::string file = FolderEntryPath(entry);
    if (!sys::FileExists(file)) return true;
    const core::ClsFileFolder files;
    return files.DeleteFile(file, false);
}

bool DeleteKeptEntry(const StartupLocations& where, View view, const StartupEntry& entry) {
    std::optional<std::vector<StartupEntry>> entries = LoadKeepingFile(where.KeepingFile(view));
    if (!entries) return false;
    if (!IsRegistryOrigin(entry.originKey)) {
        const std::string& folder = where.KeepingFolder(view);
        const core::ClsFileFolder files;
        const std::string kept = folder.empty() ? std::string() : files.AddSlash(folder) + KeptFileName(entry);
        if (!kept.empty() && sys::FileExists(kept) && !files.DeleteFile(kept, true)) return false;
    }
    const auto it =
        std::find_if(entries->begin(), entries->end(), [&](const StartupEntry& k) { return Identical(k, entry); });
    if (it == entries->end()) return true;
    entries->erase(it);
    return WriteKeepingFile(where.KeepingFile(view), *entries);
}

}  // namespace startup
