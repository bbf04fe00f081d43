#include "junk/frm_junk.h"

#include <algorithm>

#include "core/general.h"
#include "core/results_tally.h"
#include "core/settings.h"
#include "junk/frm_clean_options.h"
#include "junk/junk_text.h"
#include "junk/result_export.h"
#include "junk/undo_log.h"
#include "platform/directory_walk.h"
#include "platform/file_probe.h"
#include "platform/file_system.h"
#include "platform/locale_format.h"
#include "platform/shell.h"
#include "platform/throttled_pump.h"

namespace junk {

namespace {

constexpr const char* kTitle = "Clarimo";
constexpr const char* kSelectAllHint = "Right click on the files list then click on select all to select all files.";

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return text;
}

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The folder of a full path, with its trailing "\".
std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('\\') + 1); }

std::string CountText(size_t n, const std::string& what) {
    return std::to_string(n) + (n == 1 ? " file" : " files") + " could not be " + what + ".";
}

}  // namespace

std::optional<std::string> FreeMoveTarget(const std::string& folderWithSlash, const std::string& name,
                                          platform::ThrottledPump& pump) {
    for (int n = 1; n < 10000; ++n) {
        const std::string target = folderWithSlash + (n == 1 ? name : NumberedName(name, n));
        switch (platform::ProbePath(platform::NativeSystemPath(target))) {
            case platform::PathState::Absent:
                return target;
            case platform::PathState::Unknown:
                return std::nullopt;  // an unreadable folder is no proof that a name is free
            case platform::PathState::Exists:
                break;
        }
        pump.Tick();
    }
    return std::nullopt;
}

namespace {

enum class Removal { NotTried, Absent, Gone, Stayed };

// Removes the file of row as the user saw it: a file gone since the scan is
// Absent (nothing to count, no failure); one written meanwhile (an autosave,
// a download) or one that cannot be read any more Stays.
Removal RemoveAsPreviewed(const ResultRow& row, RemovalType type, const std::string& moveFolder, UndoLogWriter& undo,
                          platform::ThrottledPump& pump) {
    if (platform::ProbePath(row.Key) == platform::PathState::Absent) return Removal::Absent;
    const std::optional<platform::DirEntry> now = platform::FindEntry(row.Key);
    if (!now || now->isFolder() || now->size != row.Size || now->lastWriteTime != row.Time) return Removal::Stayed;
    const core::ClsFileFolder files;
    bool gone = false;
    if (type == Move) {
        // Each move is in the undo record before it happens: no record, no move.
        const std::optional<std::string> target = FreeMoveTarget(moveFolder, row.Text, pump);
        gone = target && undo.Moving({row.Key, FileNameOf(*target), row.Size, row.Time}) &&
               files.MoveFile(row.Key, *target);
        if (gone) undo.Moved();
    } else {
        const std::optional<uint32_t> attributes = platform::GetAttributes(row.Key);
        platform::SetAttributes(row.Key, platform::attributes::kNormal);
        gone = type == RecycleBin ? files.DelToRecycBin(row.Key) : files.DeleteFile(row.Key, false);
        if (!gone && attributes) platform::SetAttributes(row.Key, *attributes);
    }
    return gone ? Removal::Gone : Removal::Stayed;
}

}  // namespace

RemovalSettings ReadRemovalSettings() {
    RemovalSettings settings;
    const std::string type = core::ReadIni(core::MainIniPath, "Options", "DType", "1");
    settings.DType = type == "2" ? Delete : type == "3" ? Move : RecycleBin;
    settings.TMove = core::ReadIni(core::MainIniPath, "Options", "TMove", "");
    settings.ConDlg = core::ReadIni(core::MainIniPath, "Options", "ConDlg", "1") == "1";
    return settings;
}

