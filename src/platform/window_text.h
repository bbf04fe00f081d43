// Window text as UTF-8.
#pragma once

#include <windows.h>

#include <string>

namespace platform {

std::string WindowText(HWND window);
void SetWindowTextUtf8(HWND window, const std::string& text);

}  // namespace platform
