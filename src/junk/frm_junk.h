// The junk files page: drive list, scan, result list and the removal that
// the progress window FrmProg runs. Logic only; FrmJunkWindow draws it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/cls_file_folder.h"
#include "core/prompts.h"
#include "junk/cls_find_files.h"
#include "junk/drive_figures.h"
#include "junk/junk_types.h"
#include "platform/throttled_pump.h"

namespace junk {

struct DriveRow {
    std::string Key;  // "c:\"
    std::string Text;
    std::string Capacity;
    std::string FreeSpace;
    bool Checked = false;
};

struct ResultRow {
    std::string Key;   // full path
    std::string Text;  // file name
    uint64_t Size = 0;
    uint64_t Time = 0;  // last write, FILETIME units
    bool Checked = false;
};

// The page's balloon message. Like the control it stands for, it keeps the
// message it shows until hidden.
struct BalloonState {
    bool Visible = false;
    bool IsError = false;
    std::string Text;
    void ShowInformation(const std::string& text) {
        if (Visible) return;
        Visible = true;
        IsError = false;
        Text = text;
    }
    void HideMessage() { Visible = false; }
};

// How removed files are disposed of; the numbers are the stored "DType".
// Unscoped, so that a number compares with it as the stored value does.
enum RemovalType : int { RecycleBin = 1, Delete = 2, Move = 3 };

// The removal settings of the options page, as stored.
struct RemovalSettings {
    RemovalType DType = RecycleBin;
    std::string TMove;   // folder to move to
    bool ConDlg = true;  // ask first
};
RemovalSettings ReadRemovalSettings();

// The first free name for name in the folder: name, then "name (2).ext" up
// to "name (9999).ext". nullopt when none is free, or as soon as a name can
// be neither found nor ruled out (a share that dropped, access denied).
// Pumps while it probes.
std::optional<std::string> FreeMoveTarget(const std::string& folderWithSlash, const std::string& name,
                                          platform::ThrottledPump& pump);

// Whether a shortcut's target is there. Unknown when it cannot be known:
// a drive that is missing or not ready, a network path, a relative path.
enum class ShortcutTarget { Exists, Missing, Unknown };
ShortcutTarget CheckShortcutTarget(const std::string& target);

// The progress window's state while removing.
struct ProgressState {
    bool Visible = false;  // the bar
    std::string Tip = "Checking Items, Please Wait...";
    size_t Max = 0;
    size_t Value = 0;
};

// The page's state: the drive list, a scan running, the results shown.
enum JunkState : int { Ready = 0, Scanning = 1, Results = 2 };

class Frm_Junk {
public:
    explicit Frm_Junk(core::Prompts& prompts);

    // Page state (what the window draws).
    JunkState State = Ready;
    bool Searching = false;
    std::vector<DriveRow> LvDrives;
    std::vector<ResultRow> LvResult;
    std::string Cmd_Scan_Caption = "Scan";
    bool Cmd_Scan_Enabled = false;
    bool Cmd_Del_Enabled = false;
    std::string Scan_Tip = "Drives To Scan";
    std::string L1;
    std::string L2 = "Found Files : N/A";
    std::string L3 = "All Files Size : N/A";
    std::string L4 = "Elapsed Time : N/A";
    std::string LbPath;  // folder being searched; drawn when the search pumps
    bool LvDrivesVisible = true;
    bool LvResultVisible = false;
    bool Pic_Scan_ToolsVisible = false;
    bool LbPathVisible = false;
    bool TmEnabled = true;
    bool TimeEnabled = false;
    BalloonState Info;
    uint64_t FoundBytes = 0;
    int Seconds = 0;
    int Minutes = 0;
    int Hours = 0;
    int CheckedDrives = 0;
    ClsFindFiles Find;
    ProgressState Prog;
    // The "< Back" view's link "Undo Last Clean": shown while the last clean
    // moved files (or sent them to the recycle bin, which it points to).
    bool Undo_Visible = false;

    // Ties to the main window and to the page's own window.
    std::function<void(bool)> EnDisButtonsHook;  // privacy buttons, options' junk link
    std::function<void()> ShowResult;            // the main window's result strip
    std::function<void(bool)> EnableMainWindow;  // off while removing
    std::function<void()> OpenProgressWindow;    // shows FrmProg modally; it calls FrmProg_Tm_Timer
    std::function<void()> ProgressChanged;       // redraw FrmProg
    std::function<void()> PathChanged;           // redraw LbPath
    std::function<void()> Changed;               // redraw the page
    // Starts a program ("Open Containing Folder"); the shell's by default.
    std::function<void(const std::string& program, const std::string& parameters)> Launch;

    // Fills LvDrives: fixed, network and RAM drives; not floppy, removable
    // or optical ones. Called again, it follows drives that came or went and
    // keeps the rows (and ticks) of those that stayed. A new row shows at
    // once; its label and figures are read on a worker and arrive through
    // TakeDriveFigures.
    void LoadDrives();
    // Puts the labels and figures that arrived into their rows.
    void TakeDriveFigures();
    void Tm_Timer();    // drive ticks watch
    void Time_Timer();  // elapsed-time clock, each second while scanning
    void Cmd_Scan_Click();
    void Cmd_Del_Click();
    // The removal, run by FrmProg once it shows.
    void FrmProg_Tm_Timer();
    void EnDisButtons(bool enable);

    // Result details: shows row index in the labels (not while searching).
    void ShowResultDetails(int index);
    void RestoreSummary();
    void SetAllResults(bool checked);
    void SetAllDrives(bool checked);
    size_t CheckedResults() const;
    // True when the result view shows and holds no row (ShowResult then
    // returns to the drive list).
    bool ResultListEmptied() const { return LvResultVisible && LvResult.empty(); }

    // The result list's menu entries below Properties, for row index.
    void OpenContainingFolder(int index);
    // Adds the row's folder to the skipped folders (once) and takes every
    // row below it out of the list and the totals.
    void SkipFolderOf(int index);
    void ExportList();
    void Undo_Click();

    // Texts of a result row's columns.
    std::string SizeText(const ResultRow& row) const;
    static std::string DateText(const ResultRow& row);

    // Files that stayed in the last removal, and why the balloon says so.
    size_t LastFailures = 0;

private:
    void StartScan();
    void StopScan();
    void BackToDrives();
    void FindResultChanged();
    void UpdateCleanButton();
    void SaveCaptions();
    void Redraw();
    void NoItemsSelected(const std::string& text);
    void UpdateUndoLink();

    core::Prompts& prompts_;
    core::ClsFileFolder fileFolder_;
    JunkScanSwitches switches_;
    std::unordered_set<std::string> keys_;
    bool scanLoopActive_ = false;
    bool pathDirty_ = false;
    std::string savedL2_, savedL3_, savedL4_;
    std::optional<RemovalType> lastRemoval_;  // of this session's last clean that removed something
    DriveFiguresReader driveFigures_;
};

}  // namespace junk
