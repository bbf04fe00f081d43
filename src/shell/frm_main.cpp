#include "shell/frm_main.h"

#include <utility>

#include "core/maker.h"
#include "core/settings.h"

namespace shell {

FrmMain::FrmMain(std::function<void()> endProcess) : endProcess_(std::move(endProcess)), caption_(InitialCaption()) {}

std::string FrmMain::InitialCaption() {
    std::string caption = core::maker::kProgramName;
    caption.append(" ").append(core::maker::kVersionText);
    return caption;
}

void FrmMain::Form_Load() {
    const int page = core::IntegerOr(core::ReadIni(core::MainIniPath, "Main", "Cb", "0"), 0);
    CurrentPage = static_cast<int16_t>(page >= 0 && page <= 5 ? page : 0);
    CompactView = core::IntegerOr(core::ReadIni(core::MainIniPath, "Main", "Vmode", "0"), 0) == 1;
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
    unload.otherWindows = &OtherWindows;
    unload.endProcess = endProcess_;
    core::UnloadMainWindow(unload);
}

bool FrmMain::Form_QueryEndSession() {
    core::SaveAtSessionEnd(CurrentPage, CompactView, &OtherWindows);
    return true;
}

void FrmMain::Form_EndSession(bool ending) {
    if (ending) {
        core::SaveAtSessionEnd(CurrentPage, CompactView, &OtherWindows);
    } else if (!unloading_) {
        core::MarkRunning(core::MainIniPath);
    }
}

void FrmMain::AppendToCaption(std::string_view text) {
    caption_ += text;
    if (captionChanged_) captionChanged_(caption_);
}

}  // namespace shell