ShortcutTarget CheckShortcutTarget(const std::string& target) {
    if (target.size() < 3 || target[1] != ':' || target[2] != '\\') return ShortcutTarget::Unknown;
    const std::string root = target.substr(0, 3);
    const platform::DriveType kind = platform::GetDriveKind(root);
    if (kind == platform::DriveType::NoRootFolder || kind == platform::DriveType::Unknown ||
        kind == platform::DriveType::Remote || !platform::DriveReady(root))
        return ShortcutTarget::Unknown;
    switch (platform::ProbePath(platform::NativeSystemPath(target))) {
        case platform::PathState::Exists:
            return ShortcutTarget::Exists;
        case platform::PathState::Absent:
            return ShortcutTarget::Missing;
        default:
            return ShortcutTarget::Unknown;
    }
}

Frm_Junk::Frm_Junk(core::Prompts& prompts) : prompts_(prompts) {
    Launch = [this](const std::string& program, const std::string& parameters) {
        platform::ShellOpen(prompts_.Owner(), "open", program, parameters, "");
    };
    Find.FindPathChanged = [this] { pathDirty_ = true; };
    Find.FindResultChanged = [this] { FindResultChanged(); };
    // The path label follows the search only when the window can draw.
    Find.Pump().BeforePump = [this] {
        if (!pathDirty_) return;
        pathDirty_ = false;
        LbPath = Find.CurrentFolder;
        if (PathChanged) PathChanged();
    };
}

void Frm_Junk::Redraw() {
    if (Changed) Changed();
}

void Frm_Junk::LoadDrives() {
    std::vector<DriveRow> rows;
    for (const std::string& root : platform::LogicalDriveRoots()) {
        const platform::DriveType kind = platform::GetDriveKind(root);
        if (kind == platform::DriveType::Removable || kind == platform::DriveType::CdRom) continue;
        std::string drive = root.substr(0, 2);
        for (char& c : drive)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        const std::string key = drive + "\\";
        const auto kept =
            std::find_if(LvDrives.begin(), LvDrives.end(), [&](const DriveRow& r) { return r.Key == key; });
        if (kept != LvDrives.end()) {
            rows.push_back(*kept);
            continue;
        }
        DriveRow row;
        row.Key = key;
        row.Text = fileFolder_.GetDrvName(drive);
        rows.push_back(std::move(row));
        driveFigures_.Read(key);
    }
    const auto sameKey = [](const DriveRow& a, const DriveRow& b) { return a.Key == b.Key; };
    if (std::equal(rows.begin(), rows.end(), LvDrives.begin(), LvDrives.end(), sameKey)) return;
    LvDrives = std::move(rows);
    CheckedDrives =
        static_cast<int>(std::count_if(LvDrives.begin(), LvDrives.end(), [](const DriveRow& r) { return r.Checked; }));
    if (!Searching) Cmd_Scan_Enabled = CheckedDrives > 0;
    Redraw();
}

void Frm_Junk::TakeDriveFigures() {
    bool changed = false;
    for (const DriveFigures& figures : driveFigures_.TakeAnswers()) {
        const auto row =
            std::find_if(LvDrives.begin(), LvDrives.end(), [&](const DriveRow& r) { return r.Key == figures.root; });
        if (row == LvDrives.end()) continue;  // gone meanwhile
        const std::string drive = row->Key.substr(0, 2);
        row->Text = fileFolder_.GetDrvName(figures.label.empty() ? drive : drive + " [" + figures.label + "]");
        row->Capacity = figures.spaceKnown ? fileFolder_.CalcSize(figures.total) : std::string();
        row->FreeSpace = figures.spaceKnown ? fileFolder_.CalcSize(figures.freeToUser) : std::string();
        changed = true;
    }
    if (changed) Redraw();
}

void Frm_Junk::Tm_Timer() {
    if (!TmEnabled) return;
    const int ticked =
        static_cast<int>(std::count_if(LvDrives.begin(), LvDrives.end(), [](const DriveRow& r) { return r.Checked; }));
    if (ticked == CheckedDrives) return;
    CheckedDrives = ticked;
    if (!Searching) Cmd_Scan_Enabled = ticked > 0;
    Redraw();
}

