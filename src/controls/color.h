// Colours as the controls store them. A colour is either plain RGB in the
// COLORREF layout (0x00BBGGRR) or a reference to a system colour, resolved
// only when it is drawn, so that a control keeps following the user's
// colour scheme. Portable.
#pragma once

#include <cstdint>

namespace controls {

using Color = uint32_t;

inline constexpr Color kSystemColorFlag = 0x80000000u;

constexpr Color Rgb(int red, int green, int blue) {
    return static_cast<Color>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

// A reference to GetSysColor(index).
constexpr Color SystemColor(int index) { return kSystemColorFlag | static_cast<Color>(index & 0xFF); }
constexpr bool IsSystemColor(Color c) { return (c & kSystemColorFlag) != 0; }
constexpr int SystemColorIndex(Color c) { return static_cast<int>(c & 0xFF); }

// System colour indexes the controls use as defaults.
inline constexpr int kSysActiveCaption = 2;
inline constexpr int kSysButtonFace = 15;
inline constexpr int kSysButtonText = 18;
inline constexpr int kSysInfoBackground = 24;

inline constexpr Color kWhite = Rgb(255, 255, 255);
inline constexpr Color kBlack = Rgb(0, 0, 0);

// Colour a over colour b at weight (0..255) of a: per channel
// a*w/255 + b*(255-w)/255, rounded. Both colours must be plain RGB.
constexpr Color Blend(Color a, Color b, int weight) {
    const int w = weight < 0 ? 0 : (weight > 255 ? 255 : weight);
    auto mix = [w](int x, int y) { return (x * w + y * (255 - w) + 127) / 255; };
    return Rgb(mix(RedOf(a), RedOf(b)), mix(GreenOf(a), GreenOf(b)), mix(BlueOf(a), BlueOf(b)));
}

}  // namespace controls
