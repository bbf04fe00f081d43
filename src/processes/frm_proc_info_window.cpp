#include "processes/frm_proc_info_window.h"

#include <commctrl.h>

#include "controls/theme.h"
#include "platform/dpi.h"
#include "platform/file_icons.h"
#include "platform/file_system.h"
#include "platform/message_pump.h"
#include "platform/modal_runner.h"
#include "platform/ui.h"
#include "platform/utf.h"
#include "platform/window_text.h"

namespace processes {
namespace {

constexpr wchar_t kClassName[] = L"ClarimoProcessDetails";
constexpr int kClientWidth = 420;
constexpr int kClientHeight = 340;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

HWND MakeList(HWND parent, HFONT font) {
    HWND list = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                                  WS_CHILD | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                                      LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                                  0, 0, 10, 10, parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
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

FrmProcInfoWindow::FrmProcInfoWindow(Frm_ProcInfo& logic) : logic_(logic), btn1Window_(btn1_), btn2Window_(btn2_) {
    btn1_.SetCaption("Process Info");
    btn2_.SetCaption("Modules");
    btn1_.Click = [this] { ClickTab(1); };
    btn2_.Click = [this] { ClickTab(2); };
}

FrmProcInfoWindow::~FrmProcInfoWindow() { Close(); }

bool FrmProcInfoWindow::Open(HWND owner) {
    owner_ = owner;
    logic_.Form_Load();
    const unsigned dpi = owner ? platform::WindowDpi(owner) : platform::SystemDpi();
    const SIZE size = platform::WindowSizeForClient(kClientWidth, kClientHeight, kStyle, kExStyle, dpi);
    controls::WindowSpec spec;
    spec.className = kClassName;
    spec.parent = owner;
    spec.rect = {0, 0, size.cx, size.cy};
    spec.style = kStyle;
    spec.exStyle = kExStyle;
    spec.text = logic_.Caption;
    if (!MakeWindow(spec)) {
        logic_.Form_Unload();
        return false;
    }
    Build();
    platform::CenterOnWorkArea(hwnd(), size.cx, size.cy);
    Layout();
    Sync();
    ::ShowWindow(hwnd(), SW_SHOW);
    platform::EnableDialogKeys(hwnd(), nullptr);
    return true;
}

void FrmProcInfoWindow::ShowModal(HWND owner) {
    if (Open(owner)) platform::RunModal(hwnd(), owner);
}

void FrmProcInfoWindow::Close() {
    if (hwnd() && !platform::EndModal(hwnd(), IDOK)) ::DestroyWindow(hwnd());
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
    lv1_ = MakeList(hwnd(), Font());
    lv2_ = MakeList(hwnd(), Font());
    count_ = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 10, 10, hwnd(), nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
    ok_ = ::CreateWindowExW(0, L"BUTTON", L"Ok", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 10, 10,
                            hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), ::GetModuleHandleW(nullptr),
                            nullptr);
    for (HWND control : {count_, ok_}) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), 0);

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

void FrmProcInfoWindow::Layout() {
    auto s = [this](int value96) { return Scale(value96); };
    auto place = [](HWND control, int x, int y, int w, int h) {
        ::SetWindowPos(control, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(btn1Window_.hwnd(), s(10), s(10), s(130), s(28));
    place(btn2Window_.hwnd(), s(144), s(10), s(130), s(28));
    place(lv1_, s(10), s(44), s(400), s(246));
    place(lv2_, s(10), s(44), s(400), s(246));
    place(count_, s(10), s(306), s(260), s(20));
    place(ok_, s(320), s(300), s(90), s(28));
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

void FrmProcInfoWindow::Paint(HDC dc, const RECT& client) { ::FillRect(dc, &client, background_.brush()); }

LRESULT FrmProcInfoWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (background_.ColourStatic(message, wParam, result)) return result;
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) Close();
            return 0;
        case WM_CLOSE:
            Close();
            return 0;
        case WM_DESTROY:
            // Unloading starts the process page's timer again.
            platform::DisableDialogKeys(hwnd());
            logic_.Form_Unload();
            break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace processes
