#include "processes/frm_proc_menus.h"

#include "core/settings.h"
#include "core/startup_shutdown.h"
#include "platform/file_system.h"
#include "platform/process_info.h"
#include "processes/frm_tasks.h"
#include "processes/mod_proc.h"
#include "processes/process_tree.h"

namespace processes {

void FrmProcMenus::SetProcRadio(int index) {
    PriorityChecked.fill(false);
    if (index >= 0 && index < static_cast<int>(PriorityChecked.size())) PriorityChecked[index] = true;
}

void FrmProcMenus::PopupOpening() {
    Loaded = true;
    const TaskRow* task = page_.SelectedTask();
    if (task) SetProcRadio(PriorityIndex(PriorityFromText(GetProcPriority(task->id))));
    ProcessEntriesEnabled = task != nullptr;
}

void FrmProcMenus::Unload() {
    Loaded = false;
    PriorityChecked.fill(false);
    ProcessEntriesEnabled = false;
}

namespace {

std::optional<uint64_t> Known(uint64_t creationTime) {
    return creationTime != 0 ? std::optional<uint64_t>(creationTime) : std::nullopt;
}

}  // namespace

const TaskRow* FrmProcMenus::CheckedSelection(RowIdentity& identity) {
    const TaskRow* task = page_.SelectedTask();
    if (!task) return nullptr;
    identity = page_.CheckRow(*task);
    if (identity != RowIdentity::Replaced) return task;
    // Windows has given the identifier to another program since the list
    // was made: acting on it would hit the wrong process.
    page_.SelectRow(-1);
    page_.Reload();
    return nullptr;
}

bool FrmProcMenus::SelectedStillListed(bool goneIsListed) {
    RowIdentity identity = RowIdentity::Same;
    return CheckedSelection(identity) && (identity == RowIdentity::Same || goneIsListed);
}

void FrmProcMenus::RefuseCritical() {
    page_.Prompts().Message("This is a critical system process, Can't end it", "Clarimo",
                            core::PromptIcon::Exclamation);
}

void FrmProcMenus::AccessDenied() {
    page_.Prompts().Message("Access is denied, Can't end this process", "Clarimo", core::PromptIcon::Exclamation);
}

void FrmProcMenus::Mnu_Pop_EndProc_Click() {
    RowIdentity identity = RowIdentity::Same;
    const TaskRow* selected = CheckedSelection(identity);
    if (!selected) return;
    if (page_.IsCritical(*selected)) return RefuseCritical();
    const TaskRow task = *selected;
    // Ending the program itself leaves the orderly-end mark behind.
    core::MarkOrderlyEnd(core::MainIniPath);
    // A process that is gone cannot be ended; whatever holds its identifier
    // by now is another one.
    const bool ended = identity == RowIdentity::Same && TerminateProc(task.id, Known(task.creationTime));
    if (!ended) AccessDenied();
    core::MarkRunning(core::MainIniPath);
}

void FrmProcMenus::Mnu_Pop_EndTree_Click() {
    RowIdentity identity = RowIdentity::Same;
    const TaskRow* selected = CheckedSelection(identity);
    if (!selected) return;
    const TaskRow task = *selected;
    if (page_.IsCritical(task)) return RefuseCritical();
    std::vector<platform::ProcessEntry> tree;
    if (identity == RowIdentity::Same) tree = ProcessTreeChildrenFirst(platform::SnapshotProcesses(), task.id);
    // A tree that holds a critical process is refused whole: ending the
    // rest could leave it without what it needs.
    for (const auto& member : tree) {
        if (member.id == task.id) continue;
        TaskRow child;
        child.id = member.id;
        child.name = member.exeFile;
        child.tag = platform::ProcessImagePath(member.id);
        if (page_.IsCritical(child)) return RefuseCritical();
    }
    core::MarkOrderlyEnd(core::MainIniPath);
    bool allEnded = !tree.empty();
    for (const auto& member : tree) {
        // The root as listed; every child as the snapshot saw it, so that
        // an identifier reused meanwhile is not ended.
        const uint64_t created = member.id == task.id && task.creationTime != 0 ? task.creationTime
                                 : member.countersKnown                         ? member.creationTime
                                                                                : 0;
        if (!TerminateProc(member.id, Known(created))) allEnded = false;
    }
    if (!allEnded) AccessDenied();
    core::MarkRunning(core::MainIniPath);
}

void FrmProcMenus::Mnu_Pop_Details_Click() {
    if (!SelectedStillListed(true)) return;
    if (page_.onShowDetails) page_.onShowDetails();
}

void FrmProcMenus::Mnu_Pop_Priority_Click(int index) {
    const uint32_t priorityClass = PriorityClassAt(index);
    if (priorityClass == 0 || !SelectedStillListed(false)) return;
    SetProcPriority(page_.SelectedTask()->id, priorityClass);
    if (priorityClass == kHigh) SetProcPriority(platform::CurrentProcessId(), kHigh);
}

void FrmProcMenus::Mnu_Pop_Folder_Click() {
    const TaskRow* task = page_.SelectedTask();
    if (!task) return;
    if (!task->tag.empty() && platform::FileExists(task->tag)) {
        const auto& files = page_.Files();
        files.OpenFileFolder(page_.owner, files.GetFolderName(task->tag));
    } else {
        page_.Prompts().Message("Can't open this program folder", "Clarimo", core::PromptIcon::Exclamation);
    }
}

void FrmProcMenus::Mnu_Pop_Properties_Click() {
    const TaskRow* task = page_.SelectedTask();
    if (!task) return;
    if (!task->tag.empty() && platform::FileExists(task->tag))
        page_.Files().ShowProperties(task->tag, page_.owner);
    else
        page_.Prompts().Message("Can't display properties dialog for this program", "Clarimo",
                                core::PromptIcon::Exclamation);
}

void FrmProcMenus::Mnu_Pop_Refresh_Click() { page_.Reload(); }

}  // namespace processes
