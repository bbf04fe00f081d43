#include "startup/add_new_prog_window.h"

#include <commctrl.h>

#include "controls/theme.h"
#include "platform/utf.h"
#include "platform/window_text.h"

namespace startup {
namespace {

enum Id { kName = 100, kPath, kBrowse, kTarget, kBalloon };

}  // namespace

bool AddNewProgWindow::Create(HWND owner) {
    if (!DialogWindow::Create(owner, "Add New Program", 430, 150)) return false;
    const auto add = [this](const wchar_t* className, const char* text, DWORD style, int id, int x, int y, int width,
                            int height, DWORD exStyle = 0) {
        HWND control = AddControl(hwnd(), className, text, WS_VISIBLE | style, id, exStyle);
        Place(control, x, y, width, height);
        return control;
    };
    add(L"STATIC", "Program Name :", SS_LEFT, 0, 12, 15, 120, 18);
    name_ = add(L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, kName, 140, 11, 278, 23, WS_EX_CLIENTEDGE);
    add(L"STATIC", "Program Path :", SS_LEFT, 0, 12, 47, 104, 18);
    path_ = add(L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, kPath, 140, 43, 190, 23, WS_EX_CLIENTEDGE);
    add(L"BUTTON", "&Browse", BS_PUSHBUTTON | WS_TABSTOP, kBrowse, 336, 42, 82, 25);
    add(L"STATIC", "Add this program to :", SS_LEFT, 0, 12, 79, 126, 18);
    target_ = add(WC_COMBOBOXW, "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, kTarget, 140, 75, 190, 120);
    for (const char* item : {"Current User Only", "All Users"})
        ::SendMessageW(target_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::ToWide(item).c_str()));
    ::SendMessageW(target_, CB_SETCURSEL, logic_.targetIndex, 0);
    ok_ = add(L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, 244, 114, 84, 26);
    add(L"BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, 334, 114, 84, 26);
    // The balloon sits between the path's label and its box.
    balloonWindow_ = std::make_unique<controls::ErrorMsgWindow>(balloon_);
    balloonWindow_->Create(hwnd(), 0, 0, kBalloon);
    Place(balloonWindow_->hwnd(), 119, 47, 16, 16);
    balloon_.SetBackColor(controls::ThemeBackColor);
    balloon_.SetToolTipFontColor(controls::ThemeTextColor);
    Sync();
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetFocus(name_);
    return true;
}

void AddNewProgWindow::Sync() {
    ::EnableWindow(ok_, logic_.okEnabled);
    if (logic_.balloonText.empty()) {
        balloon_.HideMessage();
    } else if (!balloon_.Shown() || balloon_.Message() != logic_.balloonText) {
        balloon_.HideMessage();
        balloon_.ShowError(logic_.balloonText);
    }
}

bool AddNewProgWindow::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message != WM_COMMAND) return false;
    const core::PromptOwner promptOwner(logic_.PromptsUsed(), hwnd());
    result = 0;
    const int id = LOWORD(wParam), code = HIWORD(wParam);
    switch (id) {
        case kName:
            if (code == EN_CHANGE) logic_.Txt_Name_Change(platform::WindowText(name_));
            break;
        case kPath:
            if (code == EN_CHANGE) logic_.Txt_Path_Change(platform::WindowText(path_));
            if (code == EN_KILLFOCUS) logic_.Txt_Path_LostFocus();
            break;
        case kTarget:
            if (code == CBN_SELCHANGE)
                logic_.targetIndex = static_cast<int>(::SendMessageW(target_, CB_GETCURSEL, 0, 0));
            break;
        case kBrowse: {
            const auto focus = logic_.Cmd_Browse_Click();
            if (platform::WindowText(path_) != logic_.pathText) platform::SetWindowTextUtf8(path_, logic_.pathText);
            if (focus == Frm_AddNewProg::Focus::OkButton) ::SetFocus(ok_);
            if (focus == Frm_AddNewProg::Focus::NameBox) ::SetFocus(name_);
            break;
        }
        case IDOK:
            if (logic_.okEnabled && logic_.Cmd_OK_Click()) {
                Close(IDOK);
                return true;
            }
            break;
        case IDCANCEL:
            Close(IDCANCEL);
            return true;
    }
    Sync();
    return true;
}

}  // namespace startup
