#include "privacy/frm_cookies_window.h"

#include <commctrl.h>

#include <string>

#include "controls/custom_window.h"
#include "controls/theme.h"
#include "platform/dpi.h"
#include "platform/message_pump.h"
#include "platform/modal_runner.h"
#include "platform/ui.h"
#include "platform/utf.h"
#include "platform/window_text.h"

namespace privacy {
namespace {

constexpr wchar_t kClass[] = L"ClarimoCookiesManager";
enum Id { kList = 100, kRefresh, kRemove, kClear };
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
// Client size at 96 DPI.
constexpr int kWidth = 440;
constexpr int kHeight = 330;
// The list's one column: 5500 twips.
constexpr int kColumnWidth = 367;

HWND Child(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id, DWORD exStyle = 0) {
    return ::CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
}

// A small round biscuit with chips: the picture of every row.
platform::UniqueImageList CookieImages(int size) {
    platform::UniqueImageList images(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 1, 0));
    const platform::WindowDc screen(nullptr);
    platform::UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
    platform::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), size, size));
    if (!images || !dc || !bitmap) return images;
    const COLORREF transparent = RGB(255, 0, 255);
    {
        platform::SelectionGuard selectBitmap(dc.get(), bitmap.get());
        const RECT all = {0, 0, size, size};
        platform::UniqueBrush back(::CreateSolidBrush(transparent));
        ::FillRect(dc.get(), &all, back.get());
        platform::UniqueBrush dough(::CreateSolidBrush(RGB(0xD2, 0x9A, 0x4E)));
        platform::UniquePen rim(::CreatePen(PS_SOLID, 1, RGB(0x8B, 0x5A, 0x2B)));
        {
            platform::SelectionGuard selectBrush(dc.get(), dough.get());
            platform::SelectionGuard selectPen(dc.get(), rim.get());
            ::Ellipse(dc.get(), 0, 0, size, size);
        }
        platform::UniqueBrush chip(::CreateSolidBrush(RGB(0x4A, 0x2A, 0x12)));
        const int c = (size + 7) / 8;
        const POINT chips[] = {
            {size / 3, size / 3}, {2 * size / 3, size / 2}, {size / 3, 2 * size / 3}, {size / 2 + 1, size / 4}};
        for (const POINT& p : chips) {
            const RECT r = {p.x - c / 2, p.y - c / 2, p.x - c / 2 + c, p.y - c / 2 + c};
            ::FillRect(dc.get(), &r, chip.get());
        }
    }
    ImageList_AddMasked(images.get(), bitmap.get(), transparent);
    return images;
}

}  // namespace

void ShowCookiesManager(platform::WindowHandle owner) {
    FrmCookies logic;
    FrmCookiesWindow window(logic);
    window.ShowModal(owner);
}

FrmCookiesWindow::~FrmCookiesWindow() {
    // While the members live: the list asks for nothing once it is gone.
    if (hwnd()) ::DestroyWindow(hwnd());
}

