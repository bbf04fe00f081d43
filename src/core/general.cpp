#include "core/general.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/settings.h"
#include "core/startup_shutdown.h"
#include "platform/keyboard.h"
#include "platform/message_pump.h"
#include "platform/shutdown.h"
#include "platform/system_info.h"
#include "platform/window_ops.h"

namespace core {

void SelectAllText(platform::WindowHandle Box) { platform::SelectWholeText(Box); }

uint64_t (*PauseClock)() = &platform::TickCount;

void Pause(double Seconds) {
    // Whatever the argument, pending messages are handled once.
    if (!platform::PumpPendingMessages()) return;
    if (!(Seconds > 0)) return;  // also NaN
    // About 49 days at most, so the sum below cannot overflow.
    const auto wait = static_cast<uint64_t>(std::min(Seconds * 1000.0, 4294967294.0));
    const uint64_t end = PauseClock() + wait;
    for (;;) {
        const uint64_t now = PauseClock();
        if (now >= end) return;
        platform::WaitForMessages(static_cast<uint32_t>(end - now));
        if (!platform::PumpPendingMessages()) return;  // the program is ending
    }
}

void EmbedWindow(platform::WindowHandle Child, platform::WindowHandle Parent) {
    platform::SetParentWindow(Child, Parent);
}

int32_t TitleBarHeight(platform::WindowHandle mainWindow) { return platform::TitleBarHeightOf(mainWindow); }

double GetWindowsVersion(int Which) {
    const platform::OsVersion version = platform::GetOsVersion();
    if (!version.known) return 0;
    if (Which == 0) {
        // The digits of the minor version follow the point: 4 and 10 give
        // 4.1, 4 and 90 give 4.9, 5 and 1 give 5.1.
        const std::string text = std::to_string(version.major) + "." + std::to_string(version.minor);
        double number = 0;
        std::from_chars(text.data(), text.data() + text.size(), number);
        return number;
    }
    if (Which == 1) {
        // Windows 9x keeps its major and minor version in the high word.
        constexpr uint32_t kWindows9x = 1;
        return version.platformId == kWindows9x ? version.build & 0xFFFF : version.build;
    }
    return 0;
}

bool IsWin9x() {
    const double version = GetWindowsVersion(0);
    return version >= 4.1 && version < 5;
}

void EnableShutdownPrivilege() { platform::EnableShutdownPrivilege(); }

void RestartWindows(Prompts& prompts) { RestartWindows(prompts, platform::RequestWindowsExit); }

void RestartWindows(Prompts& prompts, const std::function<void(uint32_t flags)>& exitWindows) {
    if (prompts.Message("Are you sure you want to restart your computer ?", "Restart Windows", PromptIcon::Question,
                        PromptButtons::YesNo) != PromptAnswer::Yes)
        return;
    // The restart counts as an orderly end of the program.
    MarkOrderlyEnd(MainIniPath);
    const bool windowsNt = !IsWin9x();
    if (windowsNt) EnableShutdownPrivilege();
    exitWindows(platform::RestartFlags(windowsNt));
}

int16_t GetPressedKey() {
    for (int key = 5; key <= 128; ++key)
        if (platform::IsKeyDown(key)) return static_cast<int16_t>(key);
    return 0;
}

std::string GetComputerNameText() { return platform::ComputerName(); }

std::string GetUserNameText() { return platform::UserName(); }

}  // namespace core
