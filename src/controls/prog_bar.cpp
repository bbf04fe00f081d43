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

}  // namespace controls
