#include "processes/frm_proc_info.h"

#include "core/general.h"
#include "platform/file_system.h"
#include "platform/process_info.h"

namespace processes {

Frm_ProcInfo::Frm_ProcInfo(Frm_Tasks& page) : page_(page), win9x_(page.ShownAsWin9x()) {
    if (const TaskRow* task = page.SelectedTask()) row_ = *task;
}

void Frm_ProcInfo::Form_Load() {
    timerWasRunning_ = page_.TimerEnabled();
    page_.SetTimerEnabled(false);
    Btn1_Click();
    GetLv1();
    GetLv2();
    if (Lv2.empty()) Btn2Enabled = false;
    Caption = "Process Details : " + row_.name;
}

void Frm_ProcInfo::Form_Unload() {
    if (timerWasRunning_) page_.SetTimerEnabled(true);
}

void Frm_ProcInfo::GetLv1() {
    Lv1.clear();
    Lv1.push_back({"Process Name", row_.name});
    Lv1.push_back({"Process ID", std::to_string(row_.id)});
    Lv1.push_back({"File Path", core::HasText(row_.tag) ? row_.tag : "N/A"});
    if (!win9x_) Lv1.push_back({"Memory Usage", row_.memory});
    Lv1.push_back({"Priority", row_.priority});
    Lv1.push_back({"Threads", row_.threads});
}

void Frm_ProcInfo::GetLv2() { GetSubProc(row_.id); }

void Frm_ProcInfo::GetSubProc(uint32_t processId) {
    Lv2.clear();
    const bool executableKnown = !row_.tag.empty() && platform::FileExists(row_.tag);
    for (const auto& module : platform::SnapshotModules(processId)) {
        if (Lv2.empty()) {
            // The list starts with the executable itself; a process without
            // a known executable gets no module list.
            if (executableKnown) Lv2.push_back({module.name, true});
            continue;
        }
        Lv2.push_back({module.name, false});
    }
}

void Frm_ProcInfo::Btn1_Click() {
    CountLabel.clear();
    Lv1Visible = true;
    Btn1Selected = true;
    Btn2Selected = false;
}

void Frm_ProcInfo::Btn2_Click() {
    if (!Btn2Enabled) return;
    CountLabel = "Modules : " + std::to_string(Lv2.size());
    Lv1Visible = false;
    Btn2Selected = true;
    Btn1Selected = false;
}

}  // namespace processes
