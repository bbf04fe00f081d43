#include "junk/frm_junk_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "controls/dialog_window.h"
#include "controls/link_window.h"
#include "platform/context_menu.h"
#include "platform/utf.h"
#include "platform/window_text.h"

namespace junk {
namespace {

constexpr int kDrivesId = 100;
constexpr int kResultsId = 101;
constexpr int kLabelBaseId = 110;  // L1..L4
constexpr int kInfoId = 120;
constexpr UINT_PTR kTimeTimer = 1;
// Takes the drive figures that arrived, and every fourth time looks again for
// drives that came or went (a mapped network drive sends no device message).
constexpr UINT_PTR kDrivesTimer = 2;
constexpr UINT kDrivesTimerMs = 500;
enum MenuId : UINT {
    kDrivesSelectAll = 201,
    kDrivesDeselectAll,
    kDrivesOpen,
    kDrivesProperties,
    kResultsSelectAll,
    kResultsDeselectAll,
    kResultsProperties,
    kResultsOpenFolder,
    kResultsSkipFolder,
    kResultsExport,
};
constexpr int kUndoLinkId = 130;

struct ColumnLayout {
    const wchar_t* title;
    int width;  // 96-DPI units
};
constexpr ColumnLayout kDriveColumns[] = {{L"Drive", 260}, {L"Capacity", 120}, {L"Free Space", 120}};
constexpr ColumnLayout kResultColumns[] = {{L"Files", 260}, {L"Size", 100}, {L"Date Modified", 150}};

template <size_t N>
void AddColumns(HWND list, const ColumnLayout (&columns)[N], const controls::CustomWindow& scale) {
    for (size_t i = 0; i < N; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(columns[i].title);
        column.cx = scale.Scale(columns[i].width);
        ListView_InsertColumn(list, static_cast<int>(i), &column);
    }
}

template <size_t N>
void ScaleColumns(HWND list, const ColumnLayout (&columns)[N], const controls::CustomWindow& scale) {
    for (size_t i = 1; i < N; ++i) ListView_SetColumnWidth(list, static_cast<int>(i), scale.Scale(columns[i].width));
}

// The first column takes what the others leave of the list's width.
void FitFirstColumn(HWND list, int minimum) {
    RECT client{};
    ::GetClientRect(list, &client);
    const HWND header = ListView_GetHeader(list);
    int others = 0;
    for (int i = 1; i < Header_GetItemCount(header); ++i) others += ListView_GetColumnWidth(list, i);
    ListView_SetColumnWidth(list, 0, std::max<int>(minimum, client.right - others));
}

void SetTextIfChanged(HWND window, const std::string& text) {
    if (platform::WindowText(window) != text) platform::SetWindowTextUtf8(window, text);
}

// The progress window FrmProg: a tip line and a bar; 100 ms after it shows
// it runs the removal once and closes.
class FrmProgWindow : public controls::DialogWindow {
public:
    FrmProgWindow(Frm_Junk& page, core::Prompts& prompts) : page_(page), prompts_(prompts) {}

    void Run(HWND owner) {
        if (!Create(owner, "Clarimo", 414, 70)) {
            page_.FrmProg_Tm_Timer();
            return;
        }
        tip_ = AddControl(hwnd(), L"STATIC", page_.Prog.Tip, WS_VISIBLE | SS_ENDELLIPSIS | SS_NOPREFIX, 1);
        bar_ = AddControl(hwnd(), PROGRESS_CLASSW, "", 0, 2);
        Place(tip_, 12, 12, 390, 20);
        Place(bar_, 12, 40, 390, 18);
        page_.ProgressChanged = [this] { Draw(); };
        ::SetTimer(hwnd(), 1, 100, nullptr);
        RunModal();
        page_.ProgressChanged = nullptr;
    }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT&) override {
        // The removal's messages belong to this window, the one in front.
        const core::PromptOwner promptOwner(prompts_, hwnd());
        if (message == WM_TIMER && wParam == 1) {
            ::KillTimer(hwnd(), 1);
            page_.FrmProg_Tm_Timer();
            Close(IDOK);
            return true;
        }
        // It closes itself when the removal is done.
        return message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL);
    }

private:
    void Draw() {
        SetTextIfChanged(tip_, page_.Prog.Tip);
        ::ShowWindow(bar_, page_.Prog.Visible ? SW_SHOW : SW_HIDE);
        ::SendMessageW(bar_, PBM_SETRANGE32, 0, static_cast<LPARAM>(page_.Prog.Max));
        ::SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(page_.Prog.Value), 0);
        ::UpdateWindow(hwnd());
    }

    Frm_Junk& page_;
    core::Prompts& prompts_;
    HWND tip_ = nullptr;
    HWND bar_ = nullptr;
};

}  // namespace

