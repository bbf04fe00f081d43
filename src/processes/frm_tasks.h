// The process page's logic: the rows of the process list filled the
// Windows NT way or the Windows 98/Me way, the information panel, and the
// one-second refresh that updates rows in place. The window class draws
// this state and forwards the user's actions.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/cls_file_folder.h"
#include "core/prompts.h"
#include "platform/process_info.h"
#include "platform/window_handle.h"
#include "processes/cpu_meter.h"
#include "processes/frm_proc_menus.h"

namespace processes {

// One listed process, keyed by its identifier.
struct TaskRow {
    uint32_t id = 0;
    std::string key;            // the identifier as decimal text
    std::string name;           // the executable's file name
    std::string tag;            // the executable's full path, "" when none was found
    std::string iconPath;       // tag when that file exists, else "" (the default picture)
    std::string memory;         // "Memory Usage" (NT way only)
    uint64_t workingSet = 0;    // what memory shows, so that an unchanged figure is not formatted again
    std::string priority;       // "Priority"
    std::string threads;        // "Threads"
    uint64_t creationTime = 0;  // FILETIME (UTC) of the listed process, 0 when unknown
    std::string cpu;            // "CPU" (NT way only): whole percent over the last tick
    double cpuShare = 0;        // what cpu shows, 0..1, for sorting
};

enum class TaskColumn { Name, Memory, Priority, Threads, Cpu };

struct TaskColumnLayout {
    TaskColumn what;
    std::string title;
    int twips;
};

// Whether the process behind a row's identifier is still the one listed.
enum class RowIdentity { Same, Gone, Replaced };

class Frm_Tasks {
public:
    explicit Frm_Tasks(core::Prompts& prompts);
    Frm_Tasks(const Frm_Tasks&) = delete;
    Frm_Tasks& operator=(const Frm_Tasks&) = delete;

    // Chooses the Windows 98/Me way; asked anew at every load, refresh and
    // tick. Tests of that way set their own.
    std::function<bool()> isWin9x;

    // Set by the window.
    std::function<void()> onLoading;  // rows cleared and the list hidden: repaint "Loading ..." now
    std::function<void()> onRebuilt;  // the rows are new or in a new order, and so is the panel
    std::function<void(size_t row, TaskColumn column)> onCellChanged;
    std::function<void()> onStatusChanged;  // L2, L3, L4 or the picture
    std::function<void()> onTimerChanged;
    std::function<void()> onShowDetails;  // open the details window for the selected row
    platform::WindowHandle owner = nullptr;
    // Where the critical system programs live; tests point it at a folder
    // of their own.
    std::string systemFolder;

    // Columns for the platform, then the platform's loader.
    void Form_Load();
    void LoadProcListXp();
    void LoadProcList9x();
    // The loaders over entries already taken from a snapshot.
    void LoadProcListXpFrom(const std::vector<platform::ProcessEntry>& entries);
    void LoadProcList9xFrom(const std::vector<platform::ProcessEntry>& entries);
    // The platform's loader.
    void Reload();

    // A click on a column header: sorts by it, a second click reverses.
    // The order holds through ticks and reloads.
    void SortBy(TaskColumn column);
    bool SortedBy(TaskColumn column) const { return sorted_ && sortColumn_ == column; }
    bool SortDescending() const { return sortDescending_; }

    // The refresh timer's tick, and the same over entries already taken.
    void Tm_Timer();
    void TickFrom(const std::vector<platform::ProcessEntry>& entries);
    void SetTimerEnabled(bool enabled);
    bool TimerEnabled() const { return timerEnabled_; }

    // A click on a row or the selection moved by keyboard; -1: none.
    void SelectRow(int row);
    int SelectedRow() const { return selectedRow_; }
    const TaskRow* SelectedTask() const;
    // The list control's own reset notification.
    void ListReset() { StatusReset(); }

    // Compares the process now behind row.id with what the row lists.
    RowIdentity CheckRow(const TaskRow& row) const;
    // One of the processes Windows cannot run without.
    bool IsCritical(const TaskRow& row) const;

    core::Prompts& Prompts() { return prompts_; }
    const core::ClsFileFolder& Files() const { return files_; }
    bool ShownAsWin9x() const { return shownAsWin9x_; }

    std::vector<TaskRow> Lv;
    std::vector<TaskColumnLayout> Columns;
    bool ListVisible = true;  // false while a reload runs: L1 shows
    std::string L1 = "Loading Processes List...";
    std::string L2;
    std::string L3;
    std::string L4;
    std::string ProgPic;  // the picture's file, "" for the default picture
    FrmProcMenus Menus;

    // What the benchmark and the tests count.
    uint64_t cellWrites = 0;
    uint64_t rebuilds = 0;

private:
    // A process the tick may list, with what it read about it.
    struct Eligible {
        const platform::ProcessEntry* entry;
        platform::ProcessFacts facts;
    };

    bool Win9x() const;
    void FillXp(const std::vector<platform::ProcessEntry>& entries);
    void SampleCpu(const std::vector<platform::ProcessEntry>& entries);
    // Puts the rows in the chosen order and finds the selected process
    // again; true when a row moved.
    bool SortRows();
    void IndexRows();
    void BeginLoad();
    void EndLoad();
    void StatusReset();
    void SetCell(size_t row, TaskColumn column, std::string& cell, std::string text);
    bool SameListing() const;
    bool Excluded(const platform::ProcessEntry& entry) const;
    void ReopenListed();

    core::Prompts& prompts_;
    core::ClsFileFolder files_;
    // Kept between ticks so that a tick allocates nothing when nothing changed.
    platform::ProcessSnapshot snapshot_;
    std::vector<Eligible> eligible_;
    std::unordered_map<uint32_t, size_t> rowOf_;  // row index by identifier, made at each load
    // The listed processes, held open while the timer runs so that a tick
    // asks without opening them again; and the processes that could not be
    // opened since the last load (with their creation times), so that a
    // tick does not count them as new.
    std::unordered_map<uint32_t, platform::ProcessQuery> opened_;
    std::set<std::pair<uint32_t, uint64_t>> excluded_;
    int selectedRow_ = -1;
    // The process selected before a reload, found again after it.
    std::pair<uint32_t, uint64_t> keptSelection_{0, 0};
    bool keepSelection_ = false;
    bool sorted_ = false;
    TaskColumn sortColumn_ = TaskColumn::Name;
    bool sortDescending_ = false;
    CpuMeter cpu_;
    bool timerEnabled_ = false;
    bool shownAsWin9x_ = false;
};

}  // namespace processes
