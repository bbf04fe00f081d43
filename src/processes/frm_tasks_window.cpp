#include "processes/frm_tasks_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "platform/file_icons.h"
#include "platform/utf.h"
#include "platform/window_text.h"
#include "processes/frm_proc_info_window.h"

namespace processes {
namespace {

constexpr UINT_PTR kRefreshTimer = 1;
constexpr int kListId = 301;

enum MenuId : UINT {
    kMenuEnd = 401,
    kMenuDetails,
    kMenuPriorityFirst,  // six entries, Real Time .. Low
    kMenuFolder = kMenuPriorityFirst + 6,
    kMenuProperties,
    kMenuRefresh,
    kMenuEndTree,
};

const char* const kPriorityCaptions[] = {"Real Time", "High", "Above Normal", "Normal", "Below Normal", "Low"};

void AppendItem(HMENU menu, UINT id, const std::string& caption, bool enabled, bool checked = false) {
    const std::wstring text = platform::ToWide(caption);
    ::AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED) | (checked ? MF_CHECKED : MF_UNCHECKED), id,
                  text.c_str());
}

void Place(HWND control, int x, int y, int width, int height) {
    ::SetWindowPos(control, nullptr, x, y, std::max(width, 0), std::max(height, 0), SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

bool FrmTasksWindow::PanelMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    if (message == WM_NOTIFY) {
        OnNotify(reinterpret_cast<NMHDR*>(lParam));
        return true;
    }
    if (message == WM_CONTEXTMENU) {
        OnContextMenu(reinterpret_cast<HWND>(wParam), lParam);
        return true;
    }
    return false;
}

FrmTasksWindow::FrmTasksWindow(core::Prompts& prompts) : logic_(prompts) {
    panel_.onMessage = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return PanelMessage(panel_.hwnd(), message, wParam, lParam, result);
    };
}

FrmTasksWindow::~FrmTasksWindow() {
    logic_.onLoading = nullptr;
    logic_.onRebuilt = nullptr;
    logic_.onCellChanged = nullptr;
    logic_.onStatusChanged = nullptr;
    logic_.onTimerChanged = nullptr;
    logic_.onShowDetails = nullptr;
    if (panel_.hwnd()) {
        ::KillTimer(panel_.hwnd(), kRefreshTimer);
        // While every member still lives: the list asks for cells until it is gone.
        ::DestroyWindow(panel_.hwnd());
    }
}

HWND FrmTasksWindow::TopWindow() const {
    HWND top = panel_.hwnd() ? ::GetAncestor(panel_.hwnd(), GA_ROOT) : nullptr;
    return top ? top : panel_.hwnd();
}

bool FrmTasksWindow::Create(HWND parent) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    if (!panel_.Create(parent)) return false;
    logic_.owner = TopWindow();
    Build();
    panel_.onLayout = [this](int width, int height) { Layout(width, height); };
    panel_.onTimer = [this](UINT_PTR id) {
        if (id == kRefreshTimer) logic_.Tm_Timer();
    };
    panel_.onDpiChanged = [this] {
        for (HWND child : {l1_, l3_, l4_, list_})
            ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(panel_.Font()), TRUE);
        ::SendMessageW(l2_, WM_SETFONT, reinterpret_cast<WPARAM>(panel_.BoldFont()), TRUE);
        shownColumns_ = 0;
        MakeColumns();
        RECT client;
        ::GetClientRect(panel_.hwnd(), &client);
        Layout(client.right, client.bottom);
    };
    theme_ = controls::SubscribeTheme(controls::ThemeStage::ProcessPage, [this] { Recolour(); });

    logic_.onLoading = [this] { ShowLoading(); };
    logic_.onRebuilt = [this] { FillList(); };
    logic_.onCellChanged = [this](size_t row, TaskColumn column) { WriteCell(row, column); };
    logic_.onStatusChanged = [this] { ShowStatus(); };
    logic_.onTimerChanged = [this] { OnTimerChanged(); };
    logic_.onShowDetails = [this] { OpenDetails(); };
    OnTimerChanged();  // the host may have asked before the panel existed

    RECT client;
    ::GetClientRect(panel_.hwnd(), &client);
    Layout(client.right, client.bottom);
    logic_.Form_Load();
    return true;
}

