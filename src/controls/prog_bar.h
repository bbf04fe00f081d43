// The progress bar: ProgBar holds the stored properties and hands them to
// its drawing object cProgressBar on every change; ProgBarWindow paints what
// the drawing object computes. Portable.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "controls/color.h"
#include "controls/signal.h"

namespace controls {

// The drawing object: everything needed to paint one bar.
class cProgressBar {
public:
    struct Span {
        int left;
        int right;  // exclusive
    };

    int Min = 0;
    int Max = 100;
    int Value = 0;
    Color BackColor = SystemColor(kSysButtonFace);
    Color ProgressColor = SystemColor(kSysActiveCaption);
    Color ForeColor = kBlack;
    bool Segments = false;
    bool XpStyle = false;
    bool ShowText = false;
    std::string Text;
    int Appearance = 1;   // 1: sunken three-dimensional edge, 0: flat
    int BorderStyle = 1;  // 1: a border, 0: none
    std::wstring FontName = L"Tahoma";
    int FontPoints = 8;
    // Text: centred horizontally and vertically, on one line.

    // Part of the range reached, 0..1: (Value - Min) / (Max - Min);
    // nothing when Max is not above Min.
    double Fraction() const;
    // Width in pixels of the filled part of a bar width pixels wide.
    int FilledWidth(int width) const;
    // The blocks of a segmented bar inside the filled part: block pixels
    // wide with gap pixels between them; the last block may be cut.
    std::vector<Span> Blocks(int width, int block, int gap) const;
    // The text drawn over the bar ("" when none): one blank on each side.
    std::string DisplayText() const;
};

// The stored properties live in the drawing object itself, so that what is
// painted is always what was set.
class ProgBar {
public:
    int BarMin() const { return drawing_.Min; }
    void SetBarMin(int value) { StoreAndSignal(drawing_.Min, value, changed); }
    int BarMax() const { return drawing_.Max; }
    void SetBarMax(int value) { StoreAndSignal(drawing_.Max, value, changed); }
    int BarValue() const { return drawing_.Value; }
    void SetBarValue(int value) { StoreAndSignal(drawing_.Value, value, changed); }
    Color BarBackColor() const { return drawing_.BackColor; }
    void SetBarBackColor(Color value) { StoreAndSignal(drawing_.BackColor, value, changed); }
    Color BarProgressColor() const { return drawing_.ProgressColor; }
    void SetBarProgressColor(Color value) { StoreAndSignal(drawing_.ProgressColor, value, changed); }
    Color BarProgressForeColor() const { return drawing_.ForeColor; }
    void SetBarProgressForeColor(Color value) { StoreAndSignal(drawing_.ForeColor, value, changed); }
    bool BarSegments() const { return drawing_.Segments; }
    void SetBarSegments(bool value) { StoreAndSignal(drawing_.Segments, value, changed); }
    bool BarXpStyle() const { return drawing_.XpStyle; }
    void SetBarXpStyle(bool value) { StoreAndSignal(drawing_.XpStyle, value, changed); }
    bool ShowText() const { return drawing_.ShowText; }
    void SetShowText(bool value) { StoreAndSignal(drawing_.ShowText, value, changed); }
    const std::string& BarText() const { return drawing_.Text; }
    void SetBarText(const std::string& value) { StoreAndSignal(drawing_.Text, value, changed); }
    int BarAppearance() const { return drawing_.Appearance; }
    void SetBarAppearance(int value) { StoreAndSignal(drawing_.Appearance, value, changed); }
    int BarBorderStyle() const { return drawing_.BorderStyle; }
    void SetBarBorderStyle(int value) { StoreAndSignal(drawing_.BorderStyle, value, changed); }

    const cProgressBar& Drawing() const { return drawing_; }

    // The bar needs redrawing.
    Signal<> changed;

private:
    cProgressBar drawing_;
};

}  // namespace controls
