// The balloon message control's window: a 240-twip square child that draws
// the fading icon and runs the fade and show timers of its ErrorMsg.
#pragma once

#include <windows.h>

#include <string>

#include "controls/bound_window.h"
#include "controls/error_msg.h"

namespace controls {

class ErrorMsgWindow : public BoundWindow<ErrorMsg> {
public:
    static constexpr UINT_PTR kFadeTimer = 1;
    static constexpr UINT_PTR kShowTimer = 2;

    explicit ErrorMsgWindow(ErrorMsg& logic);
    ~ErrorMsgWindow() override;

    // Creates the control at (x, y) of parent; hidden until a message shows.
    bool Create(HWND parent, int x, int y, int id = 0);

    // The tool tip's font; nullptr (default) uses the page's font. Not owned.
    void SetToolTipFont(HFONT font) { toolTipFont_ = font; }
    HFONT ToolTipFont() { return toolTipFont_ ? toolTipFont_ : PageFont(); }

    // Side of the square in pixels at this window's DPI.
    int SidePixels() const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc, const RECT& client) override;

private:
    void Sync();
    // Starts or stops timer id so that it runs as the logic wants.
    void RunTimer(UINT_PTR id, UINT intervalMs, bool wanted, bool& running);
    void OpenToolTip(const std::string& text);
    void CloseOwnToolTip();

    Connection changed_;
    Connection openToolTip_;
    Connection closeToolTip_;
    HFONT toolTipFont_ = nullptr;
    bool fadeRunning_ = false;
    bool showRunning_ = false;
    bool ownsToolTip_ = false;
    std::wstring windowText_;
};

}  // namespace controls
