#include "startup/add_new_prog_window.h"

#include <commctrl.h>

#include "platform/utf.h"
#include "startup/window_support.h"

namespace startup {
namespace {

constexpr wchar_t kClass[] = L"ClarimoAddNewProgram";
enum Id { kName = 100, kPath, kBrowse, kTarget };

}  // namespace

AddNewProgWindow::~AddNewProgWindow() {
    if (::IsWindow(window_)) {
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        ::DestroyWindow(window_);
    }
}

bool AddNewProgWindow::Create(HWND owner) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    if (!::GetClassInfoExW(instance, kClass, &windowClass)) {
        windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = instance;
        windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kClass;
        ::RegisterClassExW(&windowClass);
    }
    window_ = ::CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kClass, L"Add New Program",
                                WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 100, 100, owner, nullptr, instance, this);
    if (!window_) return false;
    const auto s = [this](int v) { return ui::Scale(window_, v); };
    RECT frame = {0, 0, s(430), s(150)};
    ::AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT ownerRect = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (owner) ::GetWindowRect(owner, &ownerRect);
    ::SetWindowPos(window_, nullptr, (ownerRect.left + ownerRect.right - width) / 2,
                   (ownerRect.top + ownerRect.bottom - height) / 2, width, height, SWP_NOZORDER);

    font_ = ui::MessageFont(window_);
    const auto place = [&](HWND control, int x, int y, int w, int h) {
        ::MoveWindow(control, s(x), s(y), s(w), s(h), FALSE);
        ui::SetFont(control, font_.get());
        return control;
    };
    place(ui::Child(window_, L"STATIC", "Program Name :", SS_LEFT, 0), 12, 15, 120, 18);
    name_ =
        place(ui::Child(window_, L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, kName, WS_EX_CLIENTEDGE), 140, 11, 278, 23);
    place(ui::Child(window_, L"STATIC", "Program Path :", SS_LEFT, 0), 12, 47, 120, 18);
    path_ =
        place(ui::Child(window_, L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, kPath, WS_EX_CLIENTEDGE), 140, 43, 190, 23);
    place(ui::Child(window_, L"BUTTON", "&Browse", BS_PUSHBUTTON | WS_TABSTOP, kBrowse), 336, 42, 82, 25);
    place(ui::Child(window_, L"STATIC", "Add this program to :", SS_LEFT, 0), 12, 79, 126, 18);
    target_ = place(ui::Child(window_, WC_COMBOBOXW, "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, kTarget), 140, 75,
                    190, 120);
    for (const char* item : {"Current User Only", "All Users"})
        ::SendMessageW(target_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::ToWide(item).c_str()));
    ::SendMessageW(target_, CB_SETCURSEL, logic_.targetIndex, 0);
    ok_ = place(ui::Child(window_, L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK), 244, 114, 84, 26);
    place(ui::Child(window_, L"BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL), 334, 114, 84, 26);
    Sync();
    ::ShowWindow(window_, SW_SHOW);
    ::SetFocus(name_);
    return true;
}

void AddNewProgWindow::ShowModal(HWND owner) {
    if (Create(owner)) ui::RunModal(window_, owner);
}

void AddNewProgWindow::Sync() {
    ::EnableWindow(ok_, logic_.okEnabled);
    if (logic_.balloonText == shownBalloon_) return;
    shownBalloon_ = logic_.balloonText;
    if (shownBalloon_.empty()) {
        ::SendMessageW(path_, EM_HIDEBALLOONTIP, 0, 0);
        return;
    }
    const std::wstring text = platform::ToWide(shownBalloon_);
    EDITBALLOONTIP tip = {};
    tip.cbStruct = sizeof tip;
    tip.pszTitle = L"Clarimo";
    tip.pszText = text.c_str();
    tip.ttiIcon = TTI_ERROR;
    ::SendMessageW(path_, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip));
}

LRESULT CALLBACK AddNewProgWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<AddNewProgWindow*>(create->lpCreateParams)->window_ = window;
    }
    auto* self = reinterpret_cast<AddNewProgWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        self->window_ = nullptr;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

LRESULT AddNewProgWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        const int id = LOWORD(wParam), code = HIWORD(wParam);
        switch (id) {
            case kName:
                if (code == EN_CHANGE) logic_.Txt_Name_Change(ui::TextOf(name_));
                break;
            case kPath:
                if (code == EN_CHANGE) logic_.Txt_Path_Change(ui::TextOf(path_));
                if (code == EN_KILLFOCUS) logic_.Txt_Path_LostFocus();
                break;
            case kTarget:
                if (code == CBN_SELCHANGE)
                    logic_.targetIndex = static_cast<int>(::SendMessageW(target_, CB_GETCURSEL, 0, 0));
                break;
            case kBrowse: {
                const auto focus = logic_.Cmd_Browse_Click();
                ui::SetText(path_, logic_.pathText);
                if (focus == Frm_AddNewProg::Focus::OkButton) ::SetFocus(ok_);
                if (focus == Frm_AddNewProg::Focus::NameBox) ::SetFocus(name_);
                break;
            }
            case IDOK:
                if (logic_.okEnabled && logic_.Cmd_OK_Click()) {
                    ::DestroyWindow(window_);
                    return 0;
                }
                break;
            case IDCANCEL:
                ::DestroyWindow(window_);
                return 0;
        }
        Sync();
        return 0;
    }
    if (message == WM_CLOSE) {
        ::DestroyWindow(window_);
        return 0;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace startup
