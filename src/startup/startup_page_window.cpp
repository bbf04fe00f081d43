#include "startup/startup_page_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/file_icons.h"
#include "platform/utf.h"
#include "startup/add_new_prog_window.h"
#include "startup/all_prop_window.h"
#include "startup/window_support.h"

namespace startup {
namespace {

constexpr wchar_t kPanelClass[] = L"ClarimoStartupPage";
constexpr UINT kSyncMessage = WM_APP + 1;
constexpr UINT_PTR kStartTimer = 1;

enum Id {
    kSelector = 100,
    kList,
    kApply,
    kTools,
    kCaption1,
    kCaption2,
    kMenuToggle = 200,
    kMenuAdd,
    kMenuDelete,
    kMenuRun,
    kMenuFolder,
    kMenuProperties,
    kMenuLarge,
    kMenuSmall,
    kMenuList,
    kMenuDetails,
    kMenuRefresh,
};

const DWORD kViews[] = {LV_VIEW_ICON, LV_VIEW_SMALLICON, LV_VIEW_LIST, LV_VIEW_DETAILS};

}  // namespace

StartupPageWindow::StartupPageWindow(Frm_Startup& logic, core::Prompts& prompts) : logic_(logic), prompts_(prompts) {
    logic_.onChanged = [this] {
        if (panel_ && !syncPosted_) {
            syncPosted_ = true;
            ::PostMessageW(panel_, kSyncMessage, 0, 0);
        }
    };
    logic_.onAddProgram = [this] { OpenAddProgram(); };
    logic_.onAllProperties = [this] { OpenAllProperties(); };
}

StartupPageWindow::~StartupPageWindow() {
    logic_.onChanged = nullptr;
    logic_.onAddProgram = nullptr;
    logic_.onAllProperties = nullptr;
    if (::IsWindow(apply_)) ::DestroyWindow(apply_);
    if (::IsWindow(tools_)) ::DestroyWindow(tools_);
    if (::IsWindow(balloon_)) ::DestroyWindow(balloon_);
    if (::IsWindow(panel_)) {
        ::SetWindowLongPtrW(panel_, GWLP_USERDATA, 0);
        ::DestroyWindow(panel_);
    }
}

bool StartupPageWindow::Create(HWND parent, HWND buttonParent) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    if (!::GetClassInfoExW(instance, kPanelClass, &windowClass)) {
        windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = PanelProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kPanelClass;
        ::RegisterClassExW(&windowClass);
    }
    RECT bounds;
    ::GetClientRect(parent, &bounds);
    panel_ = ::CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                               bounds.right, bounds.bottom, parent, nullptr, instance, this);
    if (!panel_) return false;
    logic_.owner = TopWindow();

    font_ = ui::MessageFont(panel_);
    boldFont_ = ui::MessageFont(panel_, true);
    barBrush_.reset(::CreateSolidBrush(ui::ToolBarColor()));
    barHeight_ = ui::Scale(panel_, 58);

    picture_ = ui::Child(panel_, L"STATIC", "", SS_ICON | SS_CENTERIMAGE | SS_NOTIFY, 0);
    caption1_ = ui::Child(panel_, L"STATIC", logic_.caption1, SS_NOTIFY | SS_ENDELLIPSIS | SS_NOPREFIX, kCaption1);
    caption2_ = ui::Child(panel_, L"STATIC", logic_.caption2, SS_NOTIFY | SS_PATHELLIPSIS | SS_NOPREFIX, kCaption2);
    viewLabel_ = ui::Child(panel_, L"STATIC", "View :", SS_RIGHT, 0);
    selector_ = ui::Child(panel_, WC_COMBOBOXW, "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, kSelector);
    for (const char* item : {"Current User", "All Users"})
        ::SendMessageW(selector_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::ToWide(item).c_str()));
    list_ =
        ui::Child(panel_, WC_LISTVIEWW, "",
                  LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE | WS_TABSTOP,
                  kList, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(
        list_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP | LVS_EX_INFOTIP);

    HWND buttons = buttonParent ? buttonParent : panel_;
    apply_ = ui::Child(buttons, L"BUTTON", "Apply", BS_PUSHBUTTON | WS_TABSTOP, kApply);
    tools_ = ui::Child(buttons, L"BUTTON", "Tools", BS_PUSHBUTTON | WS_TABSTOP, kTools);

    for (HWND control : {caption2_, viewLabel_, selector_, list_, apply_, tools_}) ui::SetFont(control, font_.get());
    ui::SetFont(caption1_, boldFont_.get());

    const int large = ::GetSystemMetrics(SM_CXICON), small = ::GetSystemMetrics(SM_CXSMICON);
    largeIcons_.reset(ImageList_Create(large, large, ILC_COLOR32 | ILC_MASK, 8, 8));
    smallIcons_.reset(ImageList_Create(small, small, ILC_COLOR32 | ILC_MASK, 8, 8));
    ListView_SetImageList(list_, largeIcons_.get(), LVSIL_NORMAL);
    ListView_SetImageList(list_, smallIcons_.get(), LVSIL_SMALL);
    defaultLarge_ = platform::DefaultProgramIcon(true);

    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(L"Item");
    column.cx = ui::Scale(panel_, 150);
    ListView_InsertColumn(list_, 0, &column);
    column.pszText = const_cast<wchar_t*>(L"Command");
    column.cx = ui::Scale(panel_, 450);
    ListView_InsertColumn(list_, 1, &column);

    balloon_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_BALLOON | TTS_NOPREFIX, 0, 0,
                                 0, 0, panel_, nullptr, instance, nullptr);
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = panel_;
    tool.lpszText = const_cast<wchar_t*>(L"");
    ::SendMessageW(balloon_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(balloon_, TTM_SETMAXTIPWIDTH, 0, ui::Scale(panel_, 320));

    Layout();
    Sync();
    ::SetTimer(panel_, kStartTimer, 1, nullptr);
    return true;
}

