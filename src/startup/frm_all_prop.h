// The "Startup Items" window's logic: the active entries of all six sources,
// grouped by source, and the text report.
#pragma once

#include <string>
#include <vector>

#include "core/prompts.h"
#include "startup/startup_store.h"

namespace startup {

struct AllPropRow {
    bool header = false;
    std::string text;
    std::string programPath;  // program rows whose program exists; "" otherwise
    std::string status = {};  // program rows: the page's "Status"
};

class Frm_AllProp {
public:
    Frm_AllProp(core::Prompts& prompts, StartupLocations where = StartupLocations::System());

    // The one-shot load timer: LoadGroups, and the empty-list state.
    void Tm_Load_Timer();
    void LoadGroups();
    void WriteReport();

    std::vector<AllPropRow> rows;
    int itemsNumber = 0;
    std::string labelText;
    bool reportEnabled = true;

    static const char* GroupTitle(int source);

    // Where the dialog's questions go; its window makes itself their owner.
    core::Prompts& PromptsUsed() const { return prompts_; }

private:
    core::Prompts& prompts_;
    StartupLocations where_;
};

}  // namespace startup
