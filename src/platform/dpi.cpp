#include "platform/dpi.h"

namespace platform {

int TwipsToPixels(int twips, unsigned dpi) { return ::MulDiv(twips, static_cast<int>(dpi), 1440); }

}  // namespace platform