HWND StartupPageWindow::TopWindow() const {
    HWND top = panel_ ? ::GetAncestor(panel_, GA_ROOT) : nullptr;
    return top ? top : panel_;
}

void StartupPageWindow::Close() { logic_.Form_Unload(); }

bool StartupPageWindow::HandleButtonCommand(HWND button) {
    if (!button) return false;
    if (button == apply_) {
        logic_.ApplyChanges();
        Sync();
        ShowBalloon();
        return true;
    }
    if (button == tools_) {
        RECT r;
        ::GetWindowRect(tools_, &r);
        ShowMenu({r.left, r.bottom});
        return true;
    }
    return false;
}

LRESULT CALLBACK StartupPageWindow::PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<StartupPageWindow*>(create->lpCreateParams)->panel_ = window;
    }
    auto* self = reinterpret_cast<StartupPageWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

LRESULT StartupPageWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            Layout();
            return 0;
        case WM_TIMER:
            if (wParam == kStartTimer) {
                ::KillTimer(panel_, kStartTimer);
                logic_.Tm_Start_Timer();
                Sync();
            }
            return 0;
        case kSyncMessage:
            Sync();
            return 0;
        case WM_ERASEBKGND: {
            RECT r;
            ::GetClientRect(panel_, &r);
            const HDC dc = reinterpret_cast<HDC>(wParam);
            ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
            r.bottom = barHeight_;
            ::FillRect(dc, &r, barBrush_.get());
            return 1;
        }
        case WM_CTLCOLORSTATIC: {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            ::SetBkColor(dc, ui::ToolBarColor());
            ::SetTextColor(dc, ui::ToolBarTextColor());
            return reinterpret_cast<LRESULT>(barBrush_.get());
        }
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            if (id == kSelector && code == CBN_SELCHANGE) {
                const int index = static_cast<int>(::SendMessageW(selector_, CB_GETCURSEL, 0, 0));
                if (index >= 0) logic_.Cmb_View_Click(index);
                Sync();
                ShowBalloon();
            } else if ((id == kCaption1 || id == kCaption2) && code == STN_CLICKED) {
                logic_.ShowSummary();
                Sync();
            } else if (HandleButtonCommand(reinterpret_cast<HWND>(lParam))) {
            }
            return 0;
        }
        case WM_NOTIFY:
            return OnNotify(reinterpret_cast<NMHDR*>(lParam));
        case WM_DESTROY:
            ::KillTimer(panel_, kStartTimer);
            return 0;
    }
    return ::DefWindowProcW(panel_, message, wParam, lParam);
}