void FrmTasksWindow::Build() {
    picture_ = panel_.AddControl(L"STATIC", "", SS_ICON | SS_CENTERIMAGE | SS_REALSIZECONTROL, 0);
    l2_ = panel_.AddControl(L"STATIC", "", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 0);
    ::SendMessageW(l2_, WM_SETFONT, reinterpret_cast<WPARAM>(panel_.BoldFont()), FALSE);
    l3_ = panel_.AddControl(L"STATIC", "", SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, 0);
    l4_ = panel_.AddControl(L"STATIC", "", SS_LEFT | SS_NOPREFIX, 0);
    // The list lies over the loading label, which shows while the list is
    // hidden for a reload.
    l1_ = panel_.AddControl(L"STATIC", logic_.L1, SS_CENTER | SS_NOPREFIX, 0);
    // The list holds no rows of its own: it asks the page for what it shows,
    // so a rebuild is one count and a changed cell one redrawn row.
    list_ = panel_.AddControl(
        WC_LISTVIEWW, "",
        WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | LVS_OWNERDATA, kListId,
        WS_EX_CLIENTEDGE);
    ::SetWindowPos(list_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
    const int small = ::GetSystemMetrics(SM_CXSMICON);
    smallIcons_.reset(ImageList_Create(small, small, ILC_COLOR32 | ILC_MASK, 16, 16));
    platform::UniqueIcon defaultSmall = platform::DefaultProgramIcon(false);
    ImageList_AddIcon(smallIcons_.get(), defaultSmall.get());
    ListView_SetImageList(list_, smallIcons_.get(), LVSIL_SMALL);
    defaultPicture_ = platform::DefaultProgramIcon(true);
    Recolour();
}

void FrmTasksWindow::Recolour() {
    ListView_SetTextColor(list_, controls::ResolveColor(controls::ThemeTextColor));
    panel_.Recolour();
}

void FrmTasksWindow::Layout(int width, int height) {
    auto s = [this](int value96) { return panel_.Scale(value96); };
    const int margin = s(10);
    const int icon = s(32);
    const int line = s(17);
    const int textX = margin + icon + s(10);
    const int textWidth = width - textX - margin;
    Place(picture_, margin, s(10), icon, icon);
    Place(l2_, textX, s(6), textWidth, line);
    Place(l3_, textX, s(6) + line, textWidth, line);
    Place(l4_, textX, s(6) + 2 * line, textWidth, line);
    const int listTop = s(6) + 3 * line + s(6);
    const int listHeight = height - listTop - margin;
    Place(list_, margin, listTop, width - 2 * margin, listHeight);
    Place(l1_, margin, listTop + std::max(listHeight / 2 - line / 2, 0), width - 2 * margin, line);
}

void FrmTasksWindow::MakeColumns() {
    if (shownColumns_ == logic_.Columns.size() && shownColumns_ != 0) return;
    while (ListView_DeleteColumn(list_, 0)) {
    }
    const unsigned dpi = static_cast<unsigned>(panel_.Dpi());
    int index = 0;
    for (const auto& wanted : logic_.Columns) {
        const std::wstring title = platform::ToWide(wanted.title);
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = LVCFMT_LEFT;
        column.pszText = const_cast<wchar_t*>(title.c_str());
        // Never narrower than the caption, whatever the font.
        column.cx = std::max(::MulDiv(wanted.twips, static_cast<int>(dpi), 1440),
                             ListView_GetStringWidth(list_, title.c_str()) + panel_.Scale(16));
        ListView_InsertColumn(list_, index++, &column);
    }
    shownColumns_ = logic_.Columns.size();
}

int FrmTasksWindow::IconIndex(const std::string& path) {
    if (path.empty()) return 0;
    const auto found = iconIndex_.find(path);
    if (found != iconIndex_.end()) return found->second;
    int index = 0;
    if (platform::UniqueIcon icon = platform::LoadFileIcon(path, false)) {
        const int added = ImageList_AddIcon(smallIcons_.get(), icon.get());
        if (added >= 0) index = added;
    }
    iconIndex_.emplace(path, index);
    return index;
}

void FrmTasksWindow::ShowLoading() {
    ::ShowWindow(list_, SW_HIDE);
    ::ShowWindow(l1_, SW_SHOW);
    ::UpdateWindow(l1_);
}

void FrmTasksWindow::FillList() {
    MakeColumns();
    ShowSortMark();
    for (const TaskRow& row : logic_.Lv) IconIndex(row.iconPath);
    // The list's own selection follows the page's, which a reload or a new
    // order keeps on the same process.
    const int selected = logic_.SelectedRow();
    filling_ = true;
    ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemCountEx(list_, static_cast<int>(logic_.Lv.size()), LVSICF_NOSCROLL);
    if (selected >= 0)
        ListView_SetItemState(list_, selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    filling_ = false;
    ::InvalidateRect(list_, nullptr, TRUE);
    ::ShowWindow(list_, logic_.ListVisible ? SW_SHOW : SW_HIDE);
    ::ShowWindow(l1_, logic_.ListVisible ? SW_HIDE : SW_SHOW);
}

void FrmTasksWindow::ShowSortMark() {
    const HWND header = ListView_GetHeader(list_);
    for (size_t i = 0; i < logic_.Columns.size(); ++i) {
        HDITEMW item = {};
        item.mask = HDI_FORMAT;
        if (!Header_GetItem(header, static_cast<int>(i), &item)) continue;
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (logic_.SortedBy(logic_.Columns[i].what)) item.fmt |= logic_.SortDescending() ? HDF_SORTDOWN : HDF_SORTUP;
        Header_SetItem(header, static_cast<int>(i), &item);
    }
}

void FrmTasksWindow::WriteCell(size_t row, TaskColumn) {
    if (row < logic_.Lv.size()) ListView_RedrawItems(list_, static_cast<int>(row), static_cast<int>(row));
}

const std::string& FrmTasksWindow::CellText(size_t row, size_t column) const {
    static const std::string kEmpty;
    if (row >= logic_.Lv.size() || column >= logic_.Columns.size()) return kEmpty;
    const TaskRow& task = logic_.Lv[row];
    switch (logic_.Columns[column].what) {
        case TaskColumn::Name:
            return task.name;
        case TaskColumn::Memory:
            return task.memory;
        case TaskColumn::Priority:
            return task.priority;
        case TaskColumn::Threads:
            return task.threads;
        case TaskColumn::Cpu:
            return task.cpu;
    }
    return kEmpty;
}

void FrmTasksWindow::GiveDisplayInfo(NMLVDISPINFOW* info) {
    LVITEMW& item = info->item;
    if (item.iItem < 0 || item.iItem >= static_cast<int>(logic_.Lv.size())) return;
    if (item.mask & LVIF_TEXT) {
        textBuffer_ = platform::ToWide(CellText(static_cast<size_t>(item.iItem), static_cast<size_t>(item.iSubItem)));
        item.pszText = textBuffer_.data();
    }
    if (item.mask & LVIF_IMAGE) item.iImage = IconIndex(logic_.Lv[item.iItem].iconPath);
}

void FrmTasksWindow::ShowStatus() {
    platform::SetWindowTextUtf8(l2_, logic_.L2);
    platform::SetWindowTextUtf8(l3_, logic_.L3);
    platform::SetWindowTextUtf8(l4_, logic_.L4);
    if (logic_.ProgPic != shownPicturePath_) {
        shownPicturePath_ = logic_.ProgPic;
        shownPicture_ = platform::LoadFileIcon(logic_.ProgPic, true);
        ::SendMessageW(picture_, STM_SETICON,
                       reinterpret_cast<WPARAM>(shownPicture_ ? shownPicture_.get() : defaultPicture_.get()), 0);
    }
}

void FrmTasksWindow::OnTimerChanged() {
    if (!panel_.hwnd()) return;
    if (logic_.TimerEnabled())
        ::SetTimer(panel_.hwnd(), kRefreshTimer, 1000, nullptr);
    else
        ::KillTimer(panel_.hwnd(), kRefreshTimer);
}

void FrmTasksWindow::OnNotify(NMHDR* header) {
    if (!header || header->hwndFrom != list_) return;
    if (header->code == LVN_GETDISPINFOW) {
        GiveDisplayInfo(reinterpret_cast<NMLVDISPINFOW*>(header));
    } else if (header->code == LVN_COLUMNCLICK) {
        const auto column = static_cast<size_t>(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
        if (column < logic_.Columns.size()) logic_.SortBy(logic_.Columns[column].what);
    } else if (header->code == LVN_ITEMCHANGED && !filling_) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if (!(change->uChanged & LVIF_STATE)) return;
        if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED))
            logic_.SelectRow(change->iItem);
        else if ((change->uOldState & LVIS_SELECTED) && ListView_GetSelectedCount(list_) == 0)
            logic_.SelectRow(-1);  // a click on an empty part: the menu then offers only Refresh
    } else if (header->code == NM_RCLICK) {
        POINT at;
        ::GetCursorPos(&at);
        ShowMenu(at);
    }
}

