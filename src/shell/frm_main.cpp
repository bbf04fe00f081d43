#include "shell/frm_main.h"

#include <string_view>
#include <utility>

#include "controls/color.h"
#include "core/cls_file_folder.h"
#include "core/maker.h"
#include "core/results_tally.h"
#include "core/settings.h"

namespace shell {

static_assert(std::string_view(FrmMain::kInfoKeySequence).size() == 33, "the history compares its last 33 characters");

FrmMain::FrmMain(std::function<void()> endProcess) : endProcess_(std::move(endProcess)), caption_(InitialCaption()) {}

std::string FrmMain::InitialCaption() {
    std::string caption = core::maker::kProgramName;
    caption.append(" ").append(core::maker::kVersionText);
    return caption;
}

namespace {

template <typename F, typename... A>
void Call(const F& f, A&&... args) {
    if (f) f(std::forward<A>(args)...);
}

}  // namespace

const char* FrmMain::PageTip(int page) {
    static const char* const tips[kPageCount] = {
        "Scan for junk files and clean them from your hard drive.",
        "Clean temp folder, History,Temporary internet files and Programs recent.",
        "Control windows startup programs.",
        "Display running processes list and control it.",
        "Clarimo Options.",
        "About Clarimo.",
    };
    return page >= 0 && page < kPageCount ? tips[page] : "";
}

uint32_t FrmMain::ToggleColor(uint32_t themeColor, bool selected) {
    return controls::Blend(themeColor, controls::kWhite, selected ? 70 : 15);
}

void FrmMain::HidePageExtras() {
    SequenceShown = false;
    Call(View.enableKeysTimer, false);
    Call(View.showPrivacyTip, false);
    Call(View.hideInfo);
    Call(View.showResultStrip, false);
    Call(View.enableResultTimer, false);
}

void FrmMain::ShowPage(int Index) {
    if (const auto page = PageFromIndex(Index)) return ShowPage(*page);
    HidePageExtras();
}

void FrmMain::ShowPage(Page page) {
    HidePageExtras();
    // The restart note comes back every time the privacy page is chosen.
    if (page == Page::Privacy) {
        Call(View.enableKeysTimer, true);
        Call(View.showPrivacyTip, true);
    }
    if (page == Current()) return;
    const int index = PageIndex(page);
    DrowTipText(PageTip(index));
    for (int other = 0; other < kPageCount; ++other)
        if (other != index && Pages[other]) Pages[other]->Hidden();
    Call(View.showPageArea, index);
    Call(View.selectButtons, index);
    CurrentPage = static_cast<int16_t>(index);
    if (controls::ToolPage* shown = PageObject(page)) shown->Shown();
}

void FrmMain::TabButtonClick(int page) {
    ShowPage(page);
    if (const auto known = PageFromIndex(page); known && PageObject(*known)) PageObject(*known)->Focus();
}

void FrmMain::RoundButtonClick(int page) {
    if (page != CurrentPage) TabButtonClick(page);
}

void FrmMain::SetCompactView(bool compact) {
    CompactView = compact;
    Call(View.viewChanged, compact);
}

void FrmMain::ShowResult() {
    const uint32_t count = core::CleanedCount;
    const uint64_t size = core::CleanedSize;
    for (controls::ToolPage* page : Pages)
        if (page) page->ResultShown();
    Call(View.enableResultTimer, false);
    Call(View.resultText,
         "  Cleaned Space : " + core::ClsFileFolder().CalcSize(size) + ", Files : " + std::to_string(count));
    Call(View.showResultStrip, true);
    Call(View.enableResultTimer, true);
}

void FrmMain::TmResult_Timer() {
    Call(View.showResultStrip, false);
    Call(View.enableResultTimer, false);
}

void FrmMain::DrowTipText(const std::string& Text, int Speed, int BlendFrom, bool NoAnimation) {
    tipText_ = Text;
    tipStep_ = Speed > 0 ? Speed : 2;
    tipBlend_ = BlendFrom > 0 && BlendFrom <= 255 ? BlendFrom : 255;
    tipChars_ = NoAnimation ? tipText_.size() : 0;
    Call(View.tipChanged);
    Call(View.enableTipTimers, true);
}

bool FrmMain::TipMove_Timer() {
    if (tipChars_ >= tipText_.size()) return false;
    // Whole UTF-8 characters only.
    ++tipChars_;
    while (tipChars_ < tipText_.size() && (static_cast<unsigned char>(tipText_[tipChars_]) & 0xC0) == 0x80) ++tipChars_;
    Call(View.tipChanged);
    return tipChars_ < tipText_.size();
}

bool FrmMain::TipDrow_Timer() {
    if (tipBlend_ - tipStep_ < 0) return false;
    tipBlend_ -= tipStep_;
    Call(View.tipChanged);
    return true;
}

void FrmMain::KeyDown(unsigned keyCode) {
    if (const auto page = Current(); keyCode == kF5 && page && PageObject(*page)) PageObject(*page)->Refresh();

    const size_t before = KeyHistory.size();
    KeyHistory += std::to_string(keyCode);
    if (before >= kKeyHistoryLength) KeyHistory.erase(0, KeyHistory.size() - before);
    const std::string_view sequence = kInfoKeySequence;
    if (KeyHistory.size() >= sequence.size() &&
        std::string_view(KeyHistory).substr(KeyHistory.size() - sequence.size()) == sequence)
        ShowProjectInfo();
}

void FrmMain::ShowProjectInfo() {
    SequenceShown = true;
    DrowTipText(InitialCaption() + " (build " + std::to_string(core::maker::kBuild) + ")", 0, 0, true);
    Call(pause, 5.0);
    if (!SequenceShown) return;
    DrowTipText("Clarimo Project Info ...", 0, 0, true);
    Call(pause, 3.0);
    if (!SequenceShown) return;
    DrowTipText(" Code Lines : 11780, API declarations : 274, Functions : 262, Controls : 6", 0, 0, true);
}

void FrmMain::PrivacyTipClick(bool ctrlHeld, const std::function<void()>& restart) {
    if (ctrlHeld && Current() == Page::Privacy && restart) restart();
}

void FrmMain::Form_Load() {
    CurrentPage = kNoPage;
    const int stored = core::IntegerOr(core::ReadIni(core::MainIniPath, "Main", "Cb", "0"), 0);
    if (core::IntegerOr(core::ReadIni(core::MainIniPath, "Main", "Vmode", "0"), 0) == 1) SetCompactView(true);
    ShowPage(PageFromIndex(stored).value_or(Page::Junk));
    core::MarkRunning(core::MainIniPath);
}

void FrmMain::Form_Unload() {
    // A second close while the first one runs (its steps may let messages
    // through) must not start the sequence again.
    if (unloading_) return;
    unloading_ = true;
    core::MainWindowUnload unload;
    unload.appendToCaption = [this](std::string_view text) { AppendToCaption(text); };
    unload.currentPage = CurrentPage;
    unload.compactView = CompactView;
    if (windowPosition) unload.position = windowPosition();
    unload.otherWindows = &OtherWindows;
    unload.endProcess = endProcess_;
    core::UnloadMainWindow(unload);
}

bool FrmMain::Form_QueryEndSession() {
    core::SaveAtSessionEnd(CurrentPage, CompactView, &OtherWindows, windowPosition ? windowPosition() : std::nullopt);
    return true;
}

void FrmMain::Form_EndSession(bool ending) {
    if (ending) {
        core::SaveAtSessionEnd(CurrentPage, CompactView, &OtherWindows,
                               windowPosition ? windowPosition() : std::nullopt);
    } else if (!unloading_) {
        core::MarkRunning(core::MainIniPath);
    }
}

void FrmMain::AppendToCaption(std::string_view text) {
    caption_ += text;
    if (captionChanged_) captionChanged_(caption_);
}

}  // namespace shell
