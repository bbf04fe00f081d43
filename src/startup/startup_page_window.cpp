#include "startup/startup_page_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "platform/context_menu.h"
#include "platform/file_icons.h"
#include "platform/throttled_pump.h"
#include "platform/utf.h"
#include "platform/window_text.h"
#include "startup/add_new_prog_window.h"
#include "startup/all_prop_window.h"
#include "startup/band_colours.h"

namespace startup {
namespace {

constexpr UINT kSyncMessage = WM_APP + 1;
constexpr UINT kProgramInfoMessage = WM_APP + 2;
constexpr UINT kListRowsMessage = WM_APP + 3;
constexpr UINT_PTR kStartTimer = 1;

enum Id {
    kSelector = 100,
    kList,
    kApply,
    kTools,
    kCaption1,
    kCaption2,
    kBalloon,
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
constexpr int kBarHeight = 58;     // the tool bar band, 96-DPI units
constexpr int kStatusWidth = 130;  // the "Status" column

void SetTextIfChanged(HWND window, const std::string& text) {
    if (platform::WindowText(window) != text) platform::SetWindowTextUtf8(window, text);
}

UINT CheckImage(bool checked) { return INDEXTOSTATEIMAGEMASK(checked ? 2 : 1); }
constexpr UINT kStateMask = LVIS_STATEIMAGEMASK | LVIS_SELECTED | LVIS_FOCUSED;

// The list's rows are added and set in slices of this many milliseconds, the
// rest in a posted message, so that input is taken in between: a long list,
// or a busy machine, never holds the page.
constexpr int64_t kListSliceMs = 8;

}  // namespace

bool StartupPageWindow::OnPanelMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
        case kSyncMessage:
            Sync();
            return true;
        case kListRowsMessage:
            rowsPosted_ = false;
            SyncListRows(platform::ClockTicks());
            return true;
        case kProgramInfoMessage:
            logic_.DrainProgramInfo();
            return true;
        case WM_ERASEBKGND: {
            // The tool bar band over the panel's top; the panel paints the rest.
            const HDC dc = reinterpret_cast<HDC>(wParam);
            RECT band;
            ::GetClientRect(panel_.hwnd(), &band);
            band.bottom = panel_.Scale(kBarHeight);
            ::FillRect(dc, &band, barBrush_.get());
            ::ExcludeClipRect(dc, band.left, band.top, band.right, band.bottom);
            return false;
        }
        case WM_CTLCOLORSTATIC: {
            const HWND control = reinterpret_cast<HWND>(lParam);
            if (control != caption1_ && control != caption2_ && control != viewLabel_ && control != picture_)
                return false;
            const HDC dc = reinterpret_cast<HDC>(wParam);
            ::SetBkColor(dc, BandColour());
            ::SetTextColor(dc, BandTextColour());
            result = reinterpret_cast<LRESULT>(barBrush_.get());
            return true;
        }
        case WM_NOTIFY:
            result = OnNotify(reinterpret_cast<NMHDR*>(lParam));
            return true;
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wParam) != list_) return false;
            ShowMenu(platform::IsKeyboardMenuPoint({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})
                         ? platform::KeyboardMenuPoint(list_)
                         : POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return true;
        case WM_DESTROY:
            ::KillTimer(panel_.hwnd(), kStartTimer);
            return false;
        default:
            return false;
    }
}

StartupPageWindow::StartupPageWindow(Frm_Startup& logic, core::Prompts& prompts) : logic_(logic), prompts_(prompts) {
    logic_.onChanged = [this] {
        if (panel_.hwnd() && !syncPosted_) {
            syncPosted_ = true;
            ::PostMessageW(panel_.hwnd(), kSyncMessage, 0, 0);
        }
    };
    logic_.onAddProgram = [this] { OpenAddProgram(); };
    logic_.onAllProperties = [this] { OpenAllProperties(); };
}

StartupPageWindow::~StartupPageWindow() {
    // The worker is joined before the window it tells goes.
    logic_.WatchProgramInfo({});
    logic_.onChanged = nullptr;
    logic_.onAddProgram = nullptr;
    logic_.onAllProperties = nullptr;
    balloonWindow_.reset();
    if (::IsWindow(apply_)) ::DestroyWindow(apply_);
    if (::IsWindow(tools_)) ::DestroyWindow(tools_);
    if (panel_.hwnd()) ::DestroyWindow(panel_.hwnd());
}

