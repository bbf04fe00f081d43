#include "junk/frm_junk_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "junk/window_kit.h"
#include "platform/utf.h"

namespace junk {
namespace {

constexpr int kDrivesId = 100;
constexpr int kResultsId = 101;
constexpr int kLabelBaseId = 110;  // L1..L4
constexpr UINT_PTR kTimeTimer = 1;
enum MenuId : UINT {
    kDrivesSelectAll = 201,
    kDrivesDeselectAll,
    kDrivesOpen,
    kDrivesProperties,
    kResultsSelectAll,
    kResultsDeselectAll,
    kResultsProperties,
};

void AddColumn(HWND list, int index, const wchar_t* title, int width) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(title);
    column.cx = kit::Scale(width);
    ListView_InsertColumn(list, index, &column);
}

// The first column takes what the others leave of the list's width.
void FitFirstColumn(HWND list) {
    RECT client{};
    ::GetClientRect(list, &client);
    const HWND header = ListView_GetHeader(list);
    int others = 0;
    for (int i = 1; i < Header_GetItemCount(header); ++i) others += ListView_GetColumnWidth(list, i);
    ListView_SetColumnWidth(list, 0, std::max<int>(kit::Scale(120), client.right - others));
}

// The progress window FrmProg: a tip line and a bar; 100 ms after it shows
// it runs the removal once and closes.
class FrmProgWindow {
public:
    explicit FrmProgWindow(Frm_Junk& page) : page_(page) {}

    void Run(HWND owner) {
        const wchar_t* cls =
            kit::RegisterClassOnce<FrmProgWindow>(L"ClarimoFrmProg", reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        ::CreateWindowExW(WS_EX_DLGMODALFRAME, cls, L"Clarimo", WS_POPUP | WS_CAPTION, 0, 0, kit::Scale(420),
                          kit::Scale(110), owner, nullptr, ::GetModuleHandleW(nullptr), this);
        if (!window_) {
            page_.FrmProg_Tm_Timer();
            return;
        }
        tip_ = kit::Child(window_, L"STATIC", page_.Prog.Tip, WS_VISIBLE | SS_ENDELLIPSIS | SS_NOPREFIX, 1);
        bar_ = kit::Child(window_, PROGRESS_CLASSW, "", 0, 2);
        kit::Place(tip_, 12, 12, 390, 20);
        kit::Place(bar_, 12, 40, 390, 18);
        kit::CenterOver(window_, owner);
        page_.ProgressChanged = [this] { Draw(); };
        ::SetTimer(window_, 1, 100, nullptr);
        kit::RunModal(window_, owner, done_);
        page_.ProgressChanged = nullptr;
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_TIMER) {
            ::KillTimer(window_, 1);
            page_.FrmProg_Tm_Timer();
            done_ = true;
            return 0;
        }
        if (message == WM_CLOSE) return 0;  // closes itself when the removal is done
        return ::DefWindowProcW(window_, message, wParam, lParam);
    }
    HWND window_ = nullptr;

private:
    void Draw() {
        kit::SetText(tip_, page_.Prog.Tip);
        ::ShowWindow(bar_, page_.Prog.Visible ? SW_SHOW : SW_HIDE);
        ::SendMessageW(bar_, PBM_SETRANGE32, 0, static_cast<LPARAM>(page_.Prog.Max));
        ::SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(page_.Prog.Value), 0);
        ::UpdateWindow(window_);
    }

    Frm_Junk& page_;
    HWND tip_ = nullptr;
    HWND bar_ = nullptr;
    bool done_ = false;
};

}  // namespace

FrmJunkWindow::FrmJunkWindow(core::Prompts& prompts) : page_(prompts) {}

FrmJunkWindow::~FrmJunkWindow() {
    page_.Find.CancelSearch(true);
    if (window_) ::DestroyWindow(window_);
}

HWND FrmJunkWindow::Owner() const { return window_ ? ::GetAncestor(window_, GA_ROOT) : nullptr; }

