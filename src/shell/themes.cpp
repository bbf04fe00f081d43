#include "shell/themes.h"

#include "controls/theme.h"

namespace shell {

void ApplyTheme(int Index) {
    controls::SetThemeValues(controls::NormalizeThemeIndex(Index));
    controls::NotifyThemeSubscribers();
}

}  // namespace shell