bool StartupPageWindow::Create(HWND parent, HWND buttonParent) {
    if (!panel_.Create(parent)) return false;
    ::ShowWindow(panel_.hwnd(), SW_SHOW);
    const HWND panel = panel_.hwnd();
    logic_.WatchProgramInfo([panel] { ::PostMessageW(panel, kProgramInfoMessage, 0, 0); });
    logic_.owner = TopWindow();

    picture_ = panel_.AddControl(L"STATIC", "", SS_ICON | SS_CENTERIMAGE | SS_NOTIFY, 0);
    caption1_ = panel_.AddControl(L"STATIC", logic_.caption1, SS_NOTIFY | SS_ENDELLIPSIS | SS_NOPREFIX, kCaption1);
    caption2_ = panel_.AddControl(L"STATIC", logic_.caption2, SS_NOTIFY | SS_PATHELLIPSIS | SS_NOPREFIX, kCaption2);
    viewLabel_ = panel_.AddControl(L"STATIC", "View :", SS_RIGHT, 0);
    selector_ = panel_.AddControl(WC_COMBOBOXW, "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, kSelector);
    for (const char* item : {"Current User", "All Users"})
        ::SendMessageW(selector_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::ToWide(item).c_str()));
    list_ = panel_.AddControl(
        WC_LISTVIEWW, "",
        LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE | WS_TABSTOP, kList,
        WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(
        list_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP | LVS_EX_INFOTIP);
    platform::EnableKeyboardContextMenu(list_);

    const auto makeButton = [&](HWND parentWindow, const char* caption, int id) {
        HWND button =
            ::CreateWindowExW(0, L"BUTTON", platform::ToWide(caption).c_str(),
                              WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 0, 0, 0, 0, parentWindow,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
        return button;
    };
    HWND buttons = buttonParent ? buttonParent : panel_.hwnd();
    apply_ = makeButton(buttons, "Apply", kApply);
    tools_ = makeButton(buttons, "Tools", kTools);

    const int large = ::GetSystemMetrics(SM_CXICON), small = ::GetSystemMetrics(SM_CXSMICON);
    largeIcons_.reset(ImageList_Create(large, large, ILC_COLOR32 | ILC_MASK, 8, 8));
    smallIcons_.reset(ImageList_Create(small, small, ILC_COLOR32 | ILC_MASK, 8, 8));
    ListView_SetImageList(list_, largeIcons_.get(), LVSIL_NORMAL);
    ListView_SetImageList(list_, smallIcons_.get(), LVSIL_SMALL);
    defaultLarge_ = platform::DefaultProgramIcon(true);
    ResetImages();

    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(L"Item");
    column.cx = panel_.Scale(150);
    ListView_InsertColumn(list_, 0, &column);
    column.pszText = const_cast<wchar_t*>(L"Command");
    column.cx = panel_.Scale(450);
    ListView_InsertColumn(list_, 1, &column);
    column.pszText = const_cast<wchar_t*>(L"Status");
    column.cx = panel_.Scale(kStatusWidth);
    ListView_InsertColumn(list_, 2, &column);

    // The balloon is a child of the page: it hides with the page and moves
    // with it, and never floats over other programs.
    balloonWindow_ = std::make_unique<controls::ErrorMsgWindow>(balloon_);
    balloonWindow_->Create(panel_.hwnd(), 0, 0, kBalloon);

    panel_.onMessage = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return OnPanelMessage(message, wParam, lParam, result);
    };
    panel_.onCommand = [this](int id, int code, HWND control) { HandleCommand(id, code, control); };
    panel_.onTimer = [this](UINT_PTR id) {
        if (id != kStartTimer) return;
        ::KillTimer(panel_.hwnd(), kStartTimer);
        // The load posts its own refresh: input waiting between the reading
        // and the filling is taken in between.
        logic_.Tm_Start_Timer();
    };
    panel_.onLayout = [this](int, int) { Layout(); };
    panel_.onDpiChanged = [this] {
        ApplyFonts();
        ListView_SetColumnWidth(list_, 0, panel_.Scale(150));
        ListView_SetColumnWidth(list_, 2, panel_.Scale(kStatusWidth));
        Layout();
    };
    theme_ = controls::SubscribeTheme(controls::ThemeStage::StartupPage, [this] { Recolour(); });
    // Placed before anything paints: Wine asserts on a path ellipsis that
    // cannot fit at all, as in the captions' first small size.
    Layout();
    ApplyFonts();
    Recolour();
    Layout();
    Sync();
    ::SetTimer(panel_.hwnd(), kStartTimer, 1, nullptr);
    return true;
}

void StartupPageWindow::ApplyFonts() {
    for (HWND control : {caption2_, viewLabel_, selector_, list_, apply_, tools_})
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(panel_.Font()), TRUE);
    ::SendMessageW(caption1_, WM_SETFONT, reinterpret_cast<WPARAM>(panel_.BoldFont()), TRUE);
}

