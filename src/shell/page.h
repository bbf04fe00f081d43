// The main window's six pages. The stored "Cb" value and the buttons number
// them; the logic names them. Portable.
#pragma once

#include <optional>

namespace shell {

// In the order of the tab and round buttons.
enum class Page { Junk, Privacy, Startup, Processes, Options, About };
inline constexpr int kPageCount = 6;
inline constexpr int PageIndex(Page page) { return static_cast<int>(page); }
inline constexpr Page PageAt(int index) { return static_cast<Page>(index); }
// The page numbered index, or nothing when no page has that number.
inline constexpr std::optional<Page> PageFromIndex(int index) {
    if (index < 0 || index >= kPageCount) return std::nullopt;
    return PageAt(index);
}

}  // namespace shell
