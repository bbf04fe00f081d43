// A modal window of the program built like a dialog box on the window
// base: created centred over its owner, holding standard controls in the
// message font, placed in 96-DPI units and placed again when the DPI
// changes, painted in the colour theme in use (and again on a theme
// change), and run through the modal runner. A window derives from it, builds its controls after Create and
// handles their messages in OnMessage.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "controls/custom_window.h"
#include "platform/handles.h"

namespace controls {

class DialogWindow : public CustomWindow {
public:
    // Creates the hidden window, owned by owner's top-level window, with a
    // client area of width x height (96-DPI units), centred over the owner.
    bool Create(HWND owner, const std::string& caption, int width, int height, bool resizable = false);
    // Builds the whole window over owner and shows it, not yet modal: each
    // window that opens with no more than its owner says how.
    virtual bool Create(HWND owner);
    // Create(owner), then runs the window modally until it closes.
    void ShowModal(HWND owner);
    // Shows the window and runs it until EndModal (or Close) ends the run;
    // the owner is disabled meanwhile and enabled before the window goes.
    int RunModal();
    // Ends the modal run, or destroys the window when it runs modeless.
    void Close(int result = IDCANCEL);

    // A standard child control in the window's font.
    HWND AddControl(HWND parent, const wchar_t* className, const std::string& text, DWORD style, int id,
                    DWORD exStyle = 0);
    // Places a control in 96-DPI units (kept for DPI changes).
    void Place(HWND control, int x, int y, int width, int height);
    using CustomWindow::BoldFont;
    using CustomWindow::Font;
    HWND Owner() const { return owner_; }
    HWND Window() const { return hwnd(); }

protected:
    // The window's own messages; answers false to leave one to the base.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc, const RECT& client) override;
    // Places the controls again (the base has re-fonted them); a window
    // that lays out more extends it.
    void OnDpiChanged() override;

private:
    struct Placement {
        HWND control;
        RECT box;  // 96-DPI units
    };

    HWND owner_ = nullptr;
    platform::UniqueBrush background_;
    std::vector<Placement> placements_;
};

// What a window of the program answers to WM_CTLCOLORSTATIC and friends so
// that labels and check boxes show the theme's text colour on the theme's
// background (brush: the theme's background brush the caller keeps).
LRESULT ThemedControlColour(HDC dc, HBRUSH brush);

}  // namespace controls
