#include "support/window_probes.h"

#include <commctrl.h>

#include "platform/handles.h"
#include "platform/utf.h"

namespace testing_support {

void TypeInto(HWND edit, const std::string& text) {
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(platform::ToWide(text).c_str()));
}

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

HWND FindChild(HWND parent, const wchar_t* className, int index) {
    HWND child = nullptr;
    for (int i = 0; i <= index; ++i) child = ::FindWindowExW(parent, child, className, nullptr);
    return child;
}

namespace {

struct DescendantSearch {
    const wchar_t* className;
    const std::string& text;
    HWND found = nullptr;
};

// A named callback, not a lambda: the 32-bit build needs its calling convention.
BOOL CALLBACK MatchDescendant(HWND child, LPARAM parameter) {
    auto* search = reinterpret_cast<DescendantSearch*>(parameter);
    wchar_t name[64] = {};
    ::GetClassNameW(child, name, 64);
    if ((search->className && ::lstrcmpiW(name, search->className) != 0) || WindowText(child) != search->text)
        return TRUE;
    search->found = child;
    return FALSE;
}

}  // namespace

HWND FindDescendant(HWND parent, const wchar_t* className, const std::string& text) {
    DescendantSearch search{className, text};
    ::EnumChildWindows(parent, &MatchDescendant, reinterpret_cast<LPARAM>(&search));
    return search.found;
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
    auto add = [&](WORD key, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    for (WORD key : keys) add(key, 0);
    for (auto key = keys.end(); key != keys.begin();) add(*--key, KEYEVENTF_KEYUP);
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace testing_support
