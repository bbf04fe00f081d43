// The main window's logic. For now it holds what start-up and shut-down need
// (caption, page and view state, the other windows' unload steps); the pages
// join it later.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/startup_shutdown.h"

namespace shell {

class FrmMain {
public:
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

    // Page shown (0..5) and compact view; saved as Cb and Vmode at the end.
    int16_t CurrentPage = 0;
    bool CompactView = false;
    // The other windows register their unload steps here.
    core::WindowUnloads OtherWindows;

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
    void AppendToCaption(std::string_view text);

    std::function<void()> endProcess_;
    std::function<void(const std::string&)> captionChanged_;
    std::string caption_;
    bool unloading_ = false;
};

}  // namespace shell