void FrmTasksWindow::OnContextMenu(HWND from, LPARAM position) {
    // Only the keyboard's menu request (Shift+F10, the Apps key) comes here
    // for the list: a right click already opened the menu through NM_RCLICK.
    if (from != list_ || GET_X_LPARAM(position) != -1 || GET_Y_LPARAM(position) != -1) return;
    POINT at{0, 0};
    RECT row;
    const int selected = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
    if (selected >= 0) {
        ListView_EnsureVisible(list_, selected, FALSE);
        if (ListView_GetItemRect(list_, selected, &row, LVIR_LABEL)) at = {row.left, row.bottom};
    }
    ::ClientToScreen(list_, &at);
    ShowMenu(at);
}

void FrmTasksWindow::ShowMenu(POINT screen) {
    logic_.owner = TopWindow();  // the host may have moved the panel since
    const core::PromptOwner promptOwner(logic_.Prompts(), logic_.owner);
    FrmProcMenus& menus = logic_.Menus;
    menus.PopupOpening();
    const bool on = menus.ProcessEntriesEnabled;
    platform::UniqueMenu menu(::CreatePopupMenu());
    platform::UniqueMenu priority(::CreatePopupMenu());
    for (int i = 0; i < 6; ++i)
        AppendItem(priority.get(), kMenuPriorityFirst + i, kPriorityCaptions[i], true, on && menus.PriorityChecked[i]);
    AppendItem(menu.get(), kMenuEnd, "End Process", on);
    ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendItem(menu.get(), kMenuDetails, "Process Details", on);
    // The submenu belongs to the menu from here on.
    if (::AppendMenuW(menu.get(), MF_POPUP | (on ? MF_ENABLED : MF_GRAYED), reinterpret_cast<UINT_PTR>(priority.get()),
                      L"Priority"))
        priority.release();
    ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendItem(menu.get(), kMenuFolder, "Program Folder", on);
    AppendItem(menu.get(), kMenuProperties, "Properties", on);
    ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendItem(menu.get(), kMenuRefresh, "Refresh", true);
    ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendItem(menu.get(), kMenuEndTree, "End Process Tree", on);
    const UINT chosen =
        trackMenu ? trackMenu(menu.get(), screen)
                  : static_cast<UINT>(::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                       screen.x, screen.y, 0, panel_.hwnd(), nullptr));
    if (chosen == kMenuEnd) menus.Mnu_Pop_EndProc_Click();
    if (chosen == kMenuDetails) menus.Mnu_Pop_Details_Click();
    if (chosen >= kMenuPriorityFirst && chosen < kMenuPriorityFirst + 6)
        menus.Mnu_Pop_Priority_Click(static_cast<int>(chosen - kMenuPriorityFirst));
    if (chosen == kMenuFolder) menus.Mnu_Pop_Folder_Click();
    if (chosen == kMenuProperties) menus.Mnu_Pop_Properties_Click();
    if (chosen == kMenuRefresh) menus.Mnu_Pop_Refresh_Click();
    if (chosen == kMenuEndTree) menus.Mnu_Pop_EndTree_Click();
}

void FrmTasksWindow::OpenDetails() {
    Frm_ProcInfo details(logic_);
    FrmProcInfoWindow window(details);
    window.ShowModal(TopWindow());
}

}  // namespace processes