FrmJunkWindow::FrmJunkWindow(core::Prompts& prompts) : prompts_(prompts), page_(prompts) {}

FrmJunkWindow::~FrmJunkWindow() {
    page_.Find.CancelSearch(true);
    page_.Changed = nullptr;
    page_.PathChanged = nullptr;
    page_.OpenProgressWindow = nullptr;
    page_.EnableMainWindow = nullptr;
    infoWindow_.reset();
    undoLinkWindow_.reset();
    // The buttons may live in the host's strip; the lists ask for rows
    // until they are gone, so the panel goes while every member lives.
    for (HWND button : {cmdScan_, cmdDel_})
        if (::IsWindow(button)) ::DestroyWindow(button);
    if (panel_.hwnd()) ::DestroyWindow(panel_.hwnd());
}

HWND FrmJunkWindow::Owner() const { return panel_.hwnd() ? ::GetAncestor(panel_.hwnd(), GA_ROOT) : nullptr; }

bool FrmJunkWindow::Create(HWND parent) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    if (!panel_.Create(parent)) return false;
    ::ShowWindow(panel_.hwnd(), SW_SHOW);
    Build();
    panel_.onMessage = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        result = 0;
        return OnPanelMessage(message, wParam, lParam);
    };
    panel_.onCommand = [this](int id, int code, HWND) { HandleCommand(id, code); };
    panel_.onTimer = [this](UINT_PTR id) {
        if (id == kTimeTimer) page_.Time_Timer();
        if (id == kDrivesTimer) {
            if (++drivesTicks_ % 4 == 0) ReloadDrives();
            page_.TakeDriveFigures();
        }
    };
    panel_.onLayout = [this](int, int) { Layout(); };
    panel_.onDpiChanged = [this] {
        ApplyFonts();
        ScaleColumns(lvDrives_, kDriveColumns, panel_);
        ScaleColumns(lvResult_, kResultColumns, panel_);
        Layout();
    };
    theme_ = controls::SubscribeTheme(controls::ThemeStage::JunkPage, [this] { Recolour(); });

    page_.Changed = [this] { Sync(); };
    page_.PathChanged = [this] {
        SetTextIfChanged(lbPath_, page_.LbPath);
        SyncResultCount();
        SetTextIfChanged(labels_[1], page_.L2);
        SetTextIfChanged(labels_[2], page_.L3);
    };
    page_.OpenProgressWindow = [this] { ShowProgressWindow(); };
    page_.EnableMainWindow = [this](bool enable) {
        if (HWND owner = Owner()) ::EnableWindow(owner, enable);
    };
    page_.LoadDrives();
    ::SetTimer(panel_.hwnd(), kDrivesTimer, kDrivesTimerMs, nullptr);
    Recolour();
    Sync();
    return true;
}

