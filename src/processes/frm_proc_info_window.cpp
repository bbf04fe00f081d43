#include "processes/frm_proc_info_window.h"

#include <commctrl.h>

#include "controls/theme.h"
#include "platform/dpi.h"
#include "platform/file_icons.h"
#include "platform/file_system.h"
#include "platform/message_pump.h"
#include "platform/utf.h"
#include "platform/window_text.h"

namespace processes {
namespace {

HWND MakeList(controls::DialogWindow& window) {
    const HWND parent = window.hwnd();
    HWND list = window.AddControl(
        parent, WC_LISTVIEWW, "",
        WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS, 0,
        WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
    ListView_SetTextColor(list, controls::ResolveColor(controls::ThemeTextColor));
    const unsigned dpi = platform::WindowDpi(parent);
    const wchar_t* titles[] = {L"Data", L"Value"};
    const int twips[] = {2000, 3400};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(titles[i]);
        column.cx = ::MulDiv(twips[i], static_cast<int>(dpi), 1440);
        ListView_InsertColumn(list, i, &column);
    }
    return list;
}

void AddRow(HWND list, int index, const std::string& text, int image, const std::string& value) {
    const std::wstring wide = platform::ToWide(text);
    LVITEMW item = {};
    item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0);
    item.iItem = index;
    item.pszText = const_cast<wchar_t*>(wide.c_str());
    item.iImage = image;
    ListView_InsertItem(list, &item);
    if (!value.empty()) {
        std::wstring wideValue = platform::ToWide(value);
        ListView_SetItemText(list, index, 1, wideValue.data());
    }
}

}  // namespace

FrmProcInfoWindow::FrmProcInfoWindow(Frm_ProcInfo& logic) : BoundWindow(logic), btn1Window_(btn1_), btn2Window_(btn2_) {
    btn1_.SetCaption("Process Info");
    btn2_.SetCaption("Modules");
    btn1_.Click = [this] { ClickTab(1); };
    btn2_.Click = [this] { ClickTab(2); };
}

FrmProcInfoWindow::~FrmProcInfoWindow() { Close(IDOK); }

bool FrmProcInfoWindow::Open(HWND owner) {
    logic_.Form_Load();
    if (!Create(owner, logic_.Caption, 420, 340)) {
        logic_.Form_Unload();
        return false;
    }
    Build();
    Sync();
    ::ShowWindow(hwnd(), SW_SHOW);
    platform::EnableDialogKeys(hwnd(), nullptr);
    return true;
}

void FrmProcInfoWindow::ShowModal(HWND owner) {
    if (Open(owner)) RunModal();
}

void FrmProcInfoWindow::Build() {
    for (controls::TabButton* tab : {&btn1_, &btn2_}) {
        tab->SetThemeColor(controls::ThemeColor);
        tab->SetBackColor(controls::ThemeBackColor);
    }
    btn1Window_.Create(hwnd(), RECT{0, 0, 10, 10}, 11);
    btn2Window_.Create(hwnd(), RECT{0, 0, 10, 10}, 12);
    btn1Window_.SetFont(Font());
    btn2Window_.SetFont(Font());
    lv1_ = MakeList(*this);
    lv2_ = MakeList(*this);
    count_ = AddControl(hwnd(), L"STATIC", "", WS_VISIBLE | SS_NOPREFIX, 0);
    ok_ = AddControl(hwnd(), L"BUTTON", "Ok", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK);
    Place(btn1Window_.hwnd(), 10, 10, 130, 28);
    Place(btn2Window_.hwnd(), 144, 10, 130, 28);
    Place(lv1_, 10, 44, 400, 246);
    Place(lv2_, 10, 44, 400, 246);
    Place(count_, 10, 306, 260, 20);
    Place(ok_, 320, 300, 90, 28);

    // Image 0: the picture of a library; image 1: the program's own icon.
    const int small = ::GetSystemMetrics(SM_CXSMICON);
    images_.reset(ImageList_Create(small, small, ILC_COLOR32 | ILC_MASK, 2, 2));
    platform::UniqueIcon library = platform::LoadFileIcon(platform::SystemFolder() + "\\kernel32.dll", false);
    if (!library) library = platform::DefaultProgramIcon(false);
    ImageList_AddIcon(images_.get(), library.get());
    platform::UniqueIcon program = platform::LoadFileIcon(logic_.Row().tag, false);
    if (!program) program = platform::DefaultProgramIcon(false);
    ImageList_AddIcon(images_.get(), program.get());
    ListView_SetImageList(lv2_, images_.get(), LVSIL_SMALL);

    for (size_t i = 0; i < logic_.Lv1.size(); ++i)
        AddRow(lv1_, static_cast<int>(i), logic_.Lv1[i].data, -1, logic_.Lv1[i].value);
    for (size_t i = 0; i < logic_.Lv2.size(); ++i)
        AddRow(lv2_, static_cast<int>(i), logic_.Lv2[i].name, logic_.Lv2[i].executable ? 1 : 0, "");
}

void FrmProcInfoWindow::Sync() {
    btn1_.SetSelectButton(logic_.Btn1Selected);
    btn2_.SetSelectButton(logic_.Btn2Selected);
    btn2_.SetEnabled(logic_.Btn2Enabled);
    ::EnableWindow(btn2Window_.hwnd(), logic_.Btn2Enabled);
    ::ShowWindow(lv1_, logic_.Lv1Visible ? SW_SHOW : SW_HIDE);
    ::ShowWindow(lv2_, logic_.Lv1Visible ? SW_HIDE : SW_SHOW);
    platform::SetWindowTextUtf8(count_, logic_.CountLabel);
}

void FrmProcInfoWindow::ClickTab(int tab) {
    if (tab == 1)
        logic_.Btn1_Click();
    else
        logic_.Btn2_Click();
    Sync();
}

bool FrmProcInfoWindow::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT&) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return false;
            Close(IDOK);
            return true;
        case WM_DESTROY:
            // Unloading starts the process page's timer again.
            platform::DisableDialogKeys(hwnd());
            logic_.Form_Unload();
            return false;
    }
    return false;
}

}  // namespace processes
