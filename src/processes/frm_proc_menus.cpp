#include "processes/frm_proc_menus.h"

#include "core/settings.h"
#include "core/startup_shutdown.h"
#include "platform/file_system.h"
#include "platform/process_info.h"
#include "processes/frm_tasks.h"
#include "processes/mod_proc.h"

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

bool FrmProcMenus::SelectedStillListed(bool goneIsListed) {
    const TaskRow* task = page_.SelectedTask();
    if (!task) return false;
    const RowIdentity identity = page_.CheckRow(*task);
    if (identity == RowIdentity::Same || (identity == RowIdentity::Gone && goneIsListed)) return true;
    // Windows has given the identifier to another program since the list
    // was made: acting on it would hit the wrong process.
    page_.Reload();
    return false;
}

void FrmProcMenus::Mnu_Pop_EndProc_Click() {
    const TaskRow* selected = page_.SelectedTask();
    if (!selected) return;
    const RowIdentity identity = page_.CheckRow(*selected);
    if (identity == RowIdentity::Replaced) {
        // Windows has given the identifier to another program since the
        // list was made: ending it would end the wrong process.
        page_.Reload();
        return;
    }
    const TaskRow task = *selected;
    // Ending the program itself leaves the orderly-end mark behind.
    core::MarkOrderlyEnd(core::MainIniPath);
    // A process that is gone cannot be ended; whatever holds its identifier
    // by now is another one.
    const bool ended =
        identity == RowIdentity::Same &&
        TerminateProc(task.id, task.creationTime != 0 ? std::optional<uint64_t>(task.creationTime) : std::nullopt);
    if (!ended)
        page_.Prompts().Message("Access is denied, Can't end this process", "Clarimo", core::PromptIcon::Exclamation);
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