void Frm_Junk::Time_Timer() {
    if (!TimeEnabled) return;
    if (++Seconds == 60) {
        Seconds = 0;
        if (++Minutes == 60) {
            Minutes = 0;
            ++Hours;
        }
    }
    L4 = "Elapsed Time : " + ElapsedTimeText(Hours, Minutes, Seconds);
    Redraw();
}

void Frm_Junk::EnDisButtons(bool enable) {
    if (EnDisButtonsHook) EnDisButtonsHook(enable);
}

void Frm_Junk::UpdateCleanButton() { Cmd_Del_Enabled = !Searching && !LvResult.empty(); }

void Frm_Junk::SaveCaptions() {
    savedL2_ = L2;
    savedL3_ = L3;
    savedL4_ = L4;
}

void Frm_Junk::Cmd_Scan_Click() {
    // A click that arrives while a stopped search is still unwinding (both
    // in one batch of messages) would start a scan inside the old one.
    if (scanLoopActive_ && State != Scanning) return;
    switch (State) {
        case 0:
            StartScan();
            break;
        case 1:
            StopScan();
            break;
        default:
            BackToDrives();
            break;
    }
}

void Frm_Junk::StartScan() {
    Scan_Tip = "Scan For Junk Files";
    if (platform::ProbePath(core::FtsIniPath) != platform::PathState::Exists) ChkDefLoad();
    FoundBytes = 0;
    Seconds = Minutes = Hours = 0;
    L2 = "Found Files : N/A";
    L3 = "All Files Size : N/A";
    BuildJunkPatterns();
    if (JunkPatternsEmpty()) {
        prompts_.Message("Please check the files types you want to search for.", kTitle, core::PromptIcon::Information);
        Scan_Tip = "Drives To Scan";
        Redraw();
        return;
    }
    EnDisButtons(false);
    L4 = "Elapsed Time : 0 Second";
    TmEnabled = false;
    TimeEnabled = true;
    State = Scanning;
    Cmd_Scan_Caption = "Stop";
    Searching = true;
    UpdateCleanButton();
    LvDrivesVisible = false;
    LvResultVisible = true;
    Pic_Scan_ToolsVisible = true;
    LbPathVisible = true;
    L1 = "Please Wait...";
    LvResult.clear();
    keys_.clear();
    Info.HideMessage();
    // The junk switches cannot change while the page scans (the options
    // link is disabled), so they are read once.
    switches_ = ReadScanSwitches();
    Find.StartFind();
    Redraw();

    scanLoopActive_ = true;
    for (size_t i = 0; i < LvDrives.size() && !Find.Cancelled(); ++i) {
        if (!LvDrives[i].Checked) continue;
        const std::string key = Upper(LvDrives[i].Key);
        L1 = "Current Drive : " + key;
        Redraw();
        Find.FindFile(JunkPatterns, key);
    }
    scanLoopActive_ = false;

    Find.CancelSearch(true);
    if (State == Scanning) {  // not stopped meanwhile
        L1 = "Complete...";
        TimeEnabled = false;
        LbPathVisible = false;
        SaveCaptions();
        Cmd_Scan_Caption = "< Back";
        State = Results;
        Searching = false;
        UpdateUndoLink();
    }
    UpdateCleanButton();
    Redraw();
}

void Frm_Junk::StopScan() {
    TimeEnabled = false;
    Find.CancelSearch(true);
    Searching = false;
    UpdateCleanButton();
    L1 = "Canceled...";
    LbPathVisible = false;
    SaveCaptions();
    Cmd_Scan_Caption = "< Back";
    State = Results;
    UpdateUndoLink();
    Redraw();
}

