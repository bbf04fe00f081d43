// The privacy page as a panel the main window embeds: the item panel with the
// groups of check boxes scrolling inside the page, their tool tips, the
// "Manage Cookies" link, the balloon for folders a clean left alone, the
// popup menu, and the "Clean" and "Tools" buttons that the host places in its
// button strip.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "controls/error_msg_window.h"
#include "controls/hooked_page_panel.h"
#include "controls/link_window.h"
#include "controls/theme.h"
#include "core/prompts.h"
#include "privacy/frm_privacy.h"
#include "privacy/frm_privacy_prog.h"

namespace privacy {

class FrmPrivacyWindow {
public:
    enum ControlId : int {
        kChkFirst = 100,  // Chk(i) is kChkFirst + i
        kGroupFirst = 130,
        kLnk1 = 140,
        kBalloon,
        kScrollBar,
        kCmdClean = 150,
        kTools,
        kMenuSelectAll = 200,
        kMenuDeselectAll,
        kMenuWindows,
        kMenuIe,
        kMenuPrograms,
        kMenuRefresh,
    };

    explicit FrmPrivacyWindow(core::Prompts& prompts);
    ~FrmPrivacyWindow();
    FrmPrivacyWindow(const FrmPrivacyWindow&) = delete;
    FrmPrivacyWindow& operator=(const FrmPrivacyWindow&) = delete;

    // The panel is a hidden child of parent that the host sizes to fill it;
    // the Clean and Tools buttons are children of buttonParent (parent when
    // null). Runs the page's load (detection).
    bool Create(HWND parent, HWND buttonParent = nullptr);
    HWND Panel() const { return panel_.hwnd(); }
    // The scrolling item panel inside the page.
    HWND ItemPanel() const { return items_.hwnd(); }
    HWND CheckBox(int index) const { return checks_[index]; }
    HWND ToolTips() const { return toolTips_.get(); }
    HWND ScrollBar() const { return scrollBar_; }
    std::vector<HWND> CommandButtons() const { return {clean_.get(), tools_.get()}; }
    bool HandleButtonCommand(HWND button);
    void Mnu_Pop_Refresh_Click();
    void Focus();
    Frm_Privacy& Logic() { return logic_; }
    controls::LinkWindow& Lnk1() { return lnk1_; }

    // Opens the popup menu at a screen point.
    void ShowMenu(POINT screen);
    // How the menu is run: TrackPopupMenu by default; answers the chosen
    // command (0 for none). Tests read the real menu and choose.
    std::function<UINT(HMENU menu, POINT screen)> trackMenu;
    // Opacity of the please-wait window (255: opaque, for screenshots).
    unsigned char progressOpacity = FrmPrivacyProg::kOpacity;

    // Draws the logic's state.
    void Sync();

private:
    // The menu, wheel and scroll messages of the frame and the item panel
    // (the check boxes pass theirs up).
    bool PanelMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Build(HWND buttonParent);
    void Layout();
    void LayoutItems();
    void LayoutButtons();
    void SetCaptionFonts();
    void OnItemCommand(int id, int code, HWND control);
    void OnScroll(WPARAM wParam);
    void ScrollToPixels(int pixels);
    void EnsureVisible(HWND control);
    int ScrollPixels() const;
    int MaxScrollPixels() const;
    void RunProgress(const std::function<void()>& clean);
    void OpenCookies();
    HWND TopWindow() const;

    Frm_Privacy logic_;
    core::Prompts& prompts_;
    controls::HookedPagePanel panel_;  // the visible frame
    HWND view_ = nullptr;              // clips the item panel to the frame's inside
    controls::HookedPagePanel items_;  // taller than the view; moves when scrolled
    HWND scrollBar_ = nullptr;
    std::array<HWND, kItemCount> checks_{};
    std::array<HWND, kGroupCount> groupCaptions_{};
    controls::LinkWindow lnk1_;
    controls::ErrorMsgWindow balloon_;
    controls::UniqueWindow toolTips_;
    controls::UniqueWindow clean_;
    controls::UniqueWindow tools_;
    controls::ThemeSubscription theme_;
    int contentHeight_ = 0;
    int programsTop_ = 1;  // pixels from the item panel's top to the Programs group
    bool syncing_ = false;
};

}  // namespace privacy
