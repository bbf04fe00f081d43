#include "shell/tool_pages.h"

#include "junk/frm_clean_options_window.h"
#include "junk/frm_junk_window.h"
#include "privacy/frm_privacy_window.h"
#include "processes/frm_tasks_window.h"
#include "shell/frm_options.h"
#include "startup/frm_startup.h"
#include "startup/startup_page_window.h"

namespace shell {

ToolPages::ToolPages(FrmMain& form, core::Prompts& prompts, Frm_Options& options, PrivacyButtons privacyButtons)
    : form_(form), prompts_(prompts), options_(options), privacyTabButtons_(std::move(privacyButtons)) {}

ToolPages::~ToolPages() = default;

void ToolPages::Create(const std::array<HWND, 4>& areas, HWND buttonStrip) {
    buttonStrip_ = buttonStrip;
    CreateJunk(areas[0], buttonStrip);
    CreatePrivacy(areas[1], buttonStrip);
    CreateStartup(areas[2], buttonStrip);
    CreateProcesses(areas[3]);

    PageHooks& optionsPage = form_.Pages[4];
    optionsPage.junkOptionsEnabled = [this] { return options_.JunkOptions.Enabled(); };
    optionsPage.showInfo = [this](const std::string& text) {
        if (text.empty())
            options_.Info.HideMessage();
        else
            options_.Info.ShowInformation(text);
    };
    options_.showJunkOptions = [this] {
        junk::FrmCleanOptionsWindow window(prompts_);
        window.ShowModal(::GetAncestor(buttonStrip_, GA_ROOT));
    };
}

void ToolPages::CreateJunk(HWND area, HWND buttonStrip) {
    junk_ = std::make_unique<junk::FrmJunkWindow>(prompts_);
    if (!junk_->Create(area)) return;
    junkButtons_ = {junk_->ScanButton(), junk_->CleanButton()};
    for (HWND button : junkButtons_) ::SetParent(button, buttonStrip);
    ShowButtons(junkButtons_, false);

    junk::Frm_Junk& logic = junk_->Logic();
    logic.ShowResult = [this] { form_.ShowResult(); };
    logic.EnDisButtonsHook = [this](bool enable) {
        options_.JunkOptions.SetEnabled(enable);
        if (privacyTabButtons_.setEnabled) privacyTabButtons_.setEnabled(enable);
    };

    PageHooks& page = form_.Pages[0];
    page.showCommandButtons = [this](bool visible) { ShowButtons(junkButtons_, visible); };
    page.resultListShownEmpty = [this] { return junk_->Logic().ResultListEmptied(); };
    page.scan = [this] { junk_->Logic().Cmd_Scan_Click(); };
    page.hideBalloon = [this] {
        junk::Frm_Junk& junkLogic = junk_->Logic();
        junkLogic.Info.HideMessage();
        if (junkLogic.Changed) junkLogic.Changed();
    };
}

void ToolPages::CreatePrivacy(HWND area, HWND buttonStrip) {
    privacy_ = std::make_unique<privacy::FrmPrivacyWindow>(prompts_);
    if (!privacy_->Create(area, buttonStrip)) return;
    // The page area shows and hides the page; its panel stays shown inside.
    ::ShowWindow(privacy_->Panel(), SW_SHOW);
    privacyButtons_ = privacy_->CommandButtons();
    ShowButtons(privacyButtons_, false);

    PageHooks& page = form_.Pages[1];
    page.showCommandButtons = [this](bool visible) { ShowButtons(privacyButtons_, visible); };
    page.refresh = [this] { privacy_->Mnu_Pop_Refresh_Click(); };
    page.focus = [this] { privacy_->Focus(); };
}

void ToolPages::CreateStartup(HWND area, HWND buttonStrip) {
    startupLogic_ = std::make_unique<startup::Frm_Startup>(prompts_);
    startup_ = std::make_unique<startup::StartupPageWindow>(*startupLogic_, prompts_);
    if (!startup_->Create(area, buttonStrip)) return;
    startupButtons_ = {startup_->ApplyButton(), startup_->ToolsButton()};
    ShowButtons(startupButtons_, false);

    PageHooks& page = form_.Pages[2];
    page.showCommandButtons = [this](bool visible) { ShowButtons(startupButtons_, visible); };
    // F5 reaches the page only through the main window.
    page.refresh = [this] {
        startupLogic_->Mnu_Pop_Refresh_Click();
        startup_->Sync();
    };
    // After a restore the restored files keep their own view setting.
    const auto save = [this] {
        if (!options_.SettingsRestored()) startup_->Close();
    };
    form_.OtherWindows.Register("Frm_Startup", save, save);
}

void ToolPages::CreateProcesses(HWND area) {
    processes_ = std::make_unique<processes::FrmTasksWindow>(prompts_);
    if (!processes_->Create(area)) return;
    ::ShowWindow(processes_->Panel(), SW_SHOW);
    form_.Pages[3].enableRefreshTimer = [this](bool enabled) { processes_->EnableRefreshTimer(enabled); };
}

bool ToolPages::OnButtonCommand(HWND button, int id, int code) {
    if (junk_ && (button == junk_->ScanButton() || button == junk_->CleanButton())) return junk_->OnCommand(id, code);
    if (code != BN_CLICKED) return false;
    if (privacy_ && privacy_->HandleButtonCommand(button)) return true;
    if (startup_) return startup_->HandleButtonCommand(button);
    return false;
}

void ToolPages::SetButtonSize(int width, int height, int gap) {
    buttonWidth_ = width;
    buttonHeight_ = height;
    buttonGap_ = gap;
    LayoutButtons();
}

void ToolPages::LayoutButtons() const {
    // The strip shrinks to the shown page's buttons, keeping its right edge,
    // so that it never covers the privacy page's note and balloon (the
    // window itself may still be hidden, so the style says what shows).
    std::vector<HWND> shown;
    for (const std::vector<HWND>* buttons : {&junkButtons_, &privacyButtons_, &startupButtons_})
        for (HWND button : *buttons)
            if (::GetWindowLongPtrW(button, GWL_STYLE) & WS_VISIBLE) shown.push_back(button);
    RECT strip{};
    ::GetWindowRect(buttonStrip_, &strip);
    ::MapWindowPoints(nullptr, ::GetParent(buttonStrip_), reinterpret_cast<POINT*>(&strip), 2);
    const int count = static_cast<int>(shown.size());
    const int width = count > 0 ? count * (buttonWidth_ + buttonGap_) - buttonGap_ : 0;
    ::SetWindowPos(buttonStrip_, nullptr, strip.right - width, strip.top, width, buttonHeight_,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    int left = 0;
    for (HWND button : shown) {
        ::SetWindowPos(button, nullptr, left, 0, buttonWidth_, buttonHeight_, SWP_NOZORDER | SWP_NOACTIVATE);
        left += buttonWidth_ + buttonGap_;
    }
}

void ToolPages::ShowButtons(const std::vector<HWND>& buttons, bool visible) {
    for (HWND button : buttons) ::ShowWindow(button, visible ? SW_SHOW : SW_HIDE);
    if (visible) LayoutButtons();
}

}  // namespace shell