void Frm_Junk::BackToDrives() {
    LvResultVisible = false;
    Pic_Scan_ToolsVisible = false;
    LvResult.clear();
    keys_.clear();
    LvDrivesVisible = true;
    Undo_Visible = false;
    Info.HideMessage();
    core::CleanedCount = 0;
    core::CleanedSize = 0;
    Cmd_Scan_Caption = "Scan";
    Scan_Tip = "Drives To Scan";
    EnDisButtons(true);
    TmEnabled = true;
    State = Ready;
    Cmd_Scan_Enabled = CheckedDrives > 0;
    Redraw();
}

void Frm_Junk::FindResultChanged() {
    const std::string& found = Find.FoundFile;
    if (LowerExtension(found) == "lnk") {
        if (!switches_.ScanShortcuts) return;
        std::string shortcut = found;
        const std::string target = fileFolder_.GetShortCutPath(shortcut);
        if (target.empty()) return;
        // Only a target that is certainly gone makes the shortcut junk.
        if (CheckShortcutTarget(target) != ShortcutTarget::Missing) return;
    }
    // Files still being written (a download, an open document's temp file).
    constexpr uint64_t kDay = 24ull * 60 * 60 * 10000000;
    if (switches_.SkipRecent && Find.FoundFileTime + kDay > platform::CurrentFileTime()) return;
    if (switches_.SkipProtected &&
        (Find.FoundFileAttributes & (platform::kAttributeReadOnly | platform::kAttributeSystem)))
        return;
    if (keys_.insert(found).second) {
        ResultRow row;
        row.Key = found;
        row.Text = FileNameOf(found);
        row.Size = Find.FoundFileSize;
        row.Time = Find.FoundFileTime;
        LvResult.push_back(std::move(row));
        L2 = "Found Files : " + std::to_string(LvResult.size());
        FoundBytes += Find.FoundFileSize;
        L3 = "All Files Size : " + fileFolder_.CalcSize(FoundBytes);
    }
    if (!Searching) Find.CancelSearch(true);
}

std::string Frm_Junk::SizeText(const ResultRow& row) const { return fileFolder_.CalcSize(row.Size); }

std::string Frm_Junk::DateText(const ResultRow& row) { return platform::LocalDateTimeText(row.Time); }

void Frm_Junk::ShowResultDetails(int index) {
    if (Searching) return;
    if (index < 0 || static_cast<size_t>(index) >= LvResult.size()) {
        RestoreSummary();
        return;
    }
    const ResultRow& row = LvResult[static_cast<size_t>(index)];
    L1 = row.Text;
    L2 = "File Path : " + row.Key;
    L3 = "File Size : " + SizeText(row);
    L4 = "Date Modified : " + DateText(row);
    Redraw();
}

void Frm_Junk::RestoreSummary() {
    if (Searching) return;
    L1 = "Complete...";
    L2 = savedL2_;
    L3 = savedL3_;
    L4 = savedL4_;
    Redraw();
}

void Frm_Junk::SetAllResults(bool checked) {
    for (ResultRow& row : LvResult) row.Checked = checked;
    Redraw();
}

void Frm_Junk::SetAllDrives(bool checked) {
    for (DriveRow& row : LvDrives) row.Checked = checked;
    Tm_Timer();
    Redraw();
}

size_t Frm_Junk::CheckedResults() const {
    return static_cast<size_t>(
        std::count_if(LvResult.begin(), LvResult.end(), [](const ResultRow& r) { return r.Checked; }));
}

void Frm_Junk::NoItemsSelected(const std::string& text) {
    prompts_.Message(text, kTitle, core::PromptIcon::Information);
    Info.ShowInformation(kSelectAllHint);
    Redraw();
}

void Frm_Junk::Cmd_Del_Click() {
    L2.clear();
    L3.clear();
    L4.clear();
    if (LvResult.size() < 200 && CheckedResults() == 0) {
        NoItemsSelected("No items selected, Please select some items to delete");
        return;
    }
    Prog = ProgressState{};
    if (OpenProgressWindow)
        OpenProgressWindow();
    else
        FrmProg_Tm_Timer();
    if (core::CleanedCount != 0 && ShowResult) ShowResult();
    Redraw();
}

