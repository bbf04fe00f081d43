// The tool pages inside the main window: each page's panel in its page
// area, its command buttons in the button strip, and the hooks through
// which the main window's logic reaches it. The pages' unload steps join
// the shut-down here.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "core/prompts.h"
#include "shell/frm_main.h"

namespace junk {
class FrmJunkWindow;
}
namespace privacy {
class FrmPrivacyWindow;
}
namespace processes {
class FrmTasksWindow;
}
namespace startup {
class Frm_Startup;
class StartupPageWindow;
}  // namespace startup

namespace shell {

class Frm_Options;

class ToolPages {
public:
    // The privacy tab and round buttons, which the junk page disables while
    // it works.
    struct PrivacyButtons {
        std::function<void(bool enabled)> setEnabled;
    };

    ToolPages(FrmMain& form, core::Prompts& prompts, Frm_Options& options, PrivacyButtons privacyButtons);
    ~ToolPages();
    ToolPages(const ToolPages&) = delete;
    ToolPages& operator=(const ToolPages&) = delete;

    // areas: the page areas 0..3; buttonStrip receives the command buttons.
    void Create(const std::array<HWND, 4>& areas, HWND buttonStrip);
    // A command from a button in the strip; true when a page took it.
    bool OnButtonCommand(HWND button, int id, int code);
    // The size of a command button in the strip (it follows the DPI).
    void SetButtonSize(int width, int height, int gap);

    junk::FrmJunkWindow* Junk() { return junk_.get(); }

private:
    void CreateJunk(HWND area, HWND buttonStrip);
    void CreatePrivacy(HWND area, HWND buttonStrip);
    void CreateStartup(HWND area, HWND buttonStrip);
    void CreateProcesses(HWND area);
    void LayoutButtons() const;
    void ShowButtons(const std::vector<HWND>& buttons, bool visible);

    FrmMain& form_;
    core::Prompts& prompts_;
    Frm_Options& options_;
    PrivacyButtons privacyTabButtons_;
    HWND buttonStrip_ = nullptr;
    int buttonWidth_ = 75;
    int buttonHeight_ = 23;
    int buttonGap_ = 6;
    std::unique_ptr<junk::FrmJunkWindow> junk_;
    std::vector<HWND> junkButtons_;
    std::unique_ptr<privacy::FrmPrivacyWindow> privacy_;
    std::vector<HWND> privacyButtons_;
    std::unique_ptr<startup::Frm_Startup> startupLogic_;
    std::unique_ptr<startup::StartupPageWindow> startup_;
    std::vector<HWND> startupButtons_;
    std::unique_ptr<processes::FrmTasksWindow> processes_;
};

}  // namespace shell
