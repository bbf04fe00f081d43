// The "Add New Program" dialog's logic: writes a Run value for the user or
// the machine and refreshes the startup page.
#pragma once

#include <string>

#include "core/prompts.h"
#include "startup/frm_startup.h"

namespace startup {

class Frm_AddNewProg {
public:
    enum class Focus { Unchanged, NameBox, OkButton };

    Frm_AddNewProg(core::Prompts& prompts, Frm_Startup& page);

    // Text box "Program Name :", text box "Program Path :", selector "Add
    // this program to :" (0 "Current User Only", 1 "All Users").
    std::string nameText;
    std::string pathText;
    int targetIndex = 0;
    bool okEnabled = false;
    // The error balloon beside the path box; empty when hidden.
    std::string balloonText;

    void Txt_Name_Change(const std::string& text);
    void Txt_Path_Change(const std::string& text);
    void Txt_Path_LostFocus();
    Focus Cmd_Browse_Click();
    // True when the dialog closes.
    bool Cmd_OK_Click();
    void UpdateOkState();
    // Writes the value (asking before it replaces one); true when written.
    bool AddToRun();

    static constexpr char kBrowseFilter[] =
        "Programs (*.exe;*.com)|*.exe;*.com|Batch Files (*.bat)|*.bat|VB Script Files (*.vbs)|*.vbs|Show All "
        "Supported Files (*.exe;*.com;*.bat,*.vbs)|*.exe;*.com;*.bat;*.vbs";

    // Where the dialog's questions go; its window makes itself their owner.
    core::Prompts& PromptsUsed() const { return prompts_; }

private:
    core::Prompts& prompts_;
    Frm_Startup& page_;
};

}  // namespace startup
