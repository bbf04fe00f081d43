#include "junk/junk_command_line.h"

#include <algorithm>

#include "core/cls_file_folder.h"
#include "core/results_tally.h"
#include "core/settings.h"
#include "junk/frm_junk.h"
#include "platform/console_output.h"
#include "platform/file_probe.h"
#include "platform/file_system.h"
#include "platform/module_path.h"
#include "platform/mutex.h"
#include "platform/process_info.h"

namespace junk {
namespace {

// The page's messages go to the error stream. The command itself is the
// user's go-ahead, so its confirmation is answered yes.
class PrintedPrompts : public core::Prompts {
public:
    explicit PrintedPrompts(const platform::ConsoleOutput& output) : output_(output) {}
    core::PromptAnswer Message(const std::string& text, const std::string&, core::PromptIcon,
                               core::PromptButtons buttons) override {
        if (buttons == core::PromptButtons::YesNo || buttons == core::PromptButtons::YesNoCancel)
            return core::PromptAnswer::Yes;
        output_.Err(text);
        return core::PromptAnswer::Ok;
    }
    std::string BrowseForFolder(const std::string&, unsigned) override { return {}; }
    std::string OpenFile(const core::FileDialogOptions&) override { return {}; }
    std::string SaveFile(const core::FileDialogOptions&) override { return {}; }

private:
    const platform::ConsoleOutput& output_;
};

// A scan writes the default file types to "Fts.ini" when it is missing. A
// run from the command line writes no settings, so the defaults go to a
// file of its own in the temporary folder, removed at the end.
class DefaultTypesAside {
public:
    DefaultTypesAside() {
        if (platform::ProbePath(core::FtsIniPath) != platform::PathState::Absent) return;
        path_ = platform::TempFolderWithSlash() + "Clarimo-" + std::to_string(platform::CurrentProcessId()) + ".ini";
        core::FtsIniPath = path_;
    }
    ~DefaultTypesAside() {
        if (!path_.empty()) platform::RemoveFile(path_);
    }
    DefaultTypesAside(const DefaultTypesAside&) = delete;
    DefaultTypesAside& operator=(const DefaultTypesAside&) = delete;

private:
    std::string path_;
};

char DriveLetter(const DriveRow& row) {
    const char c = row.Key[0];
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

// Ticks the requested drives of the page's list (none requested: the fixed
// ones); false, with the reason printed, when one is not in the list.
bool TickDrives(Frm_Junk& page, const std::vector<char>& drives, const platform::ConsoleOutput& output) {
    for (DriveRow& row : page.LvDrives)
        row.Checked = drives.empty() ? platform::GetDriveKind(row.Key) == platform::DriveType::Fixed
                                     : std::find(drives.begin(), drives.end(), DriveLetter(row)) != drives.end();
    for (const char letter : drives) {
        if (std::none_of(page.LvDrives.begin(), page.LvDrives.end(),
                         [&](const DriveRow& row) { return DriveLetter(row) == letter; })) {
            output.Err(std::string(1, letter) + ": is not a drive the junk cleaner searches.");
            return false;
        }
    }
    return true;
}

// Why a file the clean left in place stayed, asked after the clean.
std::string WhyItStayed(const ResultRow& row, const RemovalSettings& settings) {
    const std::optional<platform::DirEntry> now = platform::FindEntry(row.Key);
    if (!now) return "its size and date cannot be read";
    if (now->isFolder() || now->size != row.Size || now->lastWriteTime != row.Time) return "changed since the scan";
    if (std::string refusal = platform::DeletionRefusal(row.Key); !refusal.empty()) return refusal;
    return settings.DType == Move     ? "could not be moved to " + settings.TMove
           : settings.DType == Delete ? "could not be deleted"
                                      : "could not be moved to the recycle bin";
}

// Removes everything the scan listed, as the page's clean does.
int CleanResults(Frm_Junk& page, const platform::ConsoleOutput& output) {
    core::CleanedCount = 0;
    core::CleanedSize = 0;
    if (!page.LvResult.empty()) {
        bool started = false;
        page.EnableMainWindow = [&](bool enable) { started = started || !enable; };
        page.SetAllResults(true);
        page.FrmProg_Tm_Timer();
        if (!started) return Refused;  // a guard stopped it before anything was removed; the page said why
    }
    const RemovalSettings settings = ReadRemovalSettings();
    for (const ResultRow& row : page.LvResult)
        if (row.Checked) output.Out(OneLinePath(row.Key) + "\t" + WhyItStayed(row, settings));
    output.Out("Cleaned Space : " + core::ClsFileFolder().CalcSize(core::CleanedSize) +
               ", Files : " + std::to_string(core::CleanedCount));
    return page.CheckedResults() == 0 ? AllWell : SomeFilesStayed;
}

}  // namespace

int RunJunkCommandLine(const CommandLineRequest& request, const platform::ConsoleOutput& output) {
    if (request.action == CommandLineAction::Usage) {
        output.Out(CommandLineUsage());
        return AllWell;
    }
    if (request.action == CommandLineAction::Bad) {
        output.Err(request.error);
        output.Err(CommandLineUsage());
        return BadArguments;
    }
    const bool clean = request.action == CommandLineAction::Clean;
    platform::NamedMutex cleaning;
    if (clean) {
        cleaning = platform::NamedMutex::Create(kJunkCleanMutexName, true);
        if (!cleaning.Valid() || cleaning.AlreadyExisted()) {
            output.Err("Another clean is running.");
            return Refused;
        }
    }
    core::SetSettingsPaths(platform::ExecutableFolder());
    const DefaultTypesAside defaults;
    PrintedPrompts prompts(output);
    Frm_Junk page(prompts);
    page.LoadDrives();
    if (!TickDrives(page, request.drives, output)) return BadArguments;
    page.Cmd_Scan_Click();
    if (page.State != Results) return Refused;  // no file type ticked: the page said so
    if (clean) return CleanResults(page, output);
    for (const ResultRow& row : page.LvResult) output.Out(OneLinePath(row.Key));
    output.Out("Found Files : " + std::to_string(page.LvResult.size()) +
               ", All Files Size : " + core::ClsFileFolder().CalcSize(page.FoundBytes));
    return AllWell;
}

}  // namespace junk
