#include "platform/handles.h"

#include <commctrl.h>
#include <winhttp.h>

namespace platform {

void DestroyImageList(HIMAGELIST list) noexcept { ::ImageList_Destroy(list); }

void CloseWinHttpHandle(void* handle) noexcept { ::WinHttpCloseHandle(handle); }

}  // namespace platform
