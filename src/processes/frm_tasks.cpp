#include "processes/frm_tasks.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <unordered_map>

#include "core/general.h"
#include "platform/file_system.h"
#include "processes/critical_process.h"
#include "processes/mod_proc.h"

namespace processes {
namespace {

bool SameName(const std::string& a, const std::string& b) {
    return a == b || platform::UpperCaseForComparison(a) == platform::UpperCaseForComparison(b);
}

// QueryFullProcessImageNameW gives a plain path (drive or UNC), taken as it
// is: the command-line parser would cut "C:\x\my.icons\a.exe" at ".ico" and
// drop a share. Only the older main-module name can carry a prefix before
// the drive letter.
std::string ImagePathForRow(const std::string& path) {
    const bool drivePath = path.size() > 2 && path[1] == ':' && path[2] == '\\';
    const bool sharePath = path.rfind("\\\\", 0) == 0;
    return drivePath || sharePath ? path : core::GetProgramPath(path);
}

// Low 0 .. Real Time 5, so that ascending runs from the lowest class up.
int PriorityRank(const std::string& name) {
    for (int i = 0; i < 6; ++i)
        if (PriorityName(PriorityClassAt(i)) == name) return 5 - i;
    return 5 - PriorityIndex(0);
}

uint64_t Number(const std::string& text) {
    uint64_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

template <typename T>
int Compare(const T& a, const T& b) {
    return a < b ? -1 : b < a ? 1 : 0;
}

int CompareBy(TaskColumn column, const TaskRow& a, const TaskRow& b) {
    switch (column) {
        case TaskColumn::Name:
            return Compare(platform::UpperCaseForComparison(a.name), platform::UpperCaseForComparison(b.name));
        case TaskColumn::Memory:
            return Compare(a.workingSet, b.workingSet);
        case TaskColumn::Priority:
            return Compare(PriorityRank(a.priority), PriorityRank(b.priority));
        case TaskColumn::Threads:
            return Compare(Number(a.threads), Number(b.threads));
        case TaskColumn::Cpu:
            return Compare(a.cpuShare, b.cpuShare);
    }
    return 0;
}

}  // namespace

Frm_Tasks::Frm_Tasks(core::Prompts& prompts)
    : systemFolder(platform::SystemFolder()), Menus(*this), prompts_(prompts), cpu_(platform::ProcessorCount()) {
    isWin9x = [] { return core::IsWin9x(); };
}

bool Frm_Tasks::Win9x() const { return isWin9x ? isWin9x() : false; }

void Frm_Tasks::Form_Load() {
    const bool win9x = Win9x();
    Columns.clear();
    Columns.push_back({TaskColumn::Name, "Process Name", 2000});
    if (!win9x) Columns.push_back({TaskColumn::Memory, "Memory Usage", 1440});
    Columns.push_back({TaskColumn::Priority, "Priority", 1440});
    Columns.push_back({TaskColumn::Threads, "Threads", 1440});
    if (!win9x) Columns.push_back({TaskColumn::Cpu, "CPU", 720});
    Reload();
}

void Frm_Tasks::Reload() {
    if (Win9x())
        LoadProcList9x();
    else
        LoadProcListXp();
}

void Frm_Tasks::LoadProcListXp() { LoadProcListXpFrom(snapshot_.Take()); }
void Frm_Tasks::LoadProcList9x() { LoadProcList9xFrom(snapshot_.Take()); }

void Frm_Tasks::SortBy(TaskColumn column) {
    sortDescending_ = sorted_ && sortColumn_ == column && !sortDescending_;
    sorted_ = true;
    sortColumn_ = column;
    SortRows();
    if (onRebuilt) onRebuilt();  // the header shows the new order even when no row moved
}

void Frm_Tasks::IndexRows() {
    rowOf_.clear();
    for (size_t i = 0; i < Lv.size(); ++i) rowOf_.emplace(Lv[i].id, i);
}

bool Frm_Tasks::SortRows() {
    if (!sorted_) return false;
    // Equal values keep one order from tick to tick: by identifier.
    const auto before = [this](const TaskRow& a, const TaskRow& b) {
        const int order = CompareBy(sortColumn_, a, b);
        return order != 0 ? (sortDescending_ ? order > 0 : order < 0) : a.id < b.id;
    };
    if (std::is_sorted(Lv.begin(), Lv.end(), before)) return false;
    const TaskRow* selected = SelectedTask();
    const uint32_t selectedId = selected ? selected->id : 0;
    std::sort(Lv.begin(), Lv.end(), before);
    IndexRows();
    if (selected) selectedRow_ = static_cast<int>(rowOf_.at(selectedId));
    return true;
}

void Frm_Tasks::SampleCpu(const std::vector<platform::ProcessEntry>& entries) {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    cpu_.Sample(entries,
                static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()) * 10);
}

void Frm_Tasks::BeginLoad() {
    const TaskRow* selected = SelectedTask();
    keepSelection_ = selected != nullptr;
    if (selected) keptSelection_ = {selected->id, selected->creationTime};
    Lv.clear();
    rowOf_.clear();
    opened_.clear();
    excluded_.clear();
    selectedRow_ = -1;
    ListVisible = false;
    if (onLoading) onLoading();
}

void Frm_Tasks::EndLoad() {
    ++rebuilds;
    IndexRows();
    SortRows();
    StatusReset();
    // The process selected before stays selected while it runs.
    if (keepSelection_) {
        const auto kept = std::find_if(Lv.begin(), Lv.end(), [this](const TaskRow& row) {
            return row.id == keptSelection_.first && row.creationTime == keptSelection_.second;
        });
        if (kept != Lv.end()) SelectRow(static_cast<int>(kept - Lv.begin()));
    }
    ListVisible = true;
    Menus.Unload();
    if (onRebuilt) onRebuilt();
}

void Frm_Tasks::LoadProcListXpFrom(const std::vector<platform::ProcessEntry>& entries) {
    SampleCpu(entries);
    FillXp(entries);
}

void Frm_Tasks::FillXp(const std::vector<platform::ProcessEntry>& entries) {
    // A process listed before (same identifier and creation time, held open
    // all along) keeps its handle and path: only new processes are opened.
    struct Known {
        platform::ProcessQuery process;
        std::string tag;
        std::string iconPath;
        uint64_t creationTime;
    };
    std::unordered_map<uint32_t, Known> known;
    for (const auto& row : Lv) {
        const auto held = opened_.find(row.id);
        if (held != opened_.end() && row.creationTime != 0)
            known.emplace(row.id, Known{std::move(held->second), row.tag, row.iconPath, row.creationTime});
    }
    BeginLoad();
    shownAsWin9x_ = false;
    for (const auto& entry : entries) {
        TaskRow row;
        platform::ProcessQuery process;
        const auto reused = known.find(entry.id);
        if (reused != known.end() && entry.countersKnown && reused->second.creationTime == entry.creationTime) {
            process = std::move(reused->second.process);
            row.tag = std::move(reused->second.tag);
            row.iconPath = std::move(reused->second.iconPath);
        } else {
            process = platform::ProcessQuery::Open(entry.id);
            if (process) {
                row.tag = ImagePathForRow(process.ImagePath());
                if (!row.tag.empty() && platform::FileExists(row.tag)) row.iconPath = row.tag;
            }
        }
        // Processes that cannot be opened for querying read as 0 and are
        // left out, and so is the idle process.
        const uint64_t workingSet = !process ? 0 : entry.countersKnown ? entry.workingSet : process.WorkingSet();
        if (workingSet == 0) {
            excluded_.emplace(entry.id, entry.creationTime);
            continue;
        }
        row.id = entry.id;
        row.key = std::to_string(entry.id);
        row.name = entry.exeFile;
        row.workingSet = workingSet;
        row.memory = files_.CalcSize(workingSet);
        row.priority = PriorityName(entry.priorityClass != 0 ? entry.priorityClass : process.PriorityClass());
        row.threads = std::to_string(entry.threads);
        row.creationTime = entry.countersKnown ? entry.creationTime : process.CreationTime().value_or(0);
        row.cpuShare = cpu_.ShareOf(entry.id);
        row.cpu = CpuText(row.cpuShare);
        if (timerEnabled_) opened_.emplace(entry.id, std::move(process));
        Lv.push_back(std::move(row));
    }
    EndLoad();
}

void Frm_Tasks::LoadProcList9xFrom(const std::vector<platform::ProcessEntry>& entries) {
    BeginLoad();
    shownAsWin9x_ = true;
    for (const auto& entry : entries) {
        // On these systems the snapshot names the executable's full path;
        // processes whose file is gone are not listed.
        if (entry.exeFile.empty() || !platform::FileExists(entry.exeFile)) continue;
        TaskRow row;
        row.id = entry.id;
        row.key = std::to_string(entry.id);
        row.name = files_.GetFileName(entry.exeFile);
        row.tag = entry.exeFile;
        row.iconPath = entry.exeFile;
        row.priority = PriorityName(platform::ProcessPriorityClass(entry.id));
        row.threads = std::to_string(entry.threads);
        row.creationTime = platform::ProcessCreationTime(entry.id).value_or(0);
        Lv.push_back(std::move(row));
    }
    EndLoad();
}

void Frm_Tasks::StatusReset() {
    L3.clear();
    L4.clear();
    ProgPic.clear();
    L2 = "Running Processes : " + std::to_string(Lv.size());
    if (onStatusChanged) onStatusChanged();
}

void Frm_Tasks::SetCell(size_t row, TaskColumn column, std::string& cell, std::string text) {
    if (cell == text) return;
    cell = std::move(text);
    ++cellWrites;
    if (onCellChanged) onCellChanged(row, column);
}

bool Frm_Tasks::SameListing() const {
    // The set of identifiers, not only their number: one process ending
    // while another starts leaves the count as it was. An identifier that
    // now names another executable counts as a change too.
    if (eligible_.size() != Lv.size()) return false;
    for (const Eligible& eligible : eligible_) {
        const platform::ProcessEntry& entry = *eligible.entry;
        const auto found = rowOf_.find(entry.id);
        if (found == rowOf_.end()) return false;
        const TaskRow& row = Lv[found->second];
        if (!SameName(shownAsWin9x_ ? row.tag : row.name, entry.exeFile)) return false;
        if (entry.countersKnown && entry.creationTime != 0 && row.creationTime != 0 &&
            entry.creationTime != row.creationTime)
            return false;
    }
    return true;
}

bool Frm_Tasks::Excluded(const platform::ProcessEntry& entry) const {
    return excluded_.count({entry.id, entry.creationTime}) != 0;
}

void Frm_Tasks::Tm_Timer() { TickFrom(snapshot_.Take()); }

void Frm_Tasks::TickFrom(const std::vector<platform::ProcessEntry>& entries) {
    const bool win9x = Win9x();
    if (!win9x) SampleCpu(entries);
    eligible_.clear();
    for (const auto& entry : entries) {
        platform::ProcessFacts facts;
        if (win9x) {
            // The loader lists only existing executables; counting the
            // others would rebuild the list at every tick.
            if (entry.exeFile.empty() || !platform::FileExists(entry.exeFile)) continue;
        } else if (entry.countersKnown) {
            // The snapshot brought every working set along; processes that
            // could not be opened once stay out without being tried again,
            // and one that starts between ticks is tried here, so that it
            // never rebuilds the list only to be left out again.
            if (entry.workingSet == 0 || Excluded(entry)) continue;
            if (!rowOf_.count(entry.id) && !platform::ProcessQuery::Open(entry.id)) {
                excluded_.emplace(entry.id, entry.creationTime);
                continue;
            }
            facts = {entry.workingSet, entry.priorityClass};
        } else {
            facts = platform::QueryProcessFacts(entry.id);
            if (facts.workingSet == 0) continue;
        }
        eligible_.push_back({&entry, facts});
    }
    if (win9x != shownAsWin9x_ || !SameListing()) {
        if (win9x)
            LoadProcList9xFrom(entries);
        else
            FillXp(entries);
        return;
    }
    // Rows in place; the thread count is left as listed.
    for (const Eligible& eligible : eligible_) {
        const size_t i = rowOf_.find(eligible.entry->id)->second;
        TaskRow& row = Lv[i];
        if (row.id == 0) continue;
        if (!win9x && eligible.facts.workingSet != row.workingSet) {
            row.workingSet = eligible.facts.workingSet;
            SetCell(i, TaskColumn::Memory, row.memory, files_.CalcSize(row.workingSet));
        }
        uint32_t priorityClass = eligible.facts.priorityClass;
        if (priorityClass == 0) {
            const auto held = opened_.find(row.id);
            priorityClass =
                held != opened_.end() ? held->second.PriorityClass() : platform::ProcessPriorityClass(row.id);
        }
        SetCell(i, TaskColumn::Priority, row.priority, PriorityName(priorityClass));
        if (!win9x) {
            row.cpuShare = cpu_.ShareOf(row.id);
            SetCell(i, TaskColumn::Cpu, row.cpu, CpuText(row.cpuShare));
        }
    }
    // Figures that change in place may change the order.
    const bool changesInPlace = sortColumn_ != TaskColumn::Name && sortColumn_ != TaskColumn::Threads;
    if (changesInPlace && SortRows() && onRebuilt) onRebuilt();
}

void Frm_Tasks::SetTimerEnabled(bool enabled) {
    if (enabled == timerEnabled_) return;
    timerEnabled_ = enabled;
    // While the page is hidden (or a details window stops the refresh) no
    // process is held, so that the ones that end meanwhile are freed.
    if (enabled)
        ReopenListed();
    else
        opened_.clear();
    if (onTimerChanged) onTimerChanged();
}

void Frm_Tasks::ReopenListed() {
    if (shownAsWin9x_) return;
    for (const auto& row : Lv) {
        auto process = platform::ProcessQuery::Open(row.id);
        if (process && (row.creationTime == 0 || process.CreationTime() == row.creationTime))
            opened_.insert_or_assign(row.id, std::move(process));
    }
}

const TaskRow* Frm_Tasks::SelectedTask() const {
    return selectedRow_ >= 0 && selectedRow_ < static_cast<int>(Lv.size()) ? &Lv[selectedRow_] : nullptr;
}

void Frm_Tasks::SelectRow(int row) {
    selectedRow_ = row >= 0 && row < static_cast<int>(Lv.size()) ? row : -1;
    const TaskRow* task = SelectedTask();
    if (!task) return;
    // The tag is already a plain path on both ways.
    const std::string& path = task->tag;
    L2 = task->name;
    if (!path.empty() && platform::FileExists(path)) {
        ProgPic = path;
        L3 = task->tag;
        L4.clear();
        if (!shownAsWin9x_) {
            // The listed process's own start, not that of a later holder of
            // its identifier.
            std::string started;
            if (task->creationTime != 0) {
                if (const auto time = platform::LocalClockTime(task->creationTime))
                    started = StartTimeText(time->hour, time->minute, time->second);
            } else {
                started = GetProcStartTime(task->id);
            }
            L4 = "Started At : " + started;
        }
    } else {
        ProgPic.clear();
        L3.clear();
        L4.clear();
    }
    if (onStatusChanged) onStatusChanged();
}

bool Frm_Tasks::IsCritical(const TaskRow& row) const {
    return IsCriticalProcess(row.name, row.tag, row.id, systemFolder);
}

RowIdentity Frm_Tasks::CheckRow(const TaskRow& row) const {
    const auto entries = platform::SnapshotProcesses();
    const auto found =
        std::find_if(entries.begin(), entries.end(), [&](const platform::ProcessEntry& e) { return e.id == row.id; });
    if (found == entries.end()) return RowIdentity::Gone;
    if (!SameName(shownAsWin9x_ ? row.tag : row.name, found->exeFile)) return RowIdentity::Replaced;
    if (row.creationTime != 0) {
        const auto created =
            found->countersKnown ? std::optional<uint64_t>(found->creationTime) : platform::ProcessCreationTime(row.id);
        if (created && *created != row.creationTime) return RowIdentity::Replaced;
    }
    return RowIdentity::Same;
}

}  // namespace processes
