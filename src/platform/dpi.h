// Twips (1/1440 inch), the unit some sizes of the program are given in, in
// pixels at a DPI. The DPI of a window and lengths at 96 DPI: platform/ui.h.
#pragma once

#include "platform/ui.h"

namespace platform {

// twips in pixels at dpi (rounded).
int TwipsToPixels(int twips, unsigned dpi);

}  // namespace platform
