// The cookies manager's window.
#pragma once

#include "platform/window_handle.h"

namespace privacy {

// Opens the cookies manager, modal, owned by owner; returns when it closes.
void ShowCookiesManager(platform::WindowHandle owner);

}  // namespace privacy
