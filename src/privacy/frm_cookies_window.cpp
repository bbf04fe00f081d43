#include "privacy/frm_cookies_window.h"

namespace privacy {

void ShowCookiesManager(platform::WindowHandle) {}

}  // namespace privacy
