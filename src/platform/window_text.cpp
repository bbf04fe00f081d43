#include "platform/window_text.h"

#include <algorithm>

#include "platform/utf.h"

namespace platform {

std::string WindowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return ToUtf8(text);
}

void SetWindowTextUtf8(HWND window, const std::string& text) { ::SetWindowTextW(window, ToWide(text).c_str()); }

}  // namespace platform
