// The "Update Wizard" window: creates the controls, forwards their events to
// Frm_Update and draws its page. DPI-aware and usable from the keyboard.
#pragma once

#include <memory>
#include <string>

#include "platform/window_handle.h"
#include "update/frm_update.h"
#include "update/update_system.h"

namespace update {

class Frm_UpdateWindow : public std::enable_shared_from_this<Frm_UpdateWindow> {
public:
    // Control identifiers, for tests and accessibility tools.
    enum ControlId : int {
        kPictureId = 100,
        kHeadingId,
        kIntroId,
        kStatusId,
        kCheckLinkId,
        kResultId,
        kDetailsId,
        kDownloadUpdateId,
        kDownloadFullId,
        kErrorBalloonId,
        kSeparatorId,
        kCancelId = 2,  // IDCANCEL: Esc closes the window
    };

    // Opens the window owned by owner (may be null), or brings the one that
    // is open forward: there is one at a time, as they would share the
    // description file. system must outlive the window. Null on failure.
    static std::shared_ptr<Frm_UpdateWindow> Open(platform::WindowHandle owner, UpdateSystem& system,
                                                  const std::string& programFolder);
    // The open window, or null.
    static std::shared_ptr<Frm_UpdateWindow> Current();

    // Runs a message loop until the window closes, with its owner disabled
    // meanwhile (Tab, Enter and Esc work through it).
    void RunModal();
    // Closes the window as "Cancel" does.
    void Close();

    platform::WindowHandle Handle() const { return window_; }
    Frm_Update& Logic() { return logic_; }
    int Dpi() const { return dpi_; }

    Frm_UpdateWindow(const Frm_UpdateWindow&) = delete;
    Frm_UpdateWindow& operator=(const Frm_UpdateWindow&) = delete;
    ~Frm_UpdateWindow();

    struct Controls;  // the Win32 side, in the .cpp

private:
    Frm_UpdateWindow(UpdateSystem& system, const std::string& programFolder);

    Frm_Update logic_;
    std::unique_ptr<Controls> controls_;
    platform::WindowHandle window_ = nullptr;
    platform::WindowHandle owner_ = nullptr;
    int dpi_ = 96;

    friend struct WindowAccess;
};

}  // namespace update
