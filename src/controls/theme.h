// The six colour themes and the process-wide theme values. The values live
// here, below every window, so that any control or page reads the colours in
// use when it draws; a window that opens after a theme change therefore
// shows the new colours. shell::ApplyTheme sets them and tells the
// subscribed windows to recolour. Portable.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "controls/color.h"

namespace controls {

struct ThemeRow {
    const char* name;  // as listed on the options page
    Color color;       // ThemeColor
    Color light;       // ThemeLightColor
    Color text;        // ThemeTextColor
    Color back;        // ThemeBackColor
    Color border;      // rounded border around each page panel
};

inline constexpr int kThemeCount = 6;
const std::array<ThemeRow, kThemeCount>& ThemeTable();

// An index outside 0..5 selects theme 0.
int NormalizeThemeIndex(int index);

// Process-wide theme values; theme 0 until another theme is applied.
extern int ThemeIndex;
extern Color ThemeColor;
extern Color ThemeLightColor;
extern Color ThemeBackColor;
extern Color ThemeTextColor;
// Border colour of the theme in use (pages draw their border when painted).
Color ThemeBorderColor();

// Sets the five values from the table row (index outside 0..5: row 0).
void SetThemeValues(int index);

// Who recolours when a theme is applied, in this order. Windows of one stage
// are called in the order they subscribed.
enum class ThemeStage {
    MainWindow,
    JunkPage,
    PrivacyPage,
    StartupPage,
    ProcessPage,
    OptionsPage,
    AboutPage,
    OtherWindows,  // progress and details windows open at the time
    Finish,        // the main window's closing repaint and tip redraw
};

// Keeps a recolour callback registered for its own lifetime.
class ThemeSubscription {
public:
    ThemeSubscription() = default;
    explicit ThemeSubscription(uint64_t id) : id_(id) {}
    ThemeSubscription(const ThemeSubscription&) = delete;
    ThemeSubscription& operator=(const ThemeSubscription&) = delete;
    ThemeSubscription(ThemeSubscription&& other) noexcept : id_(other.id_) { other.id_ = 0; }
    ThemeSubscription& operator=(ThemeSubscription&& other) noexcept;
    ~ThemeSubscription() { Reset(); }
    void Reset();
    bool active() const { return id_ != 0; }

private:
    uint64_t id_ = 0;
};

[[nodiscard]] ThemeSubscription SubscribeTheme(ThemeStage stage, std::function<void()> recolour);

// Calls every subscriber, stage by stage. A subscriber may subscribe or
// unsubscribe others while this runs; those changes apply from the next call.
void NotifyThemeSubscribers();

}  // namespace controls
