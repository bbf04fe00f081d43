#include "startup/all_prop_window.h"

#include <commctrl.h>

#include "platform/file_icons.h"
#include "platform/utf.h"
#include "startup/window_support.h"

namespace startup {
namespace {

constexpr wchar_t kClass[] = L"ClarimoStartupItems";
constexpr UINT_PTR kLoadTimer = 1;
enum Id { kList = 100, kReport };

}  // namespace

AllPropWindow::~AllPropWindow() {
    if (::IsWindow(window_)) ::DestroyWindow(window_);
}

bool AllPropWindow::Create(HWND owner) {
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
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    window_ = ::CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kClass, L"Startup Items", style, 0, 0, 100,
                                100, owner, nullptr, instance, this);
    if (!window_) return false;
    RECT frame = {0, 0, ui::Scale(window_, 420), ui::Scale(window_, 420)};
    ::AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT ownerRect = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (owner) ::GetWindowRect(owner, &ownerRect);
    ::SetWindowPos(window_, nullptr, (ownerRect.left + ownerRect.right - width) / 2,
                   (ownerRect.top + ownerRect.bottom - height) / 2, width, height, SWP_NOZORDER);

    font_ = ui::MessageFont(window_);
    boldFont_ = ui::MessageFont(window_, true);
    list_ = ui::Child(window_, WC_LISTVIEWW, "",
                      LVS_REPORT | LVS_SINGLESEL | LVS_SHAREIMAGELISTS | LVS_NOSORTHEADER | WS_TABSTOP, kList,
                      WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
    label_ = ui::Child(window_, L"STATIC", "", SS_LEFT | SS_NOPREFIX, 0);
    report_ = ui::Child(window_, L"BUTTON", "Report", BS_PUSHBUTTON | WS_TABSTOP, kReport);
    close_ = ui::Child(window_, L"BUTTON", "Close", BS_DEFPUSHBUTTON | WS_TABSTOP, IDCANCEL);
    for (HWND control : {list_, label_, report_, close_}) ui::SetFont(control, font_.get());
    const int icon = ::GetSystemMetrics(SM_CXICON);
    icons_.reset(ImageList_Create(icon, icon, ILC_COLOR32 | ILC_MASK, 8, 8));
    ListView_SetImageList(list_, icons_.get(), LVSIL_SMALL);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(L"Startup Programs");
    column.cx = ui::Scale(window_, 380);
    ListView_InsertColumn(list_, 0, &column);
    Layout();
    ::SetTimer(window_, kLoadTimer, 20, nullptr);
    ::ShowWindow(window_, SW_SHOW);
    ::SetFocus(close_);
    return true;
}

void AllPropWindow::ShowModal(HWND owner) {
    if (Create(owner)) ui::RunModal(window_, owner);
}

void AllPropWindow::Layout() {
    RECT r;
    ::GetClientRect(window_, &r);
    const auto s = [this](int v) { return ui::Scale(window_, v); };
    const int buttonHeight = s(26), buttonWidth = s(84), margin = s(10);
    ::MoveWindow(list_, margin, margin, r.right - 2 * margin, r.bottom - 3 * margin - buttonHeight, TRUE);
    const int bottom = r.bottom - margin - buttonHeight;
    ::MoveWindow(label_, margin, bottom + s(5), r.right - 4 * margin - 2 * buttonWidth, s(18), TRUE);
    ::MoveWindow(report_, r.right - 2 * (margin + buttonWidth), bottom, buttonWidth, buttonHeight, TRUE);
    ::MoveWindow(close_, r.right - margin - buttonWidth, bottom, buttonWidth, buttonHeight, TRUE);
    // The one column fills the list, scroll bar or not.
    ListView_SetColumnWidth(list_, 0, LVSCW_AUTOSIZE_USEHEADER);
}

void AllPropWindow::Sync() {
    ListView_DeleteAllItems(list_);
    ImageList_RemoveAll(icons_.get());
    const platform::UniqueIcon folder = platform::FolderIcon(true);
    const int folderImage = ImageList_AddIcon(icons_.get(), folder.get());
    for (size_t i = 0; i < logic_.rows.size(); ++i) {
        const AllPropRow& row = logic_.rows[i];
        int image = folderImage;
        if (!row.header) {
            platform::UniqueIcon icon = platform::LoadFileIcon(row.programPath, true);
            if (!icon) icon = platform::DefaultProgramIcon(true);
            image = ImageList_AddIcon(icons_.get(), icon.get());
        }
        const std::wstring text = platform::ToWide(row.text);
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(text.c_str());
        item.iImage = image;
        item.lParam = row.header ? 1 : 0;
        ListView_InsertItem(list_, &item);
    }
    ListView_SetColumnWidth(list_, 0, LVSCW_AUTOSIZE_USEHEADER);
    ui::SetText(label_, logic_.labelText);
    ::EnableWindow(report_, logic_.reportEnabled);
}

LRESULT CALLBACK AllPropWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<AllPropWindow*>(create->lpCreateParams)->window_ = window;
    }
    auto* self = reinterpret_cast<AllPropWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        self->window_ = nullptr;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

LRESULT AllPropWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kLoadTimer) {
                ::KillTimer(window_, kLoadTimer);
                logic_.Tm_Load_Timer();
                Sync();
            }
            return 0;
        case WM_SIZE:
            Layout();
            return 0;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize = {ui::Scale(window_, 300), ui::Scale(window_, 240)};
            return 0;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == kReport) logic_.WriteReport();
            if (LOWORD(wParam) == IDCANCEL) ::DestroyWindow(window_);
            return 0;
        case WM_CLOSE:
            ::DestroyWindow(window_);
            return 0;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->hwndFrom != list_ || header->code != NM_CUSTOMDRAW) break;
            auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
            if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
            if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && draw->nmcd.lItemlParam == 1) {
                // Group headers in the tool bar's colour.
                draw->clrTextBk = ui::ToolBarColor();
                draw->clrText = ui::ToolBarTextColor();
                ::SelectObject(draw->nmcd.hdc, boldFont_.get());
                return CDRF_NEWFONT;
            }
            return CDRF_DODEFAULT;
        }
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace startup
