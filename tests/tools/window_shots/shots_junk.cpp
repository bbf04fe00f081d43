// The junk page with ticked results of a scan of a small test drive, its
// result menu, the undo link after a clean that moved files, and the junk
// options dialog over it.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "core/settings.h"
#include "junk/frm_clean_options_window.h"
#include "junk/frm_junk_window.h"
#include "platform/handles.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/test_drive.h"
#include "support/window_probes.h"
#include "window_shots.h"

namespace shots {

int ShowJunk(const Request& request) {
    platform::ComApartment com;
    testing_support::TempFolder tree;
    testing_support::TempFolder moveTo;
    core::WriteIni(core::MainIniPath, "Options", "ConDlg", "0");
    if (request.state == "undo") {
        core::WriteIni(core::MainIniPath, "Options", "DType", "3");
        core::WriteIni(core::MainIniPath, "Options", "TMove", moveTo.path());
    }
    testing_support::MakeFolder(tree / "Documents\\Old reports");
    testing_support::MakeFolder(tree / "Work\\build");
    const char* files[] = {
        "~WRL0003.tmp",         "setup.log.bak",          "Documents\\report.doc.old", "Documents\\Old reports\\q1.bak",
        "Work\\build\\app.dmp", "Work\\build\\cache.tmp", "Work\\notes.txt",           "thumbs.db"};
    for (const char* f : files) testing_support::WriteFile(tree / f, std::string(1500, 'x'));
    testing_support::TestDrive drive(tree.path());

    const auto host = MakeHost(L"Clarimo - Junk Files", 700, 480);
    testing_support::ScriptedPrompts prompts;
    junk::FrmJunkWindow page(prompts);
    page.Create(host->hwnd());
    junk::Frm_Junk& logic = page.Logic();
    for (auto& row : logic.LvDrives) row.Checked = row.Key[0] == drive.letter() + 32;
    logic.Tm_Timer();
    logic.Changed();
    if (request.state == "options") {
        junk::FrmCleanOptionsWindow options(prompts);
        options.ShowModal(host->hwnd());
        return 0;
    }
    page.OnCommand(junk::FrmJunkWindow::kScanButtonId, BN_CLICKED);
    testing_support::PumpUntil([&] { return logic.LvResult.size() >= 6; }, 10000);
    for (size_t i = 0; i < logic.LvResult.size(); i += 2) logic.LvResult[i].Checked = true;
    logic.Changed();
    if (request.state == "undo") page.OnCommand(junk::FrmJunkWindow::kCleanButtonId, BN_CLICKED);
    if (request.state == "menu") {
        const HWND results = testing_support::FindChild(page.Panel(), WC_LISTVIEWW, 1);
        ListView_SetItemState(results, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        RECT row{};
        ListView_GetItemRect(results, 1, &row, LVIR_LABEL);
        POINT at{row.left + Scale(40), row.bottom};
        ::ClientToScreen(results, &at);
        ::PostMessageW(page.Panel(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(results), MAKELPARAM(at.x, at.y));
    }
    Stay(request);
    return 0;
}

}  // namespace shots
