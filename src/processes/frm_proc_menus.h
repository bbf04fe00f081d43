// The process list's popup menu: End Process, Process Details, the six
// priorities with their check mark, Program Folder, Properties, Refresh,
// and End Process Tree. The processes Windows cannot run without are never
// ended.
// Every action on a process first makes sure the row's identifier still
// names the process listed; an identifier Windows has given to another
// program meanwhile reloads the list instead.
#pragma once

#include <array>
#include <cstdint>

#include "core/prompts.h"

namespace processes {

class Frm_Tasks;
struct TaskRow;
enum class RowIdentity;

class FrmProcMenus {
public:
    explicit FrmProcMenus(Frm_Tasks& page) : page_(page) {}

    // Clears the six priority marks and checks the one at index (Real Time
    // 0 .. Low 5); 6 or more leaves them all clear.
    void SetProcRadio(int index);
    // The menu is about to open: marks and enabled entries from the
    // selected row.
    void PopupOpening();
    void Unload();

    void Mnu_Pop_EndProc_Click();
    void Mnu_Pop_Details_Click();
    // Real Time 0, High 1, Above Normal 2, Normal 3, Below Normal 4, Low 5.
    void Mnu_Pop_Priority_Click(int index);
    void Mnu_Pop_Folder_Click();
    void Mnu_Pop_Properties_Click();
    void Mnu_Pop_Refresh_Click();
    // Ends the selected process and everything it started, children first.
    void Mnu_Pop_EndTree_Click();

    std::array<bool, 6> PriorityChecked = {};
    // End Process, Process Details, Priority, Program Folder, Properties,
    // End Process Tree.
    bool ProcessEntriesEnabled = false;
    bool Loaded = false;

private:
    // True when the selected row still names its process; otherwise the
    // list has been reloaded.
    bool SelectedStillListed(bool goneIsListed);
    // The selected row and what the process behind its identifier is now;
    // a reused identifier has reloaded the list and gives no row.
    const TaskRow* CheckedSelection(RowIdentity& identity);
    void RefuseCritical();
    void AccessDenied();

    Frm_Tasks& page_;
};

}  // namespace processes
