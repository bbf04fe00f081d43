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

class ProgBar {
public:
    ProgBar();

    int BarMin() const { return min_; }
    void SetBarMin(int value);
    int BarMax() const { return max_; }
    void SetBarMax(int value);
    int BarValue() const { return value_; }
    void SetBarValue(int value);
    Color BarBackColor() const { return backColor_; }
    void SetBarBackColor(Color value);
    Color BarProgressColor() const { return progressColor_; }
    void SetBarProgressColor(Color value);
    Color BarProgressForeColor() const { return foreColor_; }
    void SetBarProgressForeColor(Color value);
    bool BarSegments() const { return segments_; }
    void SetBarSegments(bool value);
    bool BarXpStyle() const { return xpStyle_; }
    void SetBarXpStyle(bool value);
    bool ShowText() const { return showText_; }
    void SetShowText(bool value);
    const std::string& BarText() const { return text_; }
    void SetBarText(const std::string& value);
    int BarAppearance() const { return appearance_; }
    void SetBarAppearance(int value);
    int BarBorderStyle() const { return borderStyle_; }
    void SetBarBorderStyle(int value);

    const cProgressBar& Drawing() const { return drawing_; }

    // The bar needs redrawing.
    Signal<> changed;

private:
    void Update();

    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
    Color backColor_ = SystemColor(kSysButtonFace);
    Color progressColor_ = SystemColor(kSysActiveCaption);
    Color foreColor_ = kBlack;
    bool segments_ = false;
    bool xpStyle_ = false;
    bool showText_ = false;
    std::string text_;
    int appearance_ = 1;
    int borderStyle_ = 1;
    cProgressBar drawing_;
};

}  // namespace controls