void StartupPageWindow::Layout() {
    if (!list_) return;
    RECT r;
    ::GetClientRect(panel_, &r);
    const int margin = ui::Scale(panel_, 10);
    const int icon = ::GetSystemMetrics(SM_CXICON);
    const int selectorWidth = ui::Scale(panel_, 140);
    const int labelWidth = ui::Scale(panel_, 44);
    const int line = ui::Scale(panel_, 18);
    const int top = (barHeight_ - icon) / 2;
    ::MoveWindow(picture_, margin, top, icon, icon, TRUE);
    const int textLeft = margin * 2 + icon;
    const int textRight = r.right - margin * 2 - selectorWidth - labelWidth;
    ::MoveWindow(caption1_, textLeft, barHeight_ / 2 - line - 1, textRight - textLeft, line, TRUE);
    ::MoveWindow(caption2_, textLeft, barHeight_ / 2 + 1, textRight - textLeft, line, TRUE);
    const int comboHeight = ui::Scale(panel_, 200);
    RECT comboRect;
    ::MoveWindow(selector_, r.right - margin - selectorWidth, 0, selectorWidth, comboHeight, TRUE);
    ::GetWindowRect(selector_, &comboRect);
    const int comboTop = (barHeight_ - (comboRect.bottom - comboRect.top)) / 2;
    ::MoveWindow(selector_, r.right - margin - selectorWidth, comboTop, selectorWidth, comboHeight, TRUE);
    ::MoveWindow(viewLabel_, r.right - margin - selectorWidth - labelWidth - 4, comboTop + ui::Scale(panel_, 3),
                 labelWidth, line, TRUE);
    const bool buttonsHere = ::GetParent(apply_) == panel_;
    const int buttonHeight = ui::Scale(panel_, 26), buttonWidth = ui::Scale(panel_, 88);
    const int listBottom = buttonsHere ? r.bottom - buttonHeight - margin * 2 : r.bottom;
    ::MoveWindow(list_, 0, barHeight_, r.right, listBottom - barHeight_, TRUE);
    if (buttonsHere) {
        ::MoveWindow(tools_, r.right - margin - buttonWidth, r.bottom - margin - buttonHeight, buttonWidth,
                     buttonHeight, TRUE);
        ::MoveWindow(apply_, r.right - 2 * (margin + buttonWidth), r.bottom - margin - buttonHeight, buttonWidth,
                     buttonHeight, TRUE);
    }
    // The command column takes what the item column leaves.
    const int itemWidth = ListView_GetColumnWidth(list_, 0);
    RECT client;
    ::GetClientRect(list_, &client);
    if (client.right > itemWidth + ui::Scale(panel_, 100)) ListView_SetColumnWidth(list_, 1, client.right - itemWidth);
}

int StartupPageWindow::AddIcons(const StartupRow& row) {
    platform::UniqueIcon large =
        row.programExists ? platform::LoadFileIcon(row.programPath, true) : platform::UniqueIcon();
    platform::UniqueIcon small =
        row.programExists ? platform::LoadFileIcon(row.programPath, false) : platform::UniqueIcon();
    if (!large) large = platform::DefaultProgramIcon(true);
    if (!small) small = platform::DefaultProgramIcon(false);
    ImageList_AddIcon(largeIcons_.get(), large.get());
    return ImageList_AddIcon(smallIcons_.get(), small.get());
}