void Frm_Junk::FrmProg_Tm_Timer() {
    const RemovalSettings settings = ReadRemovalSettings();
    const size_t ticked = CheckedResults();
    Prog.Max = ticked;
    if (ticked == 0) {
        NoItemsSelected("No items selected, Please select items to delete");
        return;
    }
    // An unplugged or deleted move folder must not turn the move into
    // another kind of removal.
    if (settings.DType == Move && (!core::HasText(settings.TMove) || !platform::FolderExists(settings.TMove))) {
        prompts_.Message("The folder to move removed files to cannot be found:\r\n" + settings.TMove +
                             "\r\nNothing was removed. Please check the folder on the Options page.",
                         kTitle, core::PromptIcon::Exclamation);
        return;
    }
    std::string question = "Are you sure you want to delete selected items ?";
    if (settings.DType == Delete) question += "\r\n\r\nDeleted files cannot be brought back: there is no undo.";
    if (settings.ConDlg && prompts_.Message(question, kTitle, core::PromptIcon::Information,
                                            core::PromptButtons::YesNo) != core::PromptAnswer::Yes)
        return;
    // Each move is in "Undo.ini" before it happens: no record, no move.
    const std::string moveFolder = fileFolder_.AddSlash(settings.TMove);
    UndoLogWriter undo(UndoLogPath());
    if (settings.DType == Move && !undo.Begin(moveFolder)) {
        prompts_.Message("The undo record \"" + UndoLogPath() +
                             "\" cannot be written.\r\nNothing was moved. Please check that the program's folder "
                             "can be written to.",
                         kTitle, core::PromptIcon::Exclamation);
        return;
    }

    if (EnableMainWindow) EnableMainWindow(false);
    Prog.Visible = true;
    platform::ThrottledPump pump;
    pump.BeforePump = [this] {
        if (ProgressChanged) ProgressChanged();
    };
    // The removals wait on the system (the recycle bin above all): a worker
    // makes them in order, while this thread counts, draws and pumps. The
    // undo record is the worker's alone until it has ended.
    std::vector<size_t> chosen;
    for (size_t i = 0; i < LvResult.size(); ++i)
        if (LvResult[i].Checked) chosen.push_back(i);
    std::vector<ResultRow> toRemove;
    for (size_t i : chosen) toRemove.push_back(LvResult[i]);
    std::vector<Removal> outcomes(chosen.size(), Removal::NotTried);
    size_t failures = 0;
    platform::RunStepsWhilePumping(
        chosen.size(),
        [&](size_t i) {
            platform::ThrottledPump own;  // the worker's own queue, no window
            outcomes[i] = RemoveAsPreviewed(toRemove[i], settings.DType, moveFolder, undo, own);
        },
        [&](size_t i) {
            Prog.Tip = "Deleting : " + toRemove[i].Text;
            ++Prog.Value;
            if (outcomes[i] == Removal::Gone) {
                ++core::CleanedCount;
                core::CleanedSize += toRemove[i].Size;
            } else if (outcomes[i] == Removal::Stayed) {
                ++failures;
            }
        },
        pump);
    // Rows stay unless their file went; a removal stopped by the program's
    // end leaves the rest ticked and in place.
    std::vector<ResultRow> kept;
    kept.reserve(LvResult.size());
    for (size_t i = 0, next = 0; i < LvResult.size(); ++i) {
        const bool wasChosen = next < chosen.size() && chosen[next] == i;
        const Removal outcome = wasChosen ? outcomes[next++] : Removal::NotTried;
        if (outcome != Removal::Gone && outcome != Removal::Absent) kept.push_back(std::move(LvResult[i]));
    }
    LvResult = std::move(kept);
    keys_.clear();
    for (const ResultRow& row : LvResult) keys_.insert(row.Key);
    Prog.Visible = false;
    if (EnableMainWindow) EnableMainWindow(true);
    LastFailures = failures;
    if (core::CleanedCount > 0) lastRemoval_ = settings.DType;
    UpdateUndoLink();
    if (failures > 0) {
        // The report must be seen: the balloon would keep an older hint.
        Info.HideMessage();
        Info.ShowInformation(
            CountText(failures, settings.DType == 1 ? "moved to the recycle bin and stayed in place" : "removed"));
    }
    UpdateCleanButton();
    Redraw();
}

