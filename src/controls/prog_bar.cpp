#include "controls/prog_bar.h"

#include <algorithm>
#include <cmath>

namespace controls {

double cProgressBar::Fraction() const {
    if (Max <= Min) return 0.0;
    const double fraction = (static_cast<double>(Value) - Min) / (static_cast<double>(Max) - Min);
    return std::clamp(fraction, 0.0, 1.0);
}

int cProgressBar::FilledWidth(int width) const {
    if (width <= 0) return 0;
    return static_cast<int>(std::lround(Fraction() * width));
}

std::vector<cProgressBar::Span> cProgressBar::Blocks(int width, int block, int gap) const {
    std::vector<Span> blocks;
    const int filled = FilledWidth(width);
    if (block <= 0) return blocks;
    for (int left = 0; left < filled; left += block + std::max(gap, 0)) {
        blocks.push_back({left, std::min(left + block, filled)});
    }
    return blocks;
}

std::string cProgressBar::DisplayText() const {
    if (!ShowText || Text.empty()) return {};
    return " " + Text + " ";
}

ProgBar::ProgBar() { Update(); }

void ProgBar::SetBarMin(int value) {
    min_ = value;
    Update();
}
void ProgBar::SetBarMax(int value) {
    max_ = value;
    Update();
}
void ProgBar::SetBarValue(int value) {
    value_ = value;
    Update();
}
void ProgBar::SetBarBackColor(Color value) {
    backColor_ = value;
    Update();
}
void ProgBar::SetBarProgressColor(Color value) {
    progressColor_ = value;
    Update();
}
void ProgBar::SetBarProgressForeColor(Color value) {
    foreColor_ = value;
    Update();
}
void ProgBar::SetBarSegments(bool value) {
    segments_ = value;
    Update();
}
void ProgBar::SetBarXpStyle(bool value) {
    xpStyle_ = value;
    Update();
}
void ProgBar::SetShowText(bool value) {
    showText_ = value;
    Update();
}
void ProgBar::SetBarText(const std::string& value) {
    text_ = value;
    Update();
}
void ProgBar::SetBarAppearance(int value) {
    appearance_ = value;
    Update();
}
void ProgBar::SetBarBorderStyle(int value) {
    borderStyle_ = value;
    Update();
}

void ProgBar::Update() {
    drawing_.Min = min_;
    drawing_.Max = max_;
    drawing_.Value = value_;
    drawing_.BackColor = backColor_;
    drawing_.ProgressColor = progressColor_;
    drawing_.ForeColor = foreColor_;
    drawing_.Segments = segments_;
    drawing_.XpStyle = xpStyle_;
    drawing_.ShowText = showText_;
    drawing_.Text = text_;
    drawing_.Appearance = appearance_;
    drawing_.BorderStyle = borderStyle_;
    changed();
}

}  // namespace controls
