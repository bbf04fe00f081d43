// The tool pages inside the main window, each joined through
// controls::ToolPage by a small adapter: the page's panel in its page area,
// its command buttons in the button strip (shown with the page), F5, focus,
// the junk page's answer to a result tally and the options page's note. The
// pages' unload steps join the shut-down here.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "controls/tool_page.h"
#include "core/prompts.h"
#include "shell/frm_main.h"
#include "shell/main_layout.h"

namespace junk {
class FrmJunkWindow;
}

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

    // areas: the page areas of the junk, privacy, startup and processes
    // pages; buttonStrip receives the command buttons. Gives the form its
    // pages.
    void Create(const std::array<HWND, 4>& areas, HWND buttonStrip);
    // A command from a button in the strip; true when a page took it.
    bool OnButtonCommand(HWND button, int id, int code);
    // The size of a command button in the strip (it follows the DPI).
    void SetButtonSize(int width, int height, int gap);
    // Lays the strip out for the buttons now shown.
    void LayoutButtons() const;

    junk::FrmJunkWindow* Junk();

private:
    struct Adapter;

    FrmMain& form_;
    core::Prompts& prompts_;
    Frm_Options& options_;
    PrivacyButtons privacyTabButtons_;
    HWND buttonStrip_ = nullptr;
    int buttonWidth_ = 75;
    int buttonHeight_ = 23;
    int buttonGap_ = 6;
    std::array<std::unique_ptr<Adapter>, kPageCount> pages_;
};

}  // namespace shell