void FrmJunkWindow::Build() {
    scanTip_ = panel_.AddControl(L"STATIC", page_.Scan_Tip, SS_NOPREFIX, 0);
    const DWORD listStyle = WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS;
    lvDrives_ = panel_.AddControl(WC_LISTVIEWW, "", listStyle | LVS_SINGLESEL, kDrivesId);
    ListView_SetExtendedListViewStyle(lvDrives_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    AddColumns(lvDrives_, kDriveColumns, panel_);
    // The result list holds no rows of its own: it asks the page for what it
    // shows, so 100,000 results cost nothing to add, tick or remove.
    lvResult_ = panel_.AddControl(WC_LISTVIEWW, "", listStyle | LVS_OWNERDATA, kResultsId);
    ::ShowWindow(lvResult_, SW_HIDE);
    ListView_SetExtendedListViewStyle(lvResult_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    ListView_SetCallbackMask(lvResult_, LVIS_STATEIMAGEMASK);
    AddColumns(lvResult_, kResultColumns, panel_);
    ::SetWindowSubclass(lvResult_, ResultListProc, 1, reinterpret_cast<DWORD_PTR>(this));
    for (HWND list : {lvDrives_, lvResult_}) platform::EnableKeyboardContextMenu(list);
    for (int i = 0; i < 4; ++i)
        labels_[i] = panel_.AddControl(
            L"STATIC", "", SS_NOTIFY | SS_NOPREFIX | (i == 1 ? SS_PATHELLIPSIS : SS_ENDELLIPSIS), kLabelBaseId + i);
    lbPath_ = panel_.AddControl(L"STATIC", "", SS_PATHELLIPSIS | SS_NOPREFIX | SS_SUNKEN, 0);
    // Hidden until placed: Wine paints a static on WM_SETTEXT, and its path
    // ellipsis asserts on a text that does not fit at all.
    for (HWND status : {labels_[0], labels_[1], labels_[2], labels_[3], lbPath_}) ::ShowWindow(status, SW_HIDE);
    cmdScan_ = panel_.AddControl(L"BUTTON", "Scan", WS_TABSTOP | BS_PUSHBUTTON | WS_DISABLED, kScanButtonId);
    cmdDel_ = panel_.AddControl(L"BUTTON", "Clean", WS_TABSTOP | BS_PUSHBUTTON | WS_DISABLED, kCleanButtonId);
    undoLink_.SetCaption("Undo Last Clean");
    undoLink_.Click = [this] {
        const core::PromptOwner promptOwner(prompts_, Owner());
        page_.Undo_Click();
    };
    undoLinkWindow_ = std::make_unique<controls::LinkWindow>(undoLink_);
    undoLinkWindow_->Create(panel_.hwnd(), RECT{0, 0, 10, 10}, kUndoLinkId);
    ::SetWindowLongPtrW(undoLinkWindow_->hwnd(), GWL_STYLE,
                        ::GetWindowLongPtrW(undoLinkWindow_->hwnd(), GWL_STYLE) | WS_TABSTOP);
    ::ShowWindow(undoLinkWindow_->hwnd(), SW_HIDE);
    infoWindow_ = std::make_unique<controls::ErrorMsgWindow>(info_);
    infoWindow_->Create(panel_.hwnd(), 0, 0, kInfoId);
    info_.Click = [this] {
        page_.Info.HideMessage();
        Sync();
    };
    ApplyFonts();
}

void FrmJunkWindow::ApplyFonts() {
    for (HWND child :
         {lvDrives_, lvResult_, labels_[0], labels_[1], labels_[2], labels_[3], lbPath_, cmdScan_, cmdDel_})
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(panel_.Font()), TRUE);
    ::SendMessageW(scanTip_, WM_SETFONT, reinterpret_cast<WPARAM>(panel_.BoldFont()), TRUE);
}

void FrmJunkWindow::Recolour() {
    panel_.Recolour();
    const COLORREF text = controls::ResolveColor(controls::ThemeTextColor);
    for (HWND list : {lvDrives_, lvResult_}) {
        ListView_SetTextColor(list, text);
        ::InvalidateRect(list, nullptr, TRUE);
    }
    info_.SetBackColor(controls::ThemeBackColor);
    info_.SetToolTipFontColor(controls::ThemeTextColor);
    undoLink_.SetForeColor(controls::ThemeTextColor);
    undoLink_.SetBackColor(controls::ThemeBackColor);
    undoLink_.SetOverColor(controls::ThemeColor);
    undoLink_.SetOverUnderline(true);
}

void FrmJunkWindow::Layout() {
    if (!panel_.hwnd()) return;
    const auto s = [this](int value96) { return panel_.Scale(value96); };
    RECT area;
    ::GetClientRect(panel_.hwnd(), &area);
    const int width = area.right;
    const int height = area.bottom;
    const int pad = s(8);
    const int line = s(20);
    const int statusHeight = page_.Pic_Scan_ToolsVisible ? 3 * line + pad : 0;
    const int buttonsHeight = ::GetParent(cmdScan_) == panel_.hwnd() ? s(28) + pad : 0;
    const int side = infoWindow_->SidePixels();
    ::MoveWindow(scanTip_, pad, pad, width - 3 * pad - side, s(26), TRUE);
    ::MoveWindow(infoWindow_->hwnd(), width - pad - side, pad + (s(26) - side) / 2, side, side, TRUE);
    const int listTop = pad + s(30);
    const int listHeight = height - listTop - statusHeight - buttonsHeight - pad;
    ::MoveWindow(lvDrives_, pad, listTop, width - 2 * pad, listHeight, TRUE);
    ::MoveWindow(lvResult_, pad, listTop, width - 2 * pad, listHeight, TRUE);
    FitFirstColumn(lvDrives_, s(120));
    FitFirstColumn(lvResult_, s(120));
    const int statusTop = listTop + listHeight + pad / 2;
    const int half = (width - 2 * pad) / 2;
    ::MoveWindow(labels_[0], pad, statusTop, half, line, TRUE);
    ::MoveWindow(labels_[1], pad + half, statusTop, half, line, TRUE);
    ::MoveWindow(labels_[2], pad, statusTop + line, half, line, TRUE);
    ::MoveWindow(labels_[3], pad + half, statusTop + line, half, line, TRUE);
    ::MoveWindow(lbPath_, pad, statusTop + 2 * line, width - 2 * pad, line - s(2), TRUE);
    // Where the path shows while searching, which is never at the same time.
    const SIZE link = undoLinkWindow_->PreferredSize();
    ::MoveWindow(undoLinkWindow_->hwnd(), pad, statusTop + 2 * line, link.cx, std::min<int>(link.cy, line), TRUE);
    if (buttonsHeight) {
        const int buttonWidth = s(90);
        const int top = height - s(28) - pad;
        ::MoveWindow(cmdDel_, width - pad - buttonWidth, top, buttonWidth, s(28), TRUE);
        ::MoveWindow(cmdScan_, width - 2 * pad - 2 * buttonWidth, top, buttonWidth, s(28), TRUE);
    }
}

void FrmJunkWindow::ReloadDrives() {
    // While a scan or a removal runs, the drive list stays as the user left it.
    if (page_.State == Ready && !page_.Searching) page_.LoadDrives();
}

void FrmJunkWindow::SyncDrives() {
    const auto& rows = page_.LvDrives;
    const auto sameKey = [](const DriveRow& a, const DriveRow& b) { return a.Key == b.Key; };
    if (!std::equal(rows.begin(), rows.end(), drivesShown_.begin(), drivesShown_.end(), sameKey)) {
        ListView_DeleteAllItems(lvDrives_);
        drivesShown_.clear();
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        const int index = static_cast<int>(i);
        if (i == drivesShown_.size()) {
            LVITEMW item{};
            item.iItem = index;
            ListView_InsertItem(lvDrives_, &item);
            drivesShown_.push_back({rows[i].Key, "\n", "\n", "\n", !rows[i].Checked});
        }
        DriveRow& shown = drivesShown_[i];
        const std::string DriveRow::*columns[] = {&DriveRow::Text, &DriveRow::Capacity, &DriveRow::FreeSpace};
        for (int column = 0; column < 3; ++column) {
            if (shown.*columns[column] == rows[i].*columns[column]) continue;
            std::wstring text = platform::ToWide(rows[i].*columns[column]);
            ListView_SetItemText(lvDrives_, index, column, text.data());
        }
        if (ListView_GetCheckState(lvDrives_, index) != static_cast<UINT>(rows[i].Checked))
            ListView_SetCheckState(lvDrives_, index, rows[i].Checked);
        shown = rows[i];
    }
}

void FrmJunkWindow::SyncResultCount() {
    if (resultCountShown_ == page_.LvResult.size()) return;
    const bool shrank = page_.LvResult.size() < resultCountShown_;
    resultCountShown_ = page_.LvResult.size();
    ListView_SetItemCountEx(lvResult_, static_cast<int>(resultCountShown_),
                            shrank ? 0 : LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

void FrmJunkWindow::SyncBalloon() {
    const BalloonState& state = page_.Info;
    if (!state.Visible) {
        info_.HideMessage();
        return;
    }
    if (info_.Shown() && info_.Message() == state.Text) return;
    // The page's hint replaces what the balloon showed.
    info_.HideMessage();
    if (state.IsError)
        info_.ShowError(state.Text);
    else
        info_.ShowInformation(state.Text);
}

void FrmJunkWindow::Sync() {
    if (!panel_.hwnd() || syncing_) return;
    syncing_ = true;
    SyncDrives();
    SyncResultCount();
    ::InvalidateRect(lvResult_, nullptr, FALSE);
    SetTextIfChanged(scanTip_, page_.Scan_Tip);
    const std::string* texts[4] = {&page_.L1, &page_.L2, &page_.L3, &page_.L4};
    for (int i = 0; i < 4; ++i) {
        SetTextIfChanged(labels_[i], *texts[i]);
        ::ShowWindow(labels_[i], page_.Pic_Scan_ToolsVisible ? SW_SHOW : SW_HIDE);
    }
    SetTextIfChanged(lbPath_, page_.LbPath);
    ::ShowWindow(lbPath_, page_.LbPathVisible && page_.Pic_Scan_ToolsVisible ? SW_SHOW : SW_HIDE);
    ::ShowWindow(undoLinkWindow_->hwnd(), page_.Undo_Visible && !page_.LbPathVisible ? SW_SHOW : SW_HIDE);
    ::ShowWindow(lvDrives_, page_.LvDrivesVisible ? SW_SHOW : SW_HIDE);
    ::ShowWindow(lvResult_, page_.LvResultVisible ? SW_SHOW : SW_HIDE);
    SyncBalloon();
    SetTextIfChanged(cmdScan_, page_.Cmd_Scan_Caption);
    ::EnableWindow(cmdScan_, page_.State != Ready || page_.Cmd_Scan_Enabled);
    ::EnableWindow(cmdDel_, page_.Cmd_Del_Enabled);
    if (page_.TimeEnabled != timeRunning_) {
        timeRunning_ = page_.TimeEnabled;
        if (timeRunning_)
            ::SetTimer(panel_.hwnd(), kTimeTimer, 1000, nullptr);
        else
            ::KillTimer(panel_.hwnd(), kTimeTimer);
    }
    Layout();
    syncing_ = false;
}

bool FrmJunkWindow::OnCommand(int id, int code) {
    if (code != BN_CLICKED) return false;
    const core::PromptOwner promptOwner(prompts_, Owner());
    if (id == kScanButtonId) {
        page_.Cmd_Scan_Click();
        return true;
    }
    if (id == kCleanButtonId) {
        page_.Cmd_Del_Click();
        return true;
    }
    return false;
}

void FrmJunkWindow::ShowProgressWindow() {
    FrmProgWindow progress(page_, prompts_);
    progress.Run(Owner());
}

void FrmJunkWindow::SetResultsChecked(int from, int to, bool checked) {
    if (page_.LvResult.empty()) return;
    const int last = static_cast<int>(page_.LvResult.size()) - 1;
    if (from < 0) from = 0, to = last;  // -1: every row
    for (int i = from; i <= std::min(to, last); ++i) page_.LvResult[static_cast<size_t>(i)].Checked = checked;
    ListView_RedrawItems(lvResult_, from, std::min(to, last));
}

void FrmJunkWindow::ToggleResult(int index) {
    if (index < 0 || static_cast<size_t>(index) >= page_.LvResult.size()) return;
    SetResultsChecked(index, index, !page_.LvResult[static_cast<size_t>(index)].Checked);
}

LRESULT CALLBACK FrmJunkWindow::ResultListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR data) {
    auto* self = reinterpret_cast<FrmJunkWindow*>(data);
    // Check marks set through the list (screen readers, automation): the
    // list keeps none for its rows, and Wine tells nobody of them.
    if (message == LVM_SETITEMSTATE && lParam) {
        const auto* item = reinterpret_cast<const LVITEMW*>(lParam);
        const UINT image = item->state & item->stateMask & LVIS_STATEIMAGEMASK;
        const int row = static_cast<int>(wParam);
        if (image && !self->ownToggle_) self->SetResultsChecked(row, row, image == INDEXTOSTATEIMAGEMASK(2));
    }
    // A click on a check box or Space ticks the row here, once; what the
    // list control itself makes of the same input is not taken again.
    int toggled = -1;
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        LVHITTESTINFO hit{};
        hit.pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ListView_HitTest(list, &hit);
        if (hit.iItem >= 0 && (hit.flags & LVHT_ONITEMSTATEICON)) toggled = hit.iItem;
    } else if (message == WM_KEYDOWN && wParam == VK_SPACE) {
        toggled = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    }
    if (toggled < 0) return ::DefSubclassProc(list, message, wParam, lParam);
    self->ownToggle_ = true;
    const LRESULT result = ::DefSubclassProc(list, message, wParam, lParam);
    self->ownToggle_ = false;
    self->ToggleResult(toggled);
    return result;
}

void FrmJunkWindow::OnNotify(NMHDR* header) {
    if (header->idFrom == kDrivesId && header->code == LVN_ITEMCHANGED && !syncing_) {
        auto* change = reinterpret_cast<NMLISTVIEW*>(header);
        if ((change->uChanged & LVIF_STATE) && change->iItem >= 0 &&
            static_cast<size_t>(change->iItem) < page_.LvDrives.size()) {
            const bool checked = ListView_GetCheckState(lvDrives_, change->iItem) != FALSE;
            if (checked != page_.LvDrives[static_cast<size_t>(change->iItem)].Checked) {
                page_.LvDrives[static_cast<size_t>(change->iItem)].Checked = checked;
                page_.Tm_Timer();
            }
        }
        return;
    }
    if (header->idFrom != kResultsId) return;
    switch (header->code) {
        case LVN_GETDISPINFOW: {
            auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
            const int index = info->item.iItem;
            if (index < 0 || static_cast<size_t>(index) >= page_.LvResult.size()) return;
            const ResultRow& row = page_.LvResult[static_cast<size_t>(index)];
            if (info->item.mask & LVIF_TEXT) {
                textBuffer_ = platform::ToWide(info->item.iSubItem == 0   ? row.Text
                                               : info->item.iSubItem == 1 ? page_.SizeText(row)
                                                                          : Frm_Junk::DateText(row));
                lstrcpynW(info->item.pszText, textBuffer_.c_str(), info->item.cchTextMax);
            }
            if (info->item.mask & LVIF_STATE) {
                info->item.state = INDEXTOSTATEIMAGEMASK(row.Checked ? 2 : 1);
                info->item.stateMask = LVIS_STATEIMAGEMASK;
            }
            return;
        }
        case LVN_ODSTATECHANGED: {
            // Check marks set through the list control (screen readers,
            // automation): the list keeps none of them itself.
            auto* change = reinterpret_cast<NMLVODSTATECHANGE*>(header);
            const UINT image = change->uNewState & LVIS_STATEIMAGEMASK;
            if (!ownToggle_ && image && image != (change->uOldState & LVIS_STATEIMAGEMASK))
                SetResultsChecked(change->iFrom, change->iTo, image == INDEXTOSTATEIMAGEMASK(2));
            return;
        }
        case LVN_ITEMCHANGED: {
            auto* change = reinterpret_cast<NMLISTVIEW*>(header);
            if (!(change->uChanged & LVIF_STATE)) return;
            const UINT image = change->uNewState & LVIS_STATEIMAGEMASK;
            if (!ownToggle_ && image && image != (change->uOldState & LVIS_STATEIMAGEMASK))
                SetResultsChecked(change->iItem, change->iItem, image == INDEXTOSTATEIMAGEMASK(2));
            if ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) {
                const int selected = ListView_GetNextItem(lvResult_, -1, LVNI_SELECTED);
                if (selected >= 0)
                    page_.ShowResultDetails(selected);
                else
                    page_.RestoreSummary();
            }
            return;
        }
        default:
            return;
    }
}

