// The Windows clipboard.
#pragma once

#include <optional>
#include <string>

#include "platform/window_handle.h"

namespace platform {

// Empties the clipboard, owner becoming its owner; false when another
// program holds it open.
bool EmptyClipboardOf(WindowHandle owner);
// Replaces the clipboard's contents with text (CF_UNICODETEXT).
bool SetClipboardText(WindowHandle owner, const std::string& text);
// The clipboard's text; nullopt when it holds none.
std::optional<std::string> ClipboardText();
// How many formats the clipboard holds (0 when empty).
int ClipboardFormatCount();

}  // namespace platform
