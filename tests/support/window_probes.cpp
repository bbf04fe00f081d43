#include "support/window_probes.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/handles.h"
#include "platform/utf.h"
#include "support/window_colours.h"

namespace testing_support {

void TypeInto(HWND edit, const std::string& text) {
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(platform::ToWide(text).c_str()));
}

HWND FindChild(HWND parent, const wchar_t* className, int index) {
    HWND child = nullptr;
    for (int i = 0; i <= index; ++i) child = ::FindWindowExW(parent, child, className, nullptr);
    return child;
}

namespace {

// A named callback, not a lambda: the 32-bit build needs its calling convention.
BOOL CALLBACK Collect(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> windows;
    ::EnumChildWindows(parent, &Collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> TopLevelWindows(DWORD threadId) {
    std::vector<HWND> windows;
    if (threadId)
        ::EnumThreadWindows(threadId, &Collect, reinterpret_cast<LPARAM>(&windows));
    else
        ::EnumWindows(&Collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HWND FirstWindow(const std::vector<HWND>& windows, const std::function<bool(HWND)>& match) {
    const auto found = std::find_if(windows.begin(), windows.end(), match);
    return found == windows.end() ? nullptr : *found;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    return std::wstring(name, static_cast<size_t>(std::max(::GetClassNameW(window, name, 256), 0)));
}

HWND FindDescendant(HWND parent, const wchar_t* className, const std::string& text) {
    return FirstWindow(Descendants(parent), [&](HWND child) {
        return (!className || ::lstrcmpiW(ClassName(child).c_str(), className) == 0) && WindowText(child) == text;
    });
}

std::string ListCellText(HWND list, int row, int column) {
    wchar_t buffer[1024] = {};
    ListView_GetItemText(list, row, column, buffer, 1024);
    return platform::ToUtf8(buffer);
}

int FindListRow(HWND list, const std::string& text, int column) {
    for (int row = 0; row < ListView_GetItemCount(list); ++row)
        if (ListCellText(list, row, column) == text) return row;
    return -1;
}

void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    const auto add = [&](WORD key, DWORD flags) {
        inputs.push_back({INPUT_KEYBOARD, {}});
        inputs.back().ki = {key, 0, flags, 0, 0};
    };
    for (WORD key : keys) add(key, 0);
    for (auto key = keys.end(); key != keys.begin();) add(*--key, KEYEVENTF_KEYUP);
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

COLORREF ErasedColour(HWND window, POINT at) {
    RECT client{};
    ::GetClientRect(window, &client);
    platform::WindowDc screen(window);
    platform::UniqueMemoryDc memory(::CreateCompatibleDC(screen.get()));
    platform::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
    const HGDIOBJ previous = ::SelectObject(memory.get(), bitmap.get());
    ::SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.get()), 0);
    const COLORREF colour = ::GetPixel(memory.get(), at.x, at.y);
    ::SelectObject(memory.get(), previous);
    return colour;
}

}  // namespace testing_support