void FrmJunkWindow::OnContextMenu(HWND control, POINT at) {
    platform::UniqueMenu menu(::CreatePopupMenu());
    if (control == lvDrives_ && page_.LvDrivesVisible) {
        const int selected = ListView_GetNextItem(lvDrives_, -1, LVNI_SELECTED);
        if (selected >= 0) {
            ::AppendMenuW(menu.get(), MF_STRING, kDrivesOpen, L"&Open");
            ::AppendMenuW(menu.get(), MF_STRING, kDrivesProperties, L"&Properties");
            ::SetMenuDefaultItem(menu.get(), kDrivesOpen, FALSE);
        } else if (page_.LvDrives.size() > 2) {
            const size_t ticked = static_cast<size_t>(page_.CheckedDrives);
            ::AppendMenuW(menu.get(), MF_STRING | (ticked == page_.LvDrives.size() ? MF_GRAYED : 0), kDrivesSelectAll,
                          L"Select All");
            ::AppendMenuW(menu.get(), MF_STRING | (ticked == 0 ? MF_GRAYED : 0), kDrivesDeselectAll, L"Descelect All");
        } else {
            return;
        }
    } else if (control == lvResult_ && page_.LvResultVisible && !page_.Searching && !page_.LvResult.empty()) {
        const int selected = ListView_GetNextItem(lvResult_, -1, LVNI_SELECTED);
        ::AppendMenuW(menu.get(), MF_STRING, kResultsSelectAll, L"Select All");
        ::AppendMenuW(menu.get(), MF_STRING, kResultsDeselectAll, L"Deselect All");
        const UINT onRow = MF_STRING | (selected < 0 ? MF_GRAYED : 0);
        ::AppendMenuW(menu.get(), onRow, kResultsProperties, L"Properties");
        ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(menu.get(), onRow, kResultsOpenFolder, L"Open Containing Folder");
        ::AppendMenuW(menu.get(), onRow, kResultsSkipFolder, L"Skip This Folder");
        ::AppendMenuW(menu.get(), MF_STRING, kResultsExport, L"Export List...");
    } else {
        return;
    }
    // Shift+F10 or the Apps key: at the selected row.
    if (platform::IsKeyboardMenuPoint(at)) at = platform::KeyboardMenuPoint(control);
    ::TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON, at.x, at.y, 0, panel_.hwnd(), nullptr);
}

