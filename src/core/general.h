// General procedures every tool shares.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/prompts.h"
#include "platform/window_handle.h"

namespace core {

// True when Text holds a character other than the blank (U+0020).
bool HasText(std::string_view Text);
// Caret to 0, whole text selected, keyboard focus to the box.
void SelectAllText(platform::WindowHandle Box);
// Waits Seconds on a monotonic clock while processing window messages, so
// other handlers run inside it; callers must tolerate that.
void Pause(double Seconds);
// The clock Pause reads, in milliseconds: the system's tick count, which no
// change of the user's date or time moves. Tests put a clock of their own.
extern uint64_t (*PauseClock)();
// The program file inside a command line ("" when none is found).
std::string GetProgramPath(const std::string& CommandLine);
void EmbedWindow(platform::WindowHandle Child, platform::WindowHandle Parent);
// Height of mainWindow's title bar in pixels.
int32_t TitleBarHeight(platform::WindowHandle mainWindow);
// Which 0: major.minor as a number (5.1, 4.1, 4.9); 1: the build; else 0.
double GetWindowsVersion(int Which);
// Windows 98 and Me.
bool IsWin9x();
void EnableShutdownPrivilege();
// Asks, then restarts Windows as an orderly end of the program: Trm = "1"
// in the main settings file, the shutdown privilege on NT-based Windows,
// then ExitWindowsEx with the restart flags.
void RestartWindows(Prompts& prompts);
// The same, with exitWindows in place of ExitWindowsEx: tests pass their own
// so that nothing restarts.
void RestartWindows(Prompts& prompts, const std::function<void(uint32_t flags)>& exitWindows);
// The first virtual-key code from 5 to 128 held down now, 0 when none.
int16_t GetPressedKey();
std::string GetComputerNameText();
std::string GetUserNameText();

}  // namespace core
