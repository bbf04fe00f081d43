#include "startup/all_prop_window.h"

#include <commctrl.h>

#include "platform/file_icons.h"
#include "platform/utf.h"
#include "platform/window_text.h"
#include "startup/band_colours.h"

namespace startup {
namespace {

constexpr UINT_PTR kLoadTimer = 1;
enum Id { kList = 100, kReport };

}  // namespace

bool AllPropWindow::Create(HWND owner) {
    if (!DialogWindow::Create(owner, "Startup Items", 420, 420, true)) return false;
    list_ = AddControl(hwnd(), WC_LISTVIEWW, "",
                       WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHAREIMAGELISTS | LVS_NOSORTHEADER | WS_TABSTOP,
                       kList, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
    ListView_SetTextColor(list_, BandTextColour());
    label_ = AddControl(hwnd(), L"STATIC", "", WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0);
    report_ = AddControl(hwnd(), L"BUTTON", "Report", WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, kReport);
    close_ = AddControl(hwnd(), L"BUTTON", "Close", WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP, IDCANCEL);
    const int icon = ::GetSystemMetrics(SM_CXICON);
    icons_.reset(ImageList_Create(icon, icon, ILC_COLOR32 | ILC_MASK, 8, 8));
    ListView_SetImageList(list_, icons_.get(), LVSIL_SMALL);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(L"Startup Programs");
    column.cx = Scale(380);
    ListView_InsertColumn(list_, 0, &column);
    Layout();
    ::SetTimer(hwnd(), kLoadTimer, 20, nullptr);
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetFocus(close_);
    return true;
}

void AllPropWindow::Layout() {
    RECT r;
    ::GetClientRect(hwnd(), &r);
    const auto s = [this](int v) { return Scale(v); };
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
        const std::wstring text = platform::ToWide(row.status.empty() ? row.text : row.text + " (" + row.status + ")");
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(text.c_str());
        item.iImage = image;
        item.lParam = row.header ? 1 : 0;
        ListView_InsertItem(list_, &item);
    }
    ListView_SetColumnWidth(list_, 0, LVSCW_AUTOSIZE_USEHEADER);
    if (platform::WindowText(label_) != logic_.labelText) platform::SetWindowTextUtf8(label_, logic_.labelText);
    ::EnableWindow(report_, logic_.reportEnabled);
}

bool AllPropWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const core::PromptOwner promptOwner(logic_.PromptsUsed(), hwnd());
    result = 0;
    switch (message) {
        case WM_TIMER:
            if (wParam == kLoadTimer) {
                ::KillTimer(hwnd(), kLoadTimer);
                logic_.Tm_Load_Timer();
                Sync();
            }
            return true;
        case WM_SIZE:
            Layout();
            return true;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize = {Scale(300), Scale(240)};
            return true;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == kReport) logic_.WriteReport();
            if (LOWORD(wParam) == IDCANCEL) Close(IDCANCEL);
            return true;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->hwndFrom != list_ || header->code != NM_CUSTOMDRAW) return false;
            auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
            result = CDRF_DODEFAULT;
            if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
                result = CDRF_NOTIFYITEMDRAW;
            } else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && draw->nmcd.lItemlParam == 1) {
                // Group headers in the tool bar's colour.
                draw->clrTextBk = BandColour();
                draw->clrText = BandTextColour();
                ::SelectObject(draw->nmcd.hdc, BoldFont());
                result = CDRF_NEWFONT;
            }
            return true;
        }
        default:
            return false;
    }
}

}  // namespace startup
