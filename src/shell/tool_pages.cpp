#include "shell/tool_pages.h"

#include <algorithm>

#include "junk/frm_clean_options_window.h"
#include "junk/frm_junk_window.h"
#include "privacy/frm_privacy_window.h"
#include "processes/frm_tasks_window.h"
#include "shell/frm_options.h"
#include "startup/frm_startup.h"
#include "startup/startup_page_window.h"

namespace shell {

// One page as the main window sees it: its command buttons show with it,
// and the rest is the page's own (set per page below).
struct ToolPages::Adapter : controls::ToolPage {
    explicit Adapter(const ToolPages& owner) : pages(owner) {}

    void Shown() override {
        ShowButtons(true);
        if (onShown) onShown();
    }
    void Hidden() override {
        ShowButtons(false);
        if (onHidden) onHidden();
    }
    void Refresh() override {
        if (onRefresh) onRefresh();
    }
    void Focus() override {
        if (onFocus) onFocus();
    }
    void ResultShown() override {
        if (onResultShown) onResultShown();
    }
    std::vector<platform::WindowHandle> CommandButtons() const override { return buttons; }

    void ShowButtons(bool visible) const {
        for (HWND button : buttons) ::ShowWindow(button, visible ? SW_SHOW : SW_HIDE);
        if (visible && !buttons.empty()) pages.LayoutButtons();
    }

    const ToolPages& pages;
    std::vector<HWND> buttons;
    std::function<void()> onShown;
    std::function<void()> onHidden;
    std::function<void()> onRefresh;
    std::function<void()> onFocus;
    std::function<void()> onResultShown;
    // The page's logic and window (which uses the logic, so goes first).
    std::shared_ptr<void> logic;
    std::shared_ptr<void> window;
};

ToolPages::ToolPages(FrmMain& form, core::Prompts& prompts, Frm_Options& options, PrivacyButtons privacyButtons)
    : form_(form), prompts_(prompts), options_(options), privacyTabButtons_(std::move(privacyButtons)) {}

ToolPages::~ToolPages() {
    for (auto& page : form_.Pages) page = nullptr;
}

junk::FrmJunkWindow* ToolPages::Junk() {
    const auto& page = pages_[PageIndex(Page::Junk)];
    return page ? static_cast<junk::FrmJunkWindow*>(page->window.get()) : nullptr;
}

void ToolPages::Create(const std::array<HWND, 4>& areas, HWND buttonStrip) {
    buttonStrip_ = buttonStrip;
    for (auto& page : pages_) page = std::make_unique<Adapter>(*this);

    Adapter& junkPage = *pages_[PageIndex(Page::Junk)];
    auto junkWindow = std::make_shared<junk::FrmJunkWindow>(prompts_);
    if (junkWindow->Create(areas[0])) {
        junk::FrmJunkWindow* window = junkWindow.get();
        junkPage.buttons = {window->ScanButton(), window->CleanButton()};
        for (HWND button : junkPage.buttons) ::SetParent(button, buttonStrip);
        junk::Frm_Junk& logic = window->Logic();
        logic.ShowResult = [this] { form_.ShowResult(); };
        logic.EnDisButtonsHook = [this](bool enable) {
            options_.JunkOptions.SetEnabled(enable);
            if (privacyTabButtons_.setEnabled) privacyTabButtons_.setEnabled(enable);
        };
        // A tally shown over an emptied result list: scan again.
        junkPage.onResultShown = [window] {
            junk::Frm_Junk& junkLogic = window->Logic();
            if (!junkLogic.ResultListEmptied()) return;
            junkLogic.Cmd_Scan_Click();
            junkLogic.Info.HideMessage();
            if (junkLogic.Changed) junkLogic.Changed();
        };
        junkPage.window = std::move(junkWindow);
    }

    Adapter& privacyPage = *pages_[PageIndex(Page::Privacy)];
    auto privacyWindow = std::make_shared<privacy::FrmPrivacyWindow>(prompts_);
    if (privacyWindow->Create(areas[1], buttonStrip)) {
        privacy::FrmPrivacyWindow* window = privacyWindow.get();
        // The page area shows and hides the page; its panel stays shown inside.
        ::ShowWindow(window->Panel(), SW_SHOW);
        privacyPage.buttons = window->CommandButtons();
        privacyPage.onRefresh = [window] { window->Mnu_Pop_Refresh_Click(); };
        privacyPage.onFocus = [window] { window->Focus(); };
        privacyPage.window = std::move(privacyWindow);
    }

    Adapter& startupPage = *pages_[PageIndex(Page::Startup)];
    auto startupLogic = std::make_shared<startup::Frm_Startup>(prompts_);
    auto startupWindow = std::make_shared<startup::StartupPageWindow>(*startupLogic, prompts_);
    if (startupWindow->Create(areas[2], buttonStrip)) {
        startup::StartupPageWindow* window = startupWindow.get();
        startup::Frm_Startup* logic = startupLogic.get();
        startupPage.buttons = {window->ApplyButton(), window->ToolsButton()};
        // F5 reaches the page only through the main window.
        startupPage.onRefresh = [window, logic] {
            logic->Mnu_Pop_Refresh_Click();
            window->Sync();
        };
        // After a restore the restored files keep their own view setting.
        const auto save = [this, window] {
            if (!options_.SettingsRestored()) window->Close();
        };
        form_.OtherWindows.Register("Frm_Startup", save, save);
    }
    startupPage.window = std::move(startupWindow);
    startupPage.logic = std::move(startupLogic);

    Adapter& processPage = *pages_[PageIndex(Page::Processes)];
    auto processWindow = std::make_shared<processes::FrmTasksWindow>(prompts_);
    if (processWindow->Create(areas[3])) {
        processes::FrmTasksWindow* window = processWindow.get();
        ::ShowWindow(window->Panel(), SW_SHOW);
        // The list refreshes only while the page shows.
        processPage.onShown = [window] { window->EnableRefreshTimer(true); };
        processPage.onHidden = [window] { window->EnableRefreshTimer(false); };
        processPage.window = std::move(processWindow);
    }

    // The options page says why the junk settings are locked.
    pages_[PageIndex(Page::Options)]->onShown = [this] {
        if (options_.JunkOptions.Enabled())
            options_.Info.HideMessage();
        else
            options_.Info.ShowInformation(
                "You can't change the junk files settings while the junk files tool is running.");
    };
    options_.showJunkOptions = [this] {
        junk::FrmCleanOptionsWindow window(prompts_);
        window.ShowModal(::GetAncestor(buttonStrip_, GA_ROOT));
    };

    for (int page = 0; page < kPageCount; ++page) {
        pages_[page]->ShowButtons(false);
        form_.Pages[page] = pages_[page].get();
    }
}

bool ToolPages::OnButtonCommand(HWND button, int id, int code) {
    for (const auto& page : pages_) {
        const auto& buttons = page->buttons;
        if (std::find(buttons.begin(), buttons.end(), button) == buttons.end()) continue;
        if (page.get() == pages_[PageIndex(Page::Junk)].get()) return Junk()->OnCommand(id, code);
        if (code != BN_CLICKED) return false;
        if (page.get() == pages_[PageIndex(Page::Privacy)].get())
            return static_cast<privacy::FrmPrivacyWindow*>(page->window.get())->HandleButtonCommand(button);
        return static_cast<startup::StartupPageWindow*>(page->window.get())->HandleButtonCommand(button);
    }
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
    for (const auto& page : pages_)
        if (page)
            for (HWND button : page->buttons)
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

}  // namespace shell