bool FrmCookiesWindow::Create(HWND owner) {
    platform::InitCommonControls();
    controls::WindowSpec spec;
    spec.className = kClass;
    spec.parent = owner;
    spec.style = kStyle;
    spec.exStyle = kExStyle;
    spec.text = "Cookies Manager";
    if (!MakeWindow(spec)) return false;
    const SIZE size = platform::WindowSizeForClient(kWidth, kHeight, kStyle, kExStyle, static_cast<unsigned>(Dpi()));
    RECT area = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (owner) ::GetWindowRect(owner, &area);
    ::SetWindowPos(hwnd(), nullptr, (area.left + area.right - size.cx) / 2, (area.top + area.bottom - size.cy) / 2,
                   size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);

    // The list shares its pictures: this window owns them.
    list_ = Child(hwnd(), WC_LISTVIEWW, L"",
                  LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | LVS_SHAREIMAGELISTS | WS_TABSTOP,
                  kList, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
    ListView_SetTextColor(list_, controls::ResolveColor(controls::ThemeTextColor));
    label_ = Child(hwnd(), L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE, 0);
    refresh_ = Child(hwnd(), L"BUTTON", L"Refresh", BS_PUSHBUTTON | WS_TABSTOP, kRefresh);
    remove_ = Child(hwnd(), L"BUTTON", L"Remove", BS_PUSHBUTTON | WS_TABSTOP, kRemove);
    clear_ = Child(hwnd(), L"BUTTON", L"Clear All", BS_PUSHBUTTON | WS_TABSTOP, kClear);
    // Close is both the default (Enter) and the cancel (Esc) button.
    close_ = Child(hwnd(), L"BUTTON", L"Close", BS_DEFPUSHBUTTON | WS_TABSTOP, IDCANCEL);
    for (HWND control : {list_, label_, refresh_, remove_, clear_, close_})
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(L"Cookies");
    column.cx = Scale(kColumnWidth);
    ListView_InsertColumn(list_, 0, &column);
    MakeImages();
    Layout();

    logic_.onChange = [this] { Sync(); };
    logic_.Form_Load();
    platform::EnableDialogKeys(hwnd(), nullptr);
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetFocus(list_);
    return true;
}

void FrmCookiesWindow::ShowModal(HWND owner) {
    if (Create(owner)) platform::RunModal(hwnd(), owner);
}

void FrmCookiesWindow::Close() {
    if (!platform::EndModal(hwnd(), IDCANCEL)) ::DestroyWindow(hwnd());
}

void FrmCookiesWindow::MakeImages() {
    images_ = CookieImages(Scale(16));
    ListView_SetImageList(list_, images_.get(), LVSIL_SMALL);
}

void FrmCookiesWindow::OnDpiChanged() {
    MakeImages();
    ListView_SetColumnWidth(list_, 0, Scale(kColumnWidth));
    Layout();
}

void FrmCookiesWindow::Paint(HDC dc, const RECT& client) { ::FillRect(dc, &client, background_.brush()); }

void FrmCookiesWindow::Layout() {
    RECT r;
    ::GetClientRect(hwnd(), &r);
    const auto s = [this](int length) { return Scale(length); };
    const int margin = s(10), gap = s(8), buttonWidth = s(96), buttonHeight = s(26), labelHeight = s(20);
    const int buttonsTop = r.bottom - margin - buttonHeight;
    const int labelTop = buttonsTop - gap - labelHeight;
    ::MoveWindow(list_, margin, margin, r.right - 2 * margin, labelTop - gap - margin, TRUE);
    ::MoveWindow(label_, margin, labelTop, r.right - 2 * margin, labelHeight, TRUE);
    // Left to right: Refresh, Remove, Clear All, Close, against the right edge.
    int x = r.right - margin - 4 * buttonWidth - 3 * gap;
    for (HWND button : {refresh_, remove_, clear_, close_}) {
        ::MoveWindow(button, x, buttonsTop, buttonWidth, buttonHeight, TRUE);
        x += buttonWidth + gap;
    }
}

void FrmCookiesWindow::Sync() {
    syncing_ = true;
    const auto& rows = logic_.Rows();
    if (shownVersion_ != logic_.RowsVersion()) {
        shownVersion_ = logic_.RowsVersion();
        ListView_DeleteAllItems(list_);
        for (size_t i = 0; i < rows.size(); ++i) {
            const std::wstring text = platform::ToWide(rows[i]);
            LVITEMW item = {};
            item.mask = LVIF_TEXT | LVIF_IMAGE;
            item.iItem = static_cast<int>(i);
            item.pszText = const_cast<wchar_t*>(text.c_str());
            item.iImage = 0;
            ListView_InsertItem(list_, &item);
        }
    }
    // The focus must not rest on a button that becomes disabled.
    const HWND focus = ::GetFocus();
    ::EnableWindow(remove_, logic_.RemoveEnabled());
    ::EnableWindow(clear_, logic_.ClearEnabled());
    if ((focus == remove_ && !logic_.RemoveEnabled()) || (focus == clear_ && !logic_.ClearEnabled())) ::SetFocus(list_);
    if (platform::WindowText(label_) != logic_.LabelText()) platform::SetWindowTextUtf8(label_, logic_.LabelText());
    syncing_ = false;
}

LRESULT FrmCookiesWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (background_.ColourStatic(message, wParam, result)) return result;
    switch (message) {
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case kRefresh:
                    logic_.Cmd_Refresh_Click();
                    return 0;
                case kRemove:
                    logic_.Cmd_Remove_Click();
                    return 0;
                case kClear:
                    logic_.Cmd_Clear_Click();
                    return 0;
                case IDOK:
                case IDCANCEL:
                    Close();
                    return 0;
            }
            break;
        case DM_GETDEFID:
            return MAKELRESULT(IDCANCEL, DC_HASDEFID);
        case WM_CLOSE:
            Close();
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom != list_ || syncing_) break;
            // Clicks and keys change the selection; every change brings the buttons up to date.
            if (header->code == LVN_ITEMCHANGED) {
                const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
                if (!(change->uChanged & LVIF_STATE)) break;
                logic_.SelectRow(ListView_GetNextItem(list_, -1, LVNI_SELECTED));
                logic_.Lv_Click();
            }
            break;
        }
        case WM_DESTROY:
            platform::DisableDialogKeys(hwnd());
            logic_.onChange = nullptr;
            break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace privacy
