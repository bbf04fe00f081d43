#include "platform/clipboard.h"

#include <windows.h>

#include <cstring>
#include <cwchar>
#include <utility>

#include "platform/utf.h"

namespace platform {
namespace {

// The clipboard opened for the life of the object.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) noexcept : open_(::OpenClipboard(owner) != FALSE) {}
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() {
        if (open_) ::CloseClipboard();
    }
    bool open() const noexcept { return open_; }

private:
    bool open_;
};

// Memory for SetClipboardData, freed unless the clipboard took it.
class GlobalMemory {
public:
    explicit GlobalMemory(size_t bytes) noexcept : memory_(::GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;
    ~GlobalMemory() {
        if (memory_) ::GlobalFree(memory_);
    }
    HGLOBAL get() const noexcept { return memory_; }
    HGLOBAL release() noexcept { return std::exchange(memory_, nullptr); }

private:
    HGLOBAL memory_;
};

}  // namespace

bool EmptyClipboardOf(WindowHandle owner) {
    const OpenedClipboard clipboard(owner);
    return clipboard.open() && ::EmptyClipboard();
}

bool SetClipboardText(WindowHandle owner, const std::string& text) {
    const std::wstring wide = ToWide(text);
    GlobalMemory memory((wide.size() + 1) * sizeof(wchar_t));
    if (!memory.get()) return false;
    void* bytes = ::GlobalLock(memory.get());
    if (!bytes) return false;
    std::memcpy(bytes, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    ::GlobalUnlock(memory.get());
    const OpenedClipboard clipboard(owner);
    if (!clipboard.open() || !::EmptyClipboard()) return false;
    if (!::SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
    memory.release();  // the clipboard owns it now
    return true;
}

std::optional<std::string> ClipboardText() {
    const OpenedClipboard clipboard(nullptr);
    if (!clipboard.open()) return std::nullopt;
    const HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    if (!data) return std::nullopt;
    const auto* text = static_cast<const wchar_t*>(::GlobalLock(data));
    if (!text) return std::nullopt;
    std::string result = ToUtf8(std::wstring_view(text, ::wcsnlen(text, ::GlobalSize(data) / sizeof(wchar_t))));
    ::GlobalUnlock(data);
    return result;
}

int ClipboardFormatCount() { return ::CountClipboardFormats(); }

}  // namespace platform
