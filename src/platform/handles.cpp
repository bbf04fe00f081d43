#include "platform/handles.h"

#include <commctrl.h>
#include <winhttp.h>

namespace platform {

void ImageListTraits::close(HIMAGELIST list) noexcept { ::ImageList_Destroy(list); }

void WinHttpHandleTraits::close(void* handle) noexcept { ::WinHttpCloseHandle(handle); }

}  // namespace platform
