#include "platform/handles.h"

#include <commctrl.h>

namespace platform {

void ImageListTraits::close(HIMAGELIST list) noexcept { ::ImageList_Destroy(list); }

}  // namespace platform