bool FrmJunkWindow::Create(HWND parent) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    const wchar_t* cls =
        kit::RegisterClassOnce<FrmJunkWindow>(L"ClarimoJunkPage", reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    RECT area{};
    ::GetClientRect(parent, &area);
    ::CreateWindowExW(WS_EX_CONTROLPARENT, cls, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, area.right,
                      area.bottom, parent, nullptr, ::GetModuleHandleW(nullptr), this);
    if (!window_) return false;

    scanTip_ = kit::Child(window_, L"STATIC", page_.Scan_Tip, WS_VISIBLE | SS_NOPREFIX, 0);
    ::SendMessageW(scanTip_, WM_SETFONT, reinterpret_cast<WPARAM>(kit::HeadingFont()), FALSE);
    const DWORD listStyle = WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS;
    lvDrives_ = kit::Child(window_, WC_LISTVIEWW, "", listStyle | LVS_SINGLESEL, kDrivesId);
    ListView_SetExtendedListViewStyle(lvDrives_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    AddColumn(lvDrives_, 0, L"Drive", 260);
    AddColumn(lvDrives_, 1, L"Capacity", 120);
    AddColumn(lvDrives_, 2, L"Free Space", 120);
    // The result list holds no rows of its own: it asks the page for what it
    // shows, so 100,000 results cost nothing to add, tick or remove.
    lvResult_ = kit::Child(window_, WC_LISTVIEWW, "", (listStyle & ~WS_VISIBLE) | LVS_OWNERDATA, kResultsId);
    ListView_SetExtendedListViewStyle(lvResult_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    ListView_SetCallbackMask(lvResult_, LVIS_STATEIMAGEMASK);
    AddColumn(lvResult_, 0, L"Files", 260);
    AddColumn(lvResult_, 1, L"Size", 100);
    AddColumn(lvResult_, 2, L"Date Modified", 150);
    for (int i = 0; i < 4; ++i)
        labels_[i] =
            kit::Child(window_, L"STATIC", "", SS_NOTIFY | SS_NOPREFIX | (i == 1 ? SS_PATHELLIPSIS : SS_ENDELLIPSIS),
                       kLabelBaseId + i);
    lbPath_ = kit::Child(window_, L"STATIC", "", SS_PATHELLIPSIS | SS_NOPREFIX | SS_SUNKEN, 0);
    info_ = kit::Child(window_, L"STATIC", "", SS_NOPREFIX | SS_NOTIFY | WS_BORDER, 0);
    cmdScan_ =
        kit::Child(window_, L"BUTTON", "Scan", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | WS_DISABLED, kScanButtonId);
    cmdDel_ =
        kit::Child(window_, L"BUTTON", "Clean", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | WS_DISABLED, kCleanButtonId);

    page_.Changed = [this] { Sync(); };
    page_.PathChanged = [this] {
        kit::SetText(lbPath_, page_.LbPath);
        SyncResultCount();
        kit::SetText(labels_[1], page_.L2);
        kit::SetText(labels_[2], page_.L3);
    };
    page_.OpenProgressWindow = [this] { ShowProgressWindow(); };
    page_.EnableMainWindow = [this](bool enable) {
        if (HWND owner = Owner()) ::EnableWindow(owner, enable);
    };
    page_.LoadDrives();
    Layout();
    Sync();
    return true;
}

void FrmJunkWindow::Layout() {
    RECT area;
    ::GetClientRect(window_, &area);
    const int width = area.right;
    const int height = area.bottom;
    const int pad = kit::Scale(8);
    const int line = kit::Scale(20);
    const int statusHeight = page_.Pic_Scan_ToolsVisible ? 3 * line + pad : 0;
    const int buttonsHeight = ::GetParent(cmdScan_) == window_ ? kit::Scale(28) + pad : 0;
    ::MoveWindow(scanTip_, pad, pad, width - 2 * pad, kit::Scale(26), TRUE);
    const int listTop = pad + kit::Scale(30);
    const int listHeight = height - listTop - statusHeight - buttonsHeight - pad;
    ::MoveWindow(lvDrives_, pad, listTop, width - 2 * pad, listHeight, TRUE);
    ::MoveWindow(lvResult_, pad, listTop, width - 2 * pad, listHeight, TRUE);
    FitFirstColumn(lvDrives_);
    FitFirstColumn(lvResult_);
    ::MoveWindow(info_, pad + kit::Scale(16), listTop + listHeight - kit::Scale(44), width - 2 * pad - kit::Scale(32),
                 kit::Scale(36), TRUE);
    const int statusTop = listTop + listHeight + pad / 2;
    const int half = (width - 2 * pad) / 2;
    ::MoveWindow(labels_[0], pad, statusTop, half, line, TRUE);
    ::MoveWindow(labels_[1], pad + half, statusTop, half, line, TRUE);
    ::MoveWindow(labels_[2], pad, statusTop + line, half, line, TRUE);
    ::MoveWindow(labels_[3], pad + half, statusTop + line, half, line, TRUE);
    ::MoveWindow(lbPath_, pad, statusTop + 2 * line, width - 2 * pad, line - kit::Scale(2), TRUE);
    if (buttonsHeight) {
        const int buttonWidth = kit::Scale(90);
        const int top = height - kit::Scale(28) - pad;
        ::MoveWindow(cmdDel_, width - pad - buttonWidth, top, buttonWidth, kit::Scale(28), TRUE);
        ::MoveWindow(cmdScan_, width - 2 * pad - 2 * buttonWidth, top, buttonWidth, kit::Scale(28), TRUE);
    }
}

void FrmJunkWindow::SyncDrives() {
    if (drivesShown_ == page_.LvDrives.size()) {
        for (size_t i = 0; i < page_.LvDrives.size(); ++i) {
            const bool shown = ListView_GetCheckState(lvDrives_, static_cast<int>(i)) != FALSE;
            if (shown != page_.LvDrives[i].Checked)
                ListView_SetCheckState(lvDrives_, static_cast<int>(i), page_.LvDrives[i].Checked);
        }
        return;
    }
    ListView_DeleteAllItems(lvDrives_);
    for (size_t i = 0; i < page_.LvDrives.size(); ++i) {
        const DriveRow& row = page_.LvDrives[i];
        std::wstring text = platform::ToWide(row.Text);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = text.data();
        ListView_InsertItem(lvDrives_, &item);
        std::wstring capacity = platform::ToWide(row.Capacity), freeSpace = platform::ToWide(row.FreeSpace);
        ListView_SetItemText(lvDrives_, static_cast<int>(i), 1, capacity.data());
        ListView_SetItemText(lvDrives_, static_cast<int>(i), 2, freeSpace.data());
        ListView_SetCheckState(lvDrives_, static_cast<int>(i), row.Checked);
    }
    drivesShown_ = page_.LvDrives.size();
}

void FrmJunkWindow::SyncResultCount() {
    if (resultCountShown_ == page_.LvResult.size()) return;
    const bool shrank = page_.LvResult.size() < resultCountShown_;
    resultCountShown_ = page_.LvResult.size();
    ListView_SetItemCountEx(lvResult_, static_cast<int>(resultCountShown_),
                            shrank ? 0 : LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

void FrmJunkWindow::Sync() {
    if (!window_ || syncing_) return;
    syncing_ = true;
    SyncDrives();
    SyncResultCount();
    ::InvalidateRect(lvResult_, nullptr, FALSE);
    kit::SetText(scanTip_, page_.Scan_Tip);
    const std::string* texts[4] = {&page_.L1, &page_.L2, &page_.L3, &page_.L4};
    for (int i = 0; i < 4; ++i) {
        kit::SetText(labels_[i], *texts[i]);
        ::ShowWindow(labels_[i], page_.Pic_Scan_ToolsVisible ? SW_SHOW : SW_HIDE);
    }
    kit::SetText(lbPath_, page_.LbPath);
    ::ShowWindow(lbPath_, page_.LbPathVisible && page_.Pic_Scan_ToolsVisible ? SW_SHOW : SW_HIDE);
    ::ShowWindow(lvDrives_, page_.LvDrivesVisible ? SW_SHOW : SW_HIDE);
    ::ShowWindow(lvResult_, page_.LvResultVisible ? SW_SHOW : SW_HIDE);
    kit::SetText(info_, page_.Info.Text);
    ::ShowWindow(info_, page_.Info.Visible ? SW_SHOW : SW_HIDE);
    if (page_.Info.Visible) ::SetWindowPos(info_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    kit::SetText(cmdScan_, page_.Cmd_Scan_Caption);
    ::EnableWindow(cmdScan_, page_.State != 0 || page_.Cmd_Scan_Enabled);
    ::EnableWindow(cmdDel_, page_.Cmd_Del_Enabled);
    if (page_.TimeEnabled != timeRunning_) {
        timeRunning_ = page_.TimeEnabled;
        if (timeRunning_)
            ::SetTimer(window_, kTimeTimer, 1000, nullptr);
        else
            ::KillTimer(window_, kTimeTimer);
    }
    Layout();
    syncing_ = false;
}

bool FrmJunkWindow::OnCommand(int id, int code) {
    if (code != BN_CLICKED) return false;
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
    FrmProgWindow progress(page_);
    progress.Run(Owner());
}

void FrmJunkWindow::ToggleResult(int index) {
    if (index < 0 || static_cast<size_t>(index) >= page_.LvResult.size()) return;
    page_.LvResult[static_cast<size_t>(index)].Checked = !page_.LvResult[static_cast<size_t>(index)].Checked;
    ListView_RedrawItems(lvResult_, index, index);
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
        case NM_CLICK: {
            auto* click = reinterpret_cast<NMITEMACTIVATE*>(header);
            LVHITTESTINFO hit{};
            hit.pt = click->ptAction;
            ListView_HitTest(lvResult_, &hit);
            if (hit.iItem >= 0 && (hit.flags & LVHT_ONITEMSTATEICON)) ToggleResult(hit.iItem);
            return;
        }
        case LVN_KEYDOWN: {
            auto* key = reinterpret_cast<NMLVKEYDOWN*>(header);
            if (key->wVKey == VK_SPACE) ToggleResult(ListView_GetNextItem(lvResult_, -1, LVNI_FOCUSED));
            return;
        }
        case LVN_ITEMCHANGED: {
            auto* change = reinterpret_cast<NMLISTVIEW*>(header);
            if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED)) {
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
    if (at.x == -1 && at.y == -1) {
        RECT r;
        ::GetWindowRect(control, &r);
        at = {r.left + kit::Scale(20), r.top + kit::Scale(20)};
    }
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
        ::AppendMenuW(menu.get(), MF_STRING | (selected < 0 ? MF_GRAYED : 0), kResultsProperties, L"Properties");
    } else {
        return;
    }
    ::TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
}

LRESULT FrmJunkWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            Layout();
            return 0;
        case WM_TIMER:
            if (wParam == kTimeTimer) page_.Time_Timer();
            return 0;
        case WM_NOTIFY:
            OnNotify(reinterpret_cast<NMHDR*>(lParam));
            return 0;
        case WM_CONTEXTMENU:
            OnContextMenu(reinterpret_cast<HWND>(wParam), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) == info_) {
                ::SetBkColor(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_INFOBK));
                ::SetTextColor(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_INFOTEXT));
                return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_INFOBK));
            }
            break;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            if (OnCommand(id, code)) return 0;
            if (code == STN_CLICKED && id >= kLabelBaseId && id < kLabelBaseId + 4) {
                page_.RestoreSummary();
                return 0;
            }
            if (reinterpret_cast<HWND>(lParam) == info_) {
                page_.Info.HideMessage();
                Sync();
                return 0;
            }
            core::ClsFileFolder files;
            const int drive = ListView_GetNextItem(lvDrives_, -1, LVNI_SELECTED);
            const int result = ListView_GetNextItem(lvResult_, -1, LVNI_SELECTED);
            switch (id) {
                case kDrivesSelectAll:
                case kDrivesDeselectAll:
                    page_.SetAllDrives(id == kDrivesSelectAll);
                    return 0;
                case kDrivesOpen:
                    if (drive >= 0) files.OpenFileFolder(Owner(), page_.LvDrives[static_cast<size_t>(drive)].Key);
                    return 0;
                case kDrivesProperties:
                    if (drive >= 0) files.ShowProperties(page_.LvDrives[static_cast<size_t>(drive)].Key, Owner());
                    return 0;
                case kResultsSelectAll:
                case kResultsDeselectAll:
                    page_.SetAllResults(id == kResultsSelectAll);
                    return 0;
                case kResultsProperties:
                    if (result >= 0 && static_cast<size_t>(result) < page_.LvResult.size())
                        files.ShowProperties(page_.LvResult[static_cast<size_t>(result)].Key, Owner());
                    return 0;
                default:
                    break;
            }
            break;
        }
        case WM_DESTROY:
            page_.Find.CancelSearch(true);
            window_ = nullptr;
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace junk
