#include <windows.h>

#include <memory>

#include "app/splash_window.h"
#include "core/startup_shutdown.h"
#include "core/system_prompts.h"
#include "junk/junk_command_line.h"
#include "platform/console_output.h"
#include "platform/message_pump.h"
#include "platform/module_path.h"
#include "platform/ui.h"
#include "shell/frm_main.h"
#include "shell/frm_main_window.h"
#include "shell/themes.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // A run from the command line opens no window and takes no part in the
    // single-copy lock: it may run beside the window.
    if (const junk::CommandLineRequest request = junk::ParseCommandLine(platform::CommandLineArguments());
        request.action != junk::CommandLineAction::Window)
        return junk::RunJunkCommandLine(request, platform::ConsoleOutput());

    core::SystemPrompts prompts;
    std::unique_ptr<app::SplashWindow> splash;
    shell::FrmMain mainForm;
    shell::FrmMainWindow mainWindow(mainForm);
    // Closing the main window ends the process inside its shut-down; should
    // the window ever go another way, the program ends with it.
    mainWindow.OnDestroyed([] { ::PostQuitMessage(0); });

    core::Frm_Sp startForm(
        prompts, platform::ExecutableFolder(), [](int index) { shell::ApplyTheme(index); }, [&] { mainWindow.Show(); },
        [&] {
            if (splash) splash->Close();
            // Without a main window nothing would be left to end the program.
            if (!mainWindow.Handle()) ::PostQuitMessage(1);
        });

    if (!startForm.Form_Load()) {
        // Another copy runs: once its refusal is read, that copy's window is what the user wanted.
        platform::BringForward(shell::FrmMainWindow::ClassName());
        return 0;
    }

    splash = std::make_unique<app::SplashWindow>(startForm);
    if (!splash->Show()) startForm.Tm_Timer();  // no splash: go on without it
    return platform::RunMessageLoop();
}