void Frm_Junk::UpdateUndoLink() {
    // Before any clean of this session, the record of an earlier one counts.
    const RemovalType last = lastRemoval_.value_or(Move);
    Undo_Visible = State == Results && (last == RecycleBin || (last == Move && HasMovedFiles(UndoLogPath())));
}

void Frm_Junk::Undo_Click() {
    if (!Undo_Visible) return;
    if (lastRemoval_ == RecycleBin) {
        prompts_.Message("The last clean sent its files to the Recycle Bin: open the Recycle Bin to restore them.",
                         kTitle, core::PromptIcon::Information);
        return;
    }
    const UndoOutcome outcome = UndoLastClean(UndoLogPath());
    std::string text = std::to_string(outcome.Restored) + (outcome.Restored == 1 ? " file" : " files") + " came back.";
    if (outcome.NotRestored > 0)
        text += "\r\n" + CountText(outcome.NotRestored, "moved back: the place is taken, or the move folder lost it");
    prompts_.Message(text, kTitle, core::PromptIcon::Information);
    UpdateUndoLink();
    Redraw();
}

void Frm_Junk::OpenContainingFolder(int index) {
    if (index < 0 || static_cast<size_t>(index) >= LvResult.size() || !Launch) return;
    Launch("explorer.exe", "/select,\"" + LvResult[static_cast<size_t>(index)].Key + "\"");
}

void Frm_Junk::SkipFolderOf(int index) {
    if (Searching || index < 0 || static_cast<size_t>(index) >= LvResult.size()) return;
    const std::string folderWithSlash = FolderOf(LvResult[static_cast<size_t>(index)].Key);
    // Stored as the options dialog stores a picked folder: no trailing "\"
    // but on a drive's root.
    const std::string folder =
        folderWithSlash.size() > 3 ? folderWithSlash.substr(0, folderWithSlash.size() - 1) : folderWithSlash;
    std::vector<std::string> skipped = LoadSkipList();
    const std::string key = LowerForCompare(folder);
    if (std::none_of(skipped.begin(), skipped.end(),
                     [&](const std::string& row) { return LowerForCompare(row) == key; })) {
        skipped.push_back(folder);
        SaveSkipList(skipped);
    }
    const std::string prefix = LowerForCompare(folderWithSlash);
    std::erase_if(LvResult, [&](const ResultRow& row) { return LowerForCompare(row.Key).starts_with(prefix); });
    keys_.clear();
    FoundBytes = 0;
    for (const ResultRow& row : LvResult) {
        keys_.insert(row.Key);
        FoundBytes += row.Size;
    }
    savedL2_ = "Found Files : " + std::to_string(LvResult.size());
    savedL3_ = "All Files Size : " + fileFolder_.CalcSize(FoundBytes);
    UpdateCleanButton();
    RestoreSummary();
}

void Frm_Junk::ExportList() {
    core::FileDialogOptions options;
    options.title = "Export List";
    options.filter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*";
    options.defaultExtension = "txt";
    options.initialName = "Junk Files.txt";
    const std::string path = prompts_.SaveFile(options);
    if (!path.empty() && !ExportResultList(path, LvResult))
        prompts_.Message("The list could not be saved to:\r\n" + path, kTitle, core::PromptIcon::Exclamation);
}

}  // namespace junk
