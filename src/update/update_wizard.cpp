#include "update/update_wizard.h"

#include "platform/module_path.h"
#include "update/frm_update_window.h"
#include "update/update_system.h"

namespace update {

void ShowUpdateWizard(platform::WindowHandle owner) {
    static SystemUpdate system;
    if (const auto open = Frm_UpdateWindow::Current()) {
        Frm_UpdateWindow::Open(owner, system, platform::ExecutableFolder());
        return;
    }
    if (const auto window = Frm_UpdateWindow::Open(owner, system, platform::ExecutableFolder())) window->RunModal();
}

}  // namespace update