void StartupPageWindow::Recolour() {
    barBrush_.reset(::CreateSolidBrush(BandColour()));
    ListView_SetTextColor(list_, controls::ResolveColor(controls::ThemeTextColor));
    balloon_.SetBackColor(controls::Blend(controls::ThemeColor, controls::kWhite, 55));
    balloon_.SetToolTipFontColor(controls::ThemeTextColor);
    panel_.Recolour();
}

HWND StartupPageWindow::TopWindow() const {
    HWND top = panel_.hwnd() ? ::GetAncestor(panel_.hwnd(), GA_ROOT) : nullptr;
    return top ? top : panel_.hwnd();
}

void StartupPageWindow::Close() { logic_.Form_Unload(); }

bool StartupPageWindow::HandleButtonCommand(HWND button) {
    if (!button) return false;
    const core::PromptOwner promptOwner(prompts_, TopWindow());
    if (button == apply_) {
        logic_.ApplyChanges();
        Sync();
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

void StartupPageWindow::HandleCommand(int id, int code, HWND control) {
    const core::PromptOwner promptOwner(prompts_, TopWindow());
    if (id == kSelector && code == CBN_SELCHANGE) {
        const int index = static_cast<int>(::SendMessageW(selector_, CB_GETCURSEL, 0, 0));
        if (index >= 0) logic_.Cmb_View_Click(index);
        Sync();
    } else if ((id == kCaption1 || id == kCaption2) && code == STN_CLICKED) {
        logic_.ShowSummary();
        Sync();
    } else {
        HandleButtonCommand(control);
    }
}

void StartupPageWindow::Layout() {
    if (!list_) return;
    const auto scale = [this](int value96) { return panel_.Scale(value96); };
    RECT r;
    ::GetClientRect(panel_.hwnd(), &r);
    const int barHeight = scale(kBarHeight);
    const int margin = scale(10);
    const int icon = ::GetSystemMetrics(SM_CXICON);
    const int selectorWidth = scale(140);
    const int labelWidth = scale(44);
    const int line = scale(18);
    const int side = balloonWindow_->SidePixels();
    ::MoveWindow(picture_, margin, (barHeight - icon) / 2, icon, icon, TRUE);
    const int textLeft = margin * 2 + icon;
    const int textRight = r.right - margin * 3 - selectorWidth - labelWidth - side;
    ::MoveWindow(caption1_, textLeft, barHeight / 2 - line - 1, textRight - textLeft, line, TRUE);
    ::MoveWindow(caption2_, textLeft, barHeight / 2 + 1, textRight - textLeft, line, TRUE);
    const int comboHeight = scale(200);
    RECT comboRect;
    ::MoveWindow(selector_, r.right - margin - selectorWidth, 0, selectorWidth, comboHeight, TRUE);
    ::GetWindowRect(selector_, &comboRect);
    const int comboTop = (barHeight - (comboRect.bottom - comboRect.top)) / 2;
    ::MoveWindow(selector_, r.right - margin - selectorWidth, comboTop, selectorWidth, comboHeight, TRUE);
    const int labelLeft = r.right - margin - selectorWidth - labelWidth - 4;
    ::MoveWindow(viewLabel_, labelLeft, comboTop + scale(3), labelWidth, line, TRUE);
    ::MoveWindow(balloonWindow_->hwnd(), labelLeft - margin - side, (barHeight - side) / 2, side, side, TRUE);
    const bool buttonsHere = ::GetParent(apply_) == panel_.hwnd();
    const int buttonHeight = scale(26), buttonWidth = scale(88);
    const int listBottom = buttonsHere ? r.bottom - buttonHeight - margin * 2 : r.bottom;
    ::MoveWindow(list_, 0, barHeight, r.right, listBottom - barHeight, TRUE);
    if (buttonsHere) {
        ::MoveWindow(tools_, r.right - margin - buttonWidth, r.bottom - margin - buttonHeight, buttonWidth,
                     buttonHeight, TRUE);
        ::MoveWindow(apply_, r.right - 2 * (margin + buttonWidth), r.bottom - margin - buttonHeight, buttonWidth,
                     buttonHeight, TRUE);
    }
    // The command column takes what the item and status columns leave.
    const int otherWidth = ListView_GetColumnWidth(list_, 0) + ListView_GetColumnWidth(list_, 2);
    RECT client;
    ::GetClientRect(list_, &client);
    if (client.right > otherWidth + scale(100)) ListView_SetColumnWidth(list_, 1, client.right - otherWidth);
}

void StartupPageWindow::ResetImages() {
    ImageList_RemoveAll(largeIcons_.get());
    ImageList_RemoveAll(smallIcons_.get());
    images_.clear();
    ImageList_AddIcon(largeIcons_.get(), defaultLarge_.get());
    const platform::UniqueIcon defaultSmall = platform::DefaultProgramIcon(false);
    ImageList_AddIcon(smallIcons_.get(), defaultSmall.get());
}

int StartupPageWindow::ImageOf(const StartupRow& row) {
    if (!row.program || !row.program->largeIcon || !row.program->smallIcon) return 0;
    const auto known = images_.find(row.program.get());
    if (known != images_.end()) return known->second.second;
    ImageList_AddIcon(largeIcons_.get(), row.program->largeIcon.get());
    const int image = ImageList_AddIcon(smallIcons_.get(), row.program->smallIcon.get());
    // The pointer keeps the information alive, so its address names it.
    images_[row.program.get()] = {row.program, image};
    return image;
}

void StartupPageWindow::Sync() {
    if (!panel_.hwnd()) return;
    const int64_t start = platform::ClockTicks();
    syncPosted_ = false;
    const auto& rows = logic_.Rows();
    bool same = shownRows_.size() == rows.size();
    for (size_t i = 0; same && i < rows.size(); ++i) same = shownRows_[i].key == rows[i].listKey;
    // A refresh reads every program anew: the pictures of the old readings
    // go with them, so repeated refreshes never grow the image lists. Every
    // row's picture is worked out again below.
    const bool stale = std::any_of(images_.begin(), images_.end(), [&](const auto& image) {
        return std::none_of(rows.begin(), rows.end(),
                            [&](const StartupRow& row) { return row.program.get() == image.first; });
    });
    if (stale) ResetImages();
    if (shownRows_.size() != rows.size()) {
        ListView_DeleteAllItems(list_);
        ListView_SetItemCount(list_, static_cast<int>(rows.size()));
        listedRows_ = 0;
    }
    shownRows_.resize(rows.size());
    bool repaint = stale;
    for (size_t i = 0; i < rows.size(); ++i) {
        ShownRow shown{rows[i].listKey, platform::ToWide(rows[i].entry.name), platform::ToWide(rows[i].entry.command),
                       platform::ToWide(StatusText(rows[i].entry)), ImageOf(rows[i])};
        ShownRow& old = shownRows_[i];
        if (shown.name != old.name || shown.command != old.command || shown.status != old.status ||
            shown.image != old.image)
            repaint = true;
        old = std::move(shown);
    }
    if (repaint) ::InvalidateRect(list_, nullptr, FALSE);
    if (ListView_GetView(list_) != kViews[logic_.ViewMode()]) {
        ListView_SetView(list_, kViews[logic_.ViewMode()]);
        same = false;
    }
    arrangePending_ = arrangePending_ || !same;
    nextListRow_ = 0;
    SyncListRows(start);

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

    SetTextIfChanged(caption1_, logic_.caption1);
    SetTextIfChanged(caption2_, logic_.caption2);
    if (logic_.picturePath != picturePath_ || !pictureIcon_) {
        picturePath_ = logic_.picturePath;
        pictureIcon_ = platform::LoadFileIcon(picturePath_, true);
        ::SendMessageW(picture_, STM_SETICON,
                       reinterpret_cast<WPARAM>(pictureIcon_ ? pictureIcon_.get() : defaultLarge_.get()), 0);
    }
    if (::SendMessageW(selector_, CB_GETCURSEL, 0, 0) != logic_.SelectorIndex())
        ::SendMessageW(selector_, CB_SETCURSEL, logic_.SelectorIndex(), 0);
    ::EnableWindow(apply_, logic_.applyEnabled);
    ::EnableWindow(tools_, logic_.toolsEnabled);
    ::EnableWindow(selector_, logic_.selectorEnabled);
    ShowBalloon();
}

void StartupPageWindow::PostListRows() {
    if (!rowsPosted_) rowsPosted_ = ::PostMessageW(panel_.hwnd(), kListRowsMessage, 0, 0) != FALSE;
}

void StartupPageWindow::SyncListRows(int64_t start) {
    const auto& rows = logic_.Rows();
    if (rows.size() != shownRows_.size()) return;  // a change is on its way; its refresh starts over
    const int64_t slice = platform::ClockFrequency() * kListSliceMs / 1000;
    const bool rowsLeft = nextListRow_ < rows.size();
    updating_ = true;
    for (; nextListRow_ < rows.size(); ++nextListRow_) {
        if (platform::ClockTicks() - start > slice) {
            PostListRows();
            updating_ = false;
            return;
        }
        const int index = static_cast<int>(nextListRow_);
        const UINT selected = index == logic_.SelectedRow() ? LVIS_SELECTED | LVIS_FOCUSED : 0;
        const UINT wanted = CheckImage(rows[nextListRow_].checked) | selected;
        const bool add = nextListRow_ >= listedRows_;
        if (!add && ListView_GetItemState(list_, index, kStateMask) == wanted) continue;
        // Under Wine a row added or changed while the list draws costs ten
        // times as much: drawing resumes once every row is done.
        if (!drawingOff_) {
            ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
            drawingOff_ = true;
        }
        if (add) {
            LVITEMW item = {};
            item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
            item.iItem = index;
            item.pszText = LPSTR_TEXTCALLBACKW;
            item.iImage = I_IMAGECALLBACK;
            item.state = wanted;
            item.stateMask = kStateMask;
            ListView_InsertItem(list_, &item);
            listedRows_ = nextListRow_ + 1;
            // An inserted row's check is off, whatever it was given (as
            // under Windows): it is set like any other.
            if (ListView_GetItemState(list_, index, kStateMask) == wanted) continue;
        }
        ListView_SetItemState(list_, index, wanted, kStateMask);
    }
    updating_ = false;
    if (drawingOff_ && rowsLeft) {
        PostListRows();  // drawing again costs a stretch of its own
        return;
    }
    if (drawingOff_) ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    drawingOff_ = false;
    // Icon views place their items only when asked.
    if (arrangePending_ && logic_.ViewMode() < 2) ListView_Arrange(list_, LVA_DEFAULT);
    arrangePending_ = false;
}

void StartupPageWindow::ShowBalloon() {
    if (logic_.balloonText.empty()) {
        balloon_.HideMessage();
        return;
    }
    if (balloon_.Shown() && balloon_.Message() == logic_.balloonText) return;
    balloon_.HideMessage();
    if (logic_.balloonIsError)
        balloon_.ShowError(logic_.balloonText);
    else
        balloon_.ShowInformation(logic_.balloonText);
}

LRESULT StartupPageWindow::OnNotify(NMHDR* header) {
    if (header->hwndFrom != list_) return 0;
    switch (header->code) {
        case LVN_GETDISPINFOW: {
            auto& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
            if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= shownRows_.size()) return 0;
            const ShownRow& row = shownRows_[static_cast<size_t>(item.iItem)];
            if (item.mask & LVIF_TEXT) {
                const std::wstring& text = item.iSubItem == 0   ? row.name
                                           : item.iSubItem == 1 ? row.command
                                                                : row.status;
                lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
            }
            if (item.mask & LVIF_IMAGE) item.iImage = row.image;
            return 0;
        }
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
            // "Status" does not sort.
            if (reinterpret_cast<NMLISTVIEW*>(header)->iSubItem > 1) return 0;
            logic_.ColumnClick(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem + 1);
            Sync();
            return 0;
        case NM_CLICK:
            if (ListView_GetSelectedCount(list_) == 0) {
                logic_.SelectRow(-1);
                Sync();
            }
            return 0;
    }
    return 0;
}

void StartupPageWindow::ShowMenu(POINT screen) {
    const core::PromptOwner promptOwner(prompts_, TopWindow());
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
                                          screen.y, 0, panel_.hwnd(), nullptr);
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
