// The one way into the update check for the rest of the program.
#pragma once

#include "platform/window_handle.h"

namespace update {

// Opens the "Update Wizard" window owned by owner and returns when the user
// closes it; owner is disabled meanwhile. Opening it again while it is open
// brings the open one forward.
void ShowUpdateWizard(platform::WindowHandle owner);

}  // namespace update