bool FrmJunkWindow::OnPanelMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NOTIFY:
            OnNotify(reinterpret_cast<NMHDR*>(lParam));
            return true;
        case WM_CONTEXTMENU:
            OnContextMenu(reinterpret_cast<HWND>(wParam), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return true;
        case WM_DEVICECHANGE:
            ReloadDrives();
            return true;
        case WM_DESTROY:
            page_.Find.CancelSearch(true);
            return false;
        default:
            return false;
    }
}

void FrmJunkWindow::HandleCommand(int id, int code) {
    // What the user does here asks its questions over the main window.
    const core::PromptOwner promptOwner(prompts_, Owner());
    if (OnCommand(id, code)) return;
    if (code == STN_CLICKED && id >= kLabelBaseId && id < kLabelBaseId + 4) {
        page_.RestoreSummary();
        return;
    }
    core::ClsFileFolder files;
    const int drive = ListView_GetNextItem(lvDrives_, -1, LVNI_SELECTED);
    const int result = ListView_GetNextItem(lvResult_, -1, LVNI_SELECTED);
    switch (id) {
        case kDrivesSelectAll:
        case kDrivesDeselectAll:
            page_.SetAllDrives(id == kDrivesSelectAll);
            return;
        case kDrivesOpen:
            if (drive >= 0) files.OpenFileFolder(Owner(), page_.LvDrives[static_cast<size_t>(drive)].Key);
            return;
        case kDrivesProperties:
            if (drive >= 0) files.ShowProperties(page_.LvDrives[static_cast<size_t>(drive)].Key, Owner());
            return;
        case kResultsSelectAll:
        case kResultsDeselectAll:
            page_.SetAllResults(id == kResultsSelectAll);
            return;
        case kResultsProperties:
            if (result >= 0 && static_cast<size_t>(result) < page_.LvResult.size())
                files.ShowProperties(page_.LvResult[static_cast<size_t>(result)].Key, Owner());
            return;
        case kResultsOpenFolder:
            page_.OpenContainingFolder(result);
            return;
        case kResultsSkipFolder:
            page_.SkipFolderOf(result);
            ListView_SetItemState(lvResult_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
            return;
        case kResultsExport:
            page_.ExportList();
            return;
        default:
            return;
    }
}

}  // namespace junk
