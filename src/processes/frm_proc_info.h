// The details window's logic: the facts of the selected process as the list
// showed them when the window opened, and the modules loaded into it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "processes/frm_tasks.h"

namespace processes {

struct FactRow {
    std::string data;
    std::string value;
};

struct ModuleRow {
    std::string name;
    bool executable = false;  // the first row: drawn with the program's own icon
};

class Frm_ProcInfo {
public:
    // Takes the page's selected row as it stands now.
    explicit Frm_ProcInfo(Frm_Tasks& page);

    // Stops the page's timer, fills both lists, sets the title.
    void Form_Load();
    // Starts the page's timer again when it ran before.
    void Form_Unload();

    void GetLv1();
    void GetLv2();
    void GetSubProc(uint32_t processId);
    void Btn1_Click();
    void Btn2_Click();

    const TaskRow& Row() const { return row_; }

    std::vector<FactRow> Lv1;
    std::vector<ModuleRow> Lv2;
    std::string Caption;
    std::string CountLabel;
    bool Btn1Selected = true;
    bool Btn2Selected = false;
    bool Btn2Enabled = true;
    bool Lv1Visible = true;  // otherwise Lv2 shows

private:
    Frm_Tasks& page_;
    TaskRow row_;
    bool win9x_ = false;
    bool timerWasRunning_ = false;
};

}  // namespace processes
