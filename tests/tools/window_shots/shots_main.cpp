// The main window on one page, in the full or the compact view.
#include "core/results_tally.h"
#include "shell/frm_main.h"
#include "shell/frm_main_window.h"
#include "window_shots.h"

namespace shots {

int ShowMainWindow(const Request& request) {
    const int page = request.state.empty() ? 0 : std::stoi(request.state);
    shell::FrmMain form([] {});
    shell::FrmMainWindow window(form);
    if (!window.Show()) return 1;
    if (request.state.ends_with("compact")) form.SetCompactView(true);
    form.ShowPage(page);
    if (page == 0) {
        core::CleanedCount = 3;
        core::CleanedSize = 1536;
        form.ShowResult();
    }
    Stay(request);
    return 0;
}

}  // namespace shots