void StartupPageWindow::Sync() {
    if (!panel_) return;
    syncPosted_ = false;
    updating_ = true;
    const auto& rows = logic_.Rows();
    bool same = shownKeys_.size() == rows.size();
    for (size_t i = 0; same && i < rows.size(); ++i) same = shownKeys_[i] == rows[i].listKey;
    if (!same) {
        ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
        ListView_DeleteAllItems(list_);
        ImageList_RemoveAll(largeIcons_.get());
        ImageList_RemoveAll(smallIcons_.get());
        shownKeys_.clear();
        for (size_t i = 0; i < rows.size(); ++i) {
            const std::wstring name = platform::ToWide(rows[i].entry.name);
            LVITEMW item = {};
            item.mask = LVIF_TEXT | LVIF_IMAGE;
            item.iItem = static_cast<int>(i);
            item.pszText = const_cast<wchar_t*>(name.c_str());
            item.iImage = AddIcons(rows[i]);
            ListView_InsertItem(list_, &item);
            shownKeys_.push_back(rows[i].listKey);
        }
        ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        const int index = static_cast<int>(i);
        std::wstring command = platform::ToWide(rows[i].entry.command);
        ListView_SetItemText(list_, index, 1, command.data());
        std::wstring name = platform::ToWide(rows[i].entry.name);
        ListView_SetItemText(list_, index, 0, name.data());
        ListView_SetCheckState(list_, index, rows[i].checked);
        const UINT selected = index == logic_.SelectedRow() ? LVIS_SELECTED | LVIS_FOCUSED : 0;
        ListView_SetItemState(list_, index, selected, LVIS_SELECTED | LVIS_FOCUSED);
    }
    if (ListView_GetView(list_) != kViews[logic_.ViewMode()]) {
        ListView_SetView(list_, kViews[logic_.ViewMode()]);
        same = false;
    }
    // Icon views place their items only when asked.
    if (!same && logic_.ViewMode() < 2) ListView_Arrange(list_, LVA_DEFAULT);

    // Sort marks on the column headers.
    const HWND header = ListView_GetHeader(list_);
    for (int column = 0; column < 2; ++column) {
        HDITEMW item = {};
        item.mask = HDI_FORMAT;
        Header_GetItem(header, column, &item);
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (column + 1 == logic_.SortColumn()) item.fmt |= logic_.SortOrder() == 1 ? HDF_SORTUP : HDF_SORTDOWN;
        Header_SetItem(header, column, &item);
    }

    ui::SetText(caption1_, logic_.caption1);
    ui::SetText(caption2_, logic_.caption2);
    pictureIcon_ = platform::LoadFileIcon(logic_.picturePath, true);
    ::SendMessageW(picture_, STM_SETICON,
                   reinterpret_cast<WPARAM>(pictureIcon_ ? pictureIcon_.get() : defaultLarge_.get()), 0);
    if (::SendMessageW(selector_, CB_GETCURSEL, 0, 0) != logic_.SelectorIndex())
        ::SendMessageW(selector_, CB_SETCURSEL, logic_.SelectorIndex(), 0);
    ::EnableWindow(apply_, logic_.applyEnabled);
    ::EnableWindow(tools_, logic_.toolsEnabled);
    ::EnableWindow(selector_, logic_.selectorEnabled);
    updating_ = false;
    if (logic_.balloonText != shownBalloon_) ShowBalloon();
}

