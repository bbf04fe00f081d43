// The panel of a tool page: a child window that holds the page's controls,
// painted in the theme's page background with a rounded border in the
// theme's border colour, giving its labels, check boxes and option buttons
// the theme's text colour. Pages build their controls on it and forward its
// commands to their logic. The main window embeds the panel in the page's
// area and hides or shows it.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "controls/custom_window.h"

namespace controls {

class PagePanel : public CustomWindow {
public:
    PagePanel() = default;
    ~PagePanel() override = default;

    // A hidden child filling parent's client area.
    bool Create(HWND parent, int id = 0);

    // The page's fonts at the panel's DPI (Font is also answered to
    // WM_GETFONT); the base re-fonts the controls when the DPI changes.
    using CustomWindow::BoldFont;
    using CustomWindow::Font;

    // Creates a standard child control with the page's font.
    HWND AddControl(const wchar_t* className, const std::string& text, DWORD style, int id, DWORD exStyle = 0);
    // Check boxes, option buttons and group boxes drawn without the visual
    // style, so that they take the theme's text colour.
    HWND AddThemedButton(const std::string& text, DWORD style, int id);

    // A rounded frame the panel draws around a group of controls (in the
    // theme's border colour); its caption is a label placed on the top edge.
    // key names the frame; an empty rect removes it.
    void SetGroupFrame(int key, const RECT& rect);

    // Takes the theme colours in use and repaints the panel and everything
    // on it.
    void Recolour();

    std::function<void(int id, int code, HWND control)> onCommand;
    std::function<void(UINT_PTR id)> onTimer;
    std::function<void(int width, int height)> onLayout;
    std::function<void()> onDpiChanged;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDpiChanged() override;

private:
    void PaintBackground(HDC dc);

    platform::UniqueBrush background_;
    COLORREF backgroundColor_ = CLR_INVALID;
    std::map<int, RECT> groupFrames_;
};

}  // namespace controls
