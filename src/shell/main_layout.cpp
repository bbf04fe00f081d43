#include "shell/main_layout.h"

namespace shell {
namespace {

// Lengths at 96 DPI.
constexpr int kClientWidth = 660;
constexpr int kClientHeight = 480;
constexpr int kCompactSaving = 44;  // the compact view is 665 twips lower
constexpr int kHeaderHeight = 48;
constexpr int kLogoSide = 32;
constexpr int kTabWidth = 150;
constexpr int kTabHeight = 34;
constexpr int kTabGap = 4;
constexpr int kRoundWidth = 80;
constexpr int kRoundHeight = 30;
constexpr int kTipHeight = 22;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kMargin = 11;
constexpr int kNoteWidth = 218;

}  // namespace

int ScaleLength(int length96, unsigned dpi) {
    return (length96 * static_cast<int>(dpi) + 48) / 96;  // rounded, as MulDiv does
}

ClientSize MainClientSize96(bool compact) {
    return ClientSize{kClientWidth, kClientHeight - (compact ? kCompactSaving : 0)};
}

Box MainLayout::ButtonStrip(int count) const {
    const int width = count > 0 ? count * (buttonWidth + buttonGap) - buttonGap : 0;
    return Box{stripRight - width, close.top, stripRight, close.bottom};
}

MainLayout LayOutMainWindow(int clientWidth, int clientHeight, unsigned dpi, bool compact) {
    const auto scale = [dpi](int length) { return ScaleLength(length, dpi); };
    const int margin = scale(kMargin);
    MainLayout layout;
    layout.header = Box{0, 0, clientWidth, scale(kHeaderHeight)};
    const int logoSide = scale(kLogoSide);
    const int logoTop = (layout.header.bottom - logoSide) / 2;
    layout.logo = Box{margin, logoTop, margin + logoSide, logoTop + logoSide};

    const int roundWidth = scale(kRoundWidth);
    const int roundHeight = scale(kRoundHeight);
    const int roundGap = scale(kTabGap);
    const int tabWidth = scale(kTabWidth);
    const int tabHeight = scale(kTabHeight);
    const int tipHeight = scale(kTipHeight);
    const int contentTop = layout.header.bottom + tipHeight + margin;
    for (int page = 0; page < kPageCount; ++page) {
        if (compact) {
            // In the header band, right of the logo.
            const int left = clientWidth - margin - (kPageCount - page) * (roundWidth + roundGap);
            const int top = (layout.header.bottom - roundHeight) / 2;
            layout.rounds[page] = Box{left, top, left + roundWidth, top + roundHeight};
        } else {
            const int top = contentTop + page * (tabHeight + roundGap);
            layout.tabs[page] = Box{margin, top, margin + tabWidth, top + tabHeight};
        }
    }
    if (!compact) layout.title = Box{layout.logo.right + margin, 0, clientWidth - margin, layout.header.bottom};

    const int toggleSide = tipHeight - scale(2);
    const int lineTop = layout.header.bottom + 2;
    layout.toggle = Box{clientWidth - margin - toggleSide, lineTop, clientWidth - margin, lineTop + toggleSide};
    layout.tip = Box{margin, lineTop, layout.toggle.left - scale(6), lineTop + tipHeight - 2};

    layout.buttonWidth = scale(kButtonWidth);
    layout.buttonHeight = scale(kButtonHeight);
    layout.buttonGap = scale(kButtonGap);
    const int buttonTop = clientHeight - margin - layout.buttonHeight;
    layout.close =
        Box{clientWidth - margin - layout.buttonWidth, buttonTop, clientWidth - margin, clientHeight - margin};
    layout.stripRight = layout.close.left - layout.buttonGap;

    const int areaLeft = compact ? margin : 2 * margin + tabWidth;
    layout.pageArea = Box{areaLeft, contentTop, clientWidth - margin, buttonTop - margin};
    layout.resultStrip = Box{margin, buttonTop, layout.stripRight, layout.close.bottom};
    layout.privacyNote = Box{areaLeft, buttonTop, areaLeft + scale(kNoteWidth), layout.close.bottom};
    // The balloon is a 240-twip square (16 pixels at 96 DPI).
    const int balloonLeft = layout.privacyNote.right + scale(2);
    const int balloonSide = (240 * static_cast<int>(dpi) + 720) / 1440;
    layout.privacyBalloon = Box{balloonLeft, buttonTop, balloonLeft + balloonSide, buttonTop + balloonSide};
    return layout;
}

}  // namespace shell
