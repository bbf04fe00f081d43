// Drawing helpers for the program's own controls: fills, gradients,
// constant-alpha blending, rounded frames, fonts scaled for DPI, text in
// UTF-8, and a double-buffered paint surface. Every GDI object is owned.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles.h"

namespace platform {

void FillSolid(HDC dc, const RECT& rect, COLORREF color);
void GradientVertical(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom);
void GradientHorizontal(HDC dc, const RECT& rect, COLORREF left, COLORREF right);
// Blends the source rectangle over the destination with one alpha for all
// pixels (0 transparent .. 255 opaque).
bool AlphaBlendConstant(HDC destination, const RECT& destRect, HDC source, int sourceX, int sourceY, BYTE alpha);
// Rounded rectangle: fill (when fill is not CLR_INVALID) and a 1-pixel frame.
void RoundRectangle(HDC dc, const RECT& rect, int cornerDiameter, COLORREF fill, COLORREF frame);

// What CreateFontAt makes: an empty face is the system's message font's
// face, points 0 its size.
struct FontSetup {
    std::wstring face;
    int points = 0;
    int weight = FW_NORMAL;
    bool underline = false;
};
// The one font creator: every font of the program's windows comes from here.
UniqueFont CreateFontAt(const FontSetup& setup, int dpi);
// The system's message font at dpi, optionally bold or underlined.
inline UniqueFont CreateMessageFont(int dpi, int weight = FW_NORMAL, bool underline = false) {
    return CreateFontAt({L"", 0, weight, underline}, dpi);
}
// A font face at a size in points at dpi.
inline UniqueFont CreatePointFont(const std::wstring& face, int points, int dpi, int weight = FW_NORMAL,
                                  bool underline = false) {
    return CreateFontAt({face, points, weight, underline}, dpi);
}
// The message font's face, pointSize points tall at dpi.
inline UniqueFont CreateUiFont(unsigned dpi, int pointSize, bool bold = false) {
    return CreateFontAt({L"", pointSize, bold ? FW_BOLD : FW_NORMAL, false}, static_cast<int>(dpi));
}
// A copy of font with another weight or underline.
UniqueFont DeriveFont(HFONT font, int weight, bool underline);
// Height in pixels of the font's em square, as given to CreateFont.
int FontHeight(HFONT font);

SIZE MeasureText(HDC dc, HFONT font, const std::string& text);
int DrawTextUtf8(HDC dc, const std::string& text, RECT& rect, UINT format);

// The hand cursor: cursor resource 1 of the program, or the system's hand
// where the running executable has none.
HCURSOR HandCursor();

// Paints into a memory bitmap and copies it to the target when it ends, so
// a control never flickers.
class BufferedPaint {
public:
    BufferedPaint(HDC target, const RECT& rect);
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;
    ~BufferedPaint();
    // The memory DC (or the target itself if no memory DC could be made).
    HDC dc() const { return memory_ ? memory_.get() : target_; }

private:
    HDC target_;
    RECT rect_;
    UniqueMemoryDc memory_;
    UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace platform
