// The privacy items: captions, groups and, for the program items, what tells
// that the program left a recent list behind. The index is an item's
// identity everywhere: detection, the Select entries and the order of the
// clean; new items only ever come after the old ones. Portable.
#pragma once

#include <array>
#include <string>

namespace privacy {

inline constexpr int kItemCount = 23;

enum class ItemGroup { Windows, InternetExplorer, Programs, ModernBrowsers };
inline constexpr int kGroupCount = 4;

// First and last index of each group.
inline constexpr int kFirstWindowsItem = 0, kLastWindowsItem = 8;
inline constexpr int kFirstIeItem = 9, kLastIeItem = 11;
inline constexpr int kFirstProgramItem = 12, kLastProgramItem = 19;
inline constexpr int kFirstBrowserItem = 20, kLastBrowserItem = 22;
inline constexpr int kTempItem = 0, kRecentItem = 2, kCookiesItem = 11;
inline constexpr int kChromeItem = 20, kEdgeItem = 21, kFirefoxItem = 22;

struct CatalogueItem {
    const char* designCaption;  // as stored: "&&" shows as "&"
    ItemGroup group;
    // Program items only: the name set when present, the caption when absent,
    // up to two keys below HKEY_CURRENT_USER (either present is enough), and
    // the value that must hold data (empty: the key alone tells).
    const char* presentName = nullptr;
    const char* absentCaption = nullptr;
    const char* keys[2] = {nullptr, nullptr};
    const char* value = nullptr;
};

const std::array<CatalogueItem, kItemCount>& Catalogue();

const char* GroupCaption(ItemGroup group);

}  // namespace privacy
