// Applies a colour theme as the options page does, and the default one afterwards.
#pragma once

#include <windows.h>

#include "controls/custom_window.h"
#include "controls/theme.h"

namespace testing_support {

class ScopedTheme {
public:
    explicit ScopedTheme(int index) : index_(index) { Apply(index); }
    ~ScopedTheme() { Apply(0); }
    ScopedTheme(const ScopedTheme&) = delete;
    ScopedTheme& operator=(const ScopedTheme&) = delete;

    COLORREF text() const { return controls::ResolveColor(controls::ThemeTable()[index_].text); }
    COLORREF back() const { return controls::ResolveColor(controls::ThemeTable()[index_].back); }

private:
    static void Apply(int index) {
        controls::SetThemeValues(index);
        controls::NotifyThemeSubscribers();
    }
    int index_;
};

}  // namespace testing_support