void StartupPageWindow::ShowBalloon() {
    shownBalloon_ = logic_.balloonText;
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = panel_;
    if (shownBalloon_.empty() || !::IsWindowVisible(panel_)) {
        ::SendMessageW(balloon_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    const std::wstring text = platform::ToWide(shownBalloon_);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    ::SendMessageW(balloon_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(balloon_, TTM_SETTITLEW, logic_.balloonIsError ? TTI_ERROR : TTI_INFO,
                   reinterpret_cast<LPARAM>(L"Startup Manager"));
    RECT r;
    ::GetWindowRect(apply_, &r);
    ::SendMessageW(balloon_, TTM_TRACKPOSITION, 0, MAKELPARAM((r.left + r.right) / 2, r.top));
    ::SendMessageW(balloon_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

LRESULT StartupPageWindow::OnNotify(NMHDR* header) {
    if (header->hwndFrom != list_) return 0;
    switch (header->code) {
        case LVN_ITEMCHANGED: {
            if (updating_) return 0;
            const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
            if (change->iItem < 0 || !(change->uChanged & LVIF_STATE)) return 0;
            const UINT oldImage = change->uOldState & LVIS_STATEIMAGEMASK;
            const UINT newImage = change->uNewState & LVIS_STATEIMAGEMASK;
            if (oldImage != 0 && newImage != 0 && oldImage != newImage) {
                if (!logic_.SetRowChecked(change->iItem, newImage == INDEXTOSTATEIMAGEMASK(2))) {
                    // Refused: the mark goes back at once.
                    updating_ = true;
                    ListView_SetCheckState(list_, change->iItem, logic_.Rows()[change->iItem].checked);
                    updating_ = false;
                }
            }
            if ((change->uOldState ^ change->uNewState) & LVIS_SELECTED) {
                if (change->uNewState & LVIS_SELECTED)
                    logic_.SelectRow(change->iItem);
                else if (ListView_GetSelectedCount(list_) == 0)
                    logic_.SelectRow(-1);
            }
            return 0;
        }
        case LVN_COLUMNCLICK:
            logic_.ColumnClick(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem + 1);
            Sync();
            return 0;
        case NM_CLICK:
            if (ListView_GetSelectedCount(list_) == 0) {
                logic_.SelectRow(-1);
                Sync();
            }
            return 0;
        case NM_RCLICK: {
            POINT p;
            ::GetCursorPos(&p);
            ShowMenu(p);
            return 0;
        }
    }
    return 0;
}

void StartupPageWindow::ShowMenu(POINT screen) {
    const PopupState state = logic_.PreparePopup();
    platform::UniqueMenu menu(::CreatePopupMenu());
    const HMENU viewMenu = ::CreatePopupMenu();  // owned by menu once appended
    const auto add = [](HMENU m, UINT id, const std::string& text, bool enabled) {
        ::AppendMenuW(m, MF_STRING | (enabled ? 0 : MF_GRAYED), id, platform::ToWide(text).c_str());
    };
    add(viewMenu, kMenuLarge, "Large Icons", true);
    add(viewMenu, kMenuSmall, "Small Icons", true);
    add(viewMenu, kMenuList, "List", true);
    add(viewMenu, kMenuDetails, "Details", true);
    ::CheckMenuRadioItem(viewMenu, kMenuLarge, kMenuDetails, kMenuLarge + logic_.ViewMode(), MF_BYCOMMAND);
    add(menu.get(), kMenuToggle, state.toggleCaption, state.toggleEnabled);
    ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    add(menu.get(), kMenuAdd, "Add Program", true);
    add(menu.get(), kMenuDelete, "Delete", state.deleteEnabled);
    add(menu.get(), kMenuRun, "Run", state.runEnabled);
    add(menu.get(), kMenuFolder, "Program Folder", state.folderEnabled);
    add(menu.get(), kMenuProperties, state.propertiesCaption, true);
    ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(viewMenu), L"View");
    ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    add(menu.get(), kMenuRefresh, "Refresh", true);

    const UINT command = ::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x,
                                          screen.y, 0, panel_, nullptr);
    switch (command) {
        case kMenuToggle:
            logic_.Mnu_Pop_Toggle_Click();
            break;
        case kMenuAdd:
            logic_.Mnu_Pop_AddProgram_Click();
            break;
        case kMenuDelete:
            logic_.Mnu_Pop_Delete_Click();
            break;
        case kMenuRun:
            logic_.Mnu_Pop_Run_Click();
            break;
        case kMenuFolder:
            logic_.Mnu_Pop_Folder_Click();
            break;
        case kMenuProperties:
            logic_.Mnu_Pop_Properties_Click();
            break;
        case kMenuLarge:
        case kMenuSmall:
        case kMenuList:
        case kMenuDetails:
            logic_.SetViewMode(static_cast<int>(command) - kMenuLarge);
            break;
        case kMenuRefresh:
            logic_.Mnu_Pop_Refresh_Click();
            break;
        default:
            return;
    }
    Sync();
}

void StartupPageWindow::OpenAddProgram() {
    Frm_AddNewProg dialog(prompts_, logic_);
    AddNewProgWindow window(dialog);
    window.ShowModal(TopWindow());
    Sync();
}

void StartupPageWindow::OpenAllProperties() {
    Frm_AllProp logic(prompts_, logic_.Locations());
    AllPropWindow window(logic);
    window.ShowModal(TopWindow());
}

}  // namespace startup
