// The main window's logic: page switching, the tip line, the result strip,
// the keys, the views and the shut-down. The tool pages plug in through
// controls::ToolPage, so that they join without changes here.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "controls/tool_page.h"
#include "core/startup_shutdown.h"
#include "shell/page.h"

namespace shell {

// What the window shows for the logic.
struct FrmMainView {
    std::function<void(int page)> showPageArea;        // shows it, hides the others
    std::function<void(int page)> selectButtons;       // tab and round buttons
    std::function<void(bool visible)> showPrivacyTip;  // PTip and the PrivacyTip balloon
    std::function<void()> hideInfo;                    // the QxInfo balloon
    std::function<void(bool visible)> showResultStrip;
    std::function<void(const std::string& text)> resultText;
    std::function<void(bool enabled)> enableResultTimer;
    std::function<void(bool enabled)> enableKeysTimer;
    std::function<void()> tipChanged;  // the tip line needs repainting
    std::function<void(bool enabled)> enableTipTimers;
    std::function<void(bool compact)> viewChanged;
};

class FrmMain {
public:
    static constexpr int kPageCount = shell::kPageCount;
    static constexpr int kNoPage = 6;
    static constexpr unsigned kF5 = 116;
    static constexpr unsigned kResultMs = 6000;

    // endProcess ends the program at the end of the unload (core::EndProcess
    // when empty; tests pass one that returns).
    explicit FrmMain(std::function<void()> endProcess = {});
    FrmMain(const FrmMain&) = delete;
    FrmMain& operator=(const FrmMain&) = delete;

    // "Clarimo 2.1"
    static std::string InitialCaption();
    const std::string& Caption() const { return caption_; }
    // Called with the new caption whenever it changes (the window shows it).
    void OnCaptionChanged(std::function<void(const std::string&)> listener) { captionChanged_ = std::move(listener); }

    // Page shown (PageIndex, kNoPage before the first) and compact view;
    // saved as Cb and Vmode at the end.
    int16_t CurrentPage = kNoPage;
    bool CompactView = false;
    // The other windows register their unload steps here.
    core::WindowUnloads OtherWindows;

    // The pages by index; null for a page that needs nothing of the logic.
    std::array<controls::ToolPage*, kPageCount> Pages{};
    FrmMainView View;

    static const char* PageTip(int page);
    // A view toggle's background: the theme colour over white, 70 of 255
    // parts while pressed, 15 otherwise.
    static uint32_t ToggleColor(uint32_t themeColor, bool selected);
    void ShowPage(Page page);
    // A page by its number; an unknown number only hides the extras.
    void ShowPage(int Index);
    // Navigation: a tab button always switches; a round button only when its
    // page is not the current one.
    void TabButtonClick(int page);
    void RoundButtonClick(int page);
    void SetCompactView(bool compact);

    // Shows the results tally (core::CleanedCount, core::CleanedSize).
    void ShowResult();
    void TmResult_Timer();
    // Speed and BlendFrom 0 select a fade step of 2 from level 255.
    void DrowTipText(const std::string& Text, int Speed = 0, int BlendFrom = 0, bool NoAnimation = false);
    // Typing step; false once all of the text shows.
    bool TipMove_Timer();
    // Fade step; false once the fade has ended.
    bool TipDrow_Timer();
    const std::string& TipText() const { return tipText_; }
    // The part of the tip typed so far and the blend level (255 clear .. 0).
    std::string TipShown() const { return tipText_.substr(0, tipChars_); }
    int TipBlend() const { return tipBlend_; }
    // A key press that reached the window: F5 refreshes; every key joins
    // KeyHistory, and the info sequence shows the project information.
    void KeyDown(unsigned keyCode);
    // Key codes of "clarimoproject", Enter, F5.
    static constexpr const char* kInfoKeySequence =
        "6776658273777980827974696784"
        "13116";
    static constexpr size_t kKeyHistoryLength = 34;
    std::string KeyHistory;
    // Set while the project information shows; a page switch clears it and
    // so ends the sequence.
    bool SequenceShown = false;
    // Waits while other events run (core::Pause when empty in the window).
    std::function<void(double seconds)> pause;
    // Ctrl+click on the privacy balloon restarts Windows.
    void PrivacyTipClick(bool ctrlHeld, const std::function<void()>& restart);

    // Where the window stands now, for the shut-down to save (set by the window).
    std::function<std::optional<core::WindowPosition>()> windowPosition;

    // Restores Cb and Vmode (out-of-range Cb gives page 0) and marks the run
    // as running (Trm = "0").
    void Form_Load();
    // The shut-down: runs once, however often the window is asked to close;
    // ends the process.
    void Form_Unload();
    void Cmd_Close_Click() { Form_Unload(); }

    // Windows asks whether the session may end: save as the shut-down saves
    // and mark an orderly end. Always agrees.
    bool Form_QueryEndSession();
    // ending: the session really ends (saved again); otherwise it goes on and
    // the run is marked as running again.
    void Form_EndSession(bool ending);

    bool Unloading() const { return unloading_; }

private:
    std::optional<Page> Current() const { return PageFromIndex(CurrentPage); }
    controls::ToolPage* PageObject(Page page) const { return Pages[static_cast<size_t>(PageIndex(page))]; }
    // Hides what belongs to the page that goes: the balloons, the result
    // strip and their timers.
    void HidePageExtras();
    void AppendToCaption(std::string_view text);
    void ShowProjectInfo();

    std::function<void()> endProcess_;
    std::function<void(const std::string&)> captionChanged_;
    std::string caption_;
    bool unloading_ = false;
    std::string tipText_;
    size_t tipChars_ = 0;
    int tipBlend_ = 255;
    int tipStep_ = 2;
};

}  // namespace shell
