#include "platform/gdi.h"

#include "platform/dpi.h"
#include "platform/ui.h"
#include "platform/utf.h"

namespace platform {

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
    UniqueBrush brush(::CreateSolidBrush(color));
    if (brush) ::FillRect(dc, &rect, brush.get());
}

namespace {

void Gradient(HDC dc, const RECT& rect, COLORREF from, COLORREF to, ULONG mode) {
    TRIVERTEX vertices[2] = {};
    vertices[0].x = rect.left;
    vertices[0].y = rect.top;
    vertices[0].Red = static_cast<COLOR16>(GetRValue(from) << 8);
    vertices[0].Green = static_cast<COLOR16>(GetGValue(from) << 8);
    vertices[0].Blue = static_cast<COLOR16>(GetBValue(from) << 8);
    vertices[1].x = rect.right;
    vertices[1].y = rect.bottom;
    vertices[1].Red = static_cast<COLOR16>(GetRValue(to) << 8);
    vertices[1].Green = static_cast<COLOR16>(GetGValue(to) << 8);
    vertices[1].Blue = static_cast<COLOR16>(GetBValue(to) << 8);
    GRADIENT_RECT gradient = {0, 1};
    if (!::GradientFill(dc, vertices, 2, &gradient, 1, mode)) FillSolid(dc, rect, from);
}

}  // namespace

void GradientVertical(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom) {
    Gradient(dc, rect, top, bottom, GRADIENT_FILL_RECT_V);
}

void GradientHorizontal(HDC dc, const RECT& rect, COLORREF left, COLORREF right) {
    Gradient(dc, rect, left, right, GRADIENT_FILL_RECT_H);
}

bool AlphaBlendConstant(HDC destination, const RECT& destRect, HDC source, int sourceX, int sourceY, BYTE alpha) {
    const int width = destRect.right - destRect.left;
    const int height = destRect.bottom - destRect.top;
    if (width <= 0 || height <= 0) return false;
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, 0};
    return ::AlphaBlend(destination, destRect.left, destRect.top, width, height, source, sourceX, sourceY, width,
                        height, blend) != FALSE;
}

void RoundRectangle(HDC dc, const RECT& rect, int cornerDiameter, COLORREF fill, COLORREF frame) {
    UniquePen pen(::CreatePen(PS_SOLID, 1, frame));
    UniqueBrush brush(fill == CLR_INVALID ? nullptr : ::CreateSolidBrush(fill));
    SelectionGuard usePen(dc, pen.get());
    SelectionGuard useBrush(dc, brush ? static_cast<HGDIOBJ>(brush.get()) : ::GetStockObject(NULL_BRUSH));
    ::RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, cornerDiameter, cornerDiameter);
}

UniqueFont CreateFontAt(const FontSetup& setup, int dpi) {
    LOGFONTW font = {};
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    const bool system = ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) != FALSE;
    if (system) {
        font = metrics.lfMessageFont;
        font.lfHeight = ::MulDiv(font.lfHeight, dpi, static_cast<int>(SystemDpi()));
    } else {
        font.lfHeight = -::MulDiv(8, dpi, 72);
        font.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
    }
    if (!setup.face.empty()) {
        font.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(font.lfFaceName, setup.face.c_str(), LF_FACESIZE);
    }
    if (setup.points > 0) font.lfHeight = -::MulDiv(setup.points, dpi, 72);
    font.lfWidth = 0;
    font.lfWeight = setup.weight;
    font.lfUnderline = setup.underline ? TRUE : FALSE;
    font.lfQuality = CLEARTYPE_QUALITY;
    return UniqueFont(::CreateFontIndirectW(&font));
}

UniqueFont DeriveFont(HFONT font, int weight, bool underline) {
    LOGFONTW description = {};
    if (!font || !::GetObjectW(font, sizeof(description), &description)) {
        return CreateMessageFont(static_cast<int>(SystemDpi()), weight, underline);
    }
    description.lfWeight = weight;
    description.lfUnderline = underline ? TRUE : FALSE;
    return UniqueFont(::CreateFontIndirectW(&description));
}

int FontHeight(HFONT font) {
    LOGFONTW description = {};
    if (!font || !::GetObjectW(font, sizeof(description), &description)) return 0;
    return description.lfHeight < 0 ? -description.lfHeight : description.lfHeight;
}

SIZE MeasureText(HDC dc, HFONT font, const std::string& text) {
    SIZE size = {0, 0};
    SelectionGuard useFont(dc, font);
    const std::wstring wide = ToWide(text);
    if (wide.empty()) {
        TEXTMETRICW metrics = {};
        ::GetTextMetricsW(dc, &metrics);
        size.cy = metrics.tmHeight;
        return size;
    }
    ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

int DrawTextUtf8(HDC dc, const std::string& text, RECT& rect, UINT format) {
    std::wstring wide = ToWide(text);
    return ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, format);
}

HCURSOR HandCursor() {
    static const HCURSOR hand = [] {
        // Shared resources: neither cursor is destroyed.
        HCURSOR own = LoadCursorResource(1);
        return own ? own : ::LoadCursorW(nullptr, IDC_HAND);
    }();
    return hand;
}

BufferedPaint::BufferedPaint(HDC target, const RECT& rect) : target_(target), rect_(rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return;
    memory_.reset(::CreateCompatibleDC(target));
    bitmap_.reset(::CreateCompatibleBitmap(target, width, height));
    if (!memory_ || !bitmap_) {
        memory_.reset();
        return;
    }
    previous_ = ::SelectObject(memory_.get(), bitmap_.get());
    ::SetWindowOrgEx(memory_.get(), rect.left, rect.top, nullptr);
}

BufferedPaint::~BufferedPaint() {
    if (!memory_) return;
    ::BitBlt(target_, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top, memory_.get(),
             rect_.left, rect_.top, SRCCOPY);
    if (previous_) ::SelectObject(memory_.get(), previous_);
}

}  // namespace platform
