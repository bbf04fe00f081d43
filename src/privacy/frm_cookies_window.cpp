#include "privacy/frm_cookies_window.h"

#include <commctrl.h>

#include <string>

#include "controls/theme.h"
#include "platform/message_pump.h"
#include "platform/ui.h"
#include "platform/utf.h"
#include "platform/window_text.h"

namespace privacy {
namespace {

enum Id { kList = 100, kRefresh, kRemove, kClear };
// The list's one column: 5500 twips.
constexpr int kColumnWidth = 367;

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
    if (!DialogWindow::Create(owner, "Cookies Manager", 440, 330)) return false;
    // The list shares its pictures: this window owns them.
    list_ = AddControl(hwnd(), WC_LISTVIEWW, "",
                       WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER |
                           LVS_SHAREIMAGELISTS | WS_TABSTOP,
                       kList, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
    ListView_SetTextColor(list_, controls::ResolveColor(controls::ThemeTextColor));
    label_ = AddControl(hwnd(), L"STATIC", "", WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE, 0);
    refresh_ = AddControl(hwnd(), L"BUTTON", "Refresh", WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, kRefresh);
    remove_ = AddControl(hwnd(), L"BUTTON", "Remove", WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, kRemove);
    clear_ = AddControl(hwnd(), L"BUTTON", "Clear All", WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, kClear);
    // Close is both the default (Enter) and the cancel (Esc) button.
    close_ = AddControl(hwnd(), L"BUTTON", "Close", WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP, IDCANCEL);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(L"Cookies");
    column.cx = Scale(kColumnWidth);
    ListView_InsertColumn(list_, 0, &column);
    MakeImages();
    Place(list_, 10, 10, 420, 248);
    Place(label_, 10, 266, 420, 20);
    // Left to right: Refresh, Remove, Clear All, Close, against the right edge.
    int x = 22;
    for (HWND button : {refresh_, remove_, clear_, close_}) {
        Place(button, x, 294, 96, 26);
        x += 104;
    }

    logic_.onChange = [this] { Sync(); };
    logic_.Form_Load();
    platform::EnableDialogKeys(hwnd(), nullptr);
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetFocus(list_);
    return true;
}

void FrmCookiesWindow::MakeImages() {
    images_ = CookieImages(Scale(16));
    ListView_SetImageList(list_, images_.get(), LVSIL_SMALL);
}

void FrmCookiesWindow::OnDpiChanged() {
    MakeImages();
    ListView_SetColumnWidth(list_, 0, Scale(kColumnWidth));
    DialogWindow::OnDpiChanged();
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

bool FrmCookiesWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case kRefresh:
                    logic_.Cmd_Refresh_Click();
                    return true;
                case kRemove:
                    logic_.Cmd_Remove_Click();
                    return true;
                case kClear:
                    logic_.Cmd_Clear_Click();
                    return true;
                case IDOK:
                case IDCANCEL:
                    Close();
                    return true;
            }
            return false;
        case DM_GETDEFID:
            result = MAKELRESULT(IDCANCEL, DC_HASDEFID);
            return true;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom != list_ || syncing_ || header->code != LVN_ITEMCHANGED) return false;
            // Clicks and keys change the selection; every change brings the buttons up to date.
            if (reinterpret_cast<const NMLISTVIEW*>(lParam)->uChanged & LVIF_STATE) {
                logic_.SelectRow(ListView_GetNextItem(list_, -1, LVNI_SELECTED));
                logic_.Lv_Click();
            }
            return false;
        }
        case WM_DESTROY:
            platform::DisableDialogKeys(hwnd());
            logic_.onChange = nullptr;
            return false;
    }
    return false;
}

}  // namespace privacy
