#include "junk/frm_clean_options_window.h"

#include <commctrl.h>

#include <type_traits>

#include "junk/window_kit.h"
#include "platform/utf.h"

namespace junk {
namespace {

enum Id : int {
    kTab = 300,
    kChkShortcut,
    kChkSkip,
    kChkDap,
    kLv,
    kLvSkip,
    kAddType,
    kEditType,
    kRemoveType,
    kDefault,
    kAddFolder,
    kRemoveFolder,
    kClearFolders,
    kTxtType,
    kTxtDesc,
};
constexpr UINT kShownMessage = WM_APP + 1;

// A panel that passes its children's commands and notifications to the
// dialog.
LRESULT CALLBACK PanelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR dialog) {
    if (message == WM_COMMAND || message == WM_NOTIFY)
        return ::SendMessageW(reinterpret_cast<HWND>(dialog), message, wParam, lParam);
    // Check boxes show the page's own background through them (frames keep
    // theirs, or their line would run through the caption).
    if (message == WM_CTLCOLORSTATIC &&
        (::GetWindowLongW(reinterpret_cast<HWND>(lParam), GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX) {
        ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(::GetStockObject(HOLLOW_BRUSH));
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

void SetCheck(HWND box, bool checked) { ::SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0); }
bool GetCheck(HWND box) { return ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// "Add New File Type" and "Edit Type": two boxes, Ok and Cancel.
template <typename Editor>
class TypeEditorWindow {
public:
    explicit TypeEditorWindow(Editor& editor) : editor_(editor) {}

    void Run(HWND owner, const wchar_t* caption) {
        const wchar_t* cls = kit::RegisterClassOnce<TypeEditorWindow<Editor>>(
            std::is_same_v<Editor, Frm_NewType> ? L"ClarimoNewType" : L"ClarimoEditType",
            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        ::CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, cls, caption, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                          0, 0, kit::Scale(360), kit::Scale(190), owner, nullptr, ::GetModuleHandleW(nullptr), this);
        if (!window_) return;
        HWND label = kit::Child(window_, L"STATIC", "File Type:", WS_VISIBLE, 0);
        kit::Place(label, 12, 12, 320, 18);
        type_ = kit::Child(window_, L"EDIT", editor_.Txt_Type, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, kTxtType,
                           WS_EX_CLIENTEDGE);
        kit::Place(type_, 12, 30, 330, 22);
        label = kit::Child(window_, L"STATIC", "Description:", WS_VISIBLE, 0);
        kit::Place(label, 12, 60, 320, 18);
        desc_ = kit::Child(window_, L"EDIT", editor_.Txt_Desc, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, kTxtDesc,
                           WS_EX_CLIENTEDGE);
        kit::Place(desc_, 12, 78, 330, 22);
        ok_ = kit::Child(window_, L"BUTTON", "Ok", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK);
        kit::Place(ok_, 170, 116, 82, 26);
        HWND cancel = kit::Child(window_, L"BUTTON", "Cancel", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL);
        kit::Place(cancel, 260, 116, 82, 26);
        ::EnableWindow(ok_, editor_.Cmd_Ok_Enabled);
        kit::CenterOver(window_, owner);
        ::SetFocus(type_);
        ready_ = true;
        kit::RunModal(window_, owner, editor_.Closed);
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_CLOSE) {
            editor_.Cmd_Cancel_Click();
            return 0;
        }
        if (message == WM_COMMAND && ready_) {
            const int id = LOWORD(wParam);
            if (id == IDOK) {
                editor_.Cmd_Ok_Click();
                if (editor_.TypeTextSelected) {
                    ::SendMessageW(type_, EM_SETSEL, 0, -1);
                    ::SetFocus(type_);
                }
            } else if (id == IDCANCEL) {
                editor_.Cmd_Cancel_Click();
            } else if (HIWORD(wParam) == EN_CHANGE) {
                if (id == kTxtType) editor_.Txt_Type_Change(kit::GetText(type_));
                if (id == kTxtDesc) editor_.Txt_Desc_Change(kit::GetText(desc_));
                ::EnableWindow(ok_, editor_.Cmd_Ok_Enabled);
            }
            return 0;
        }
        return ::DefWindowProcW(window_, message, wParam, lParam);
    }
    HWND window_ = nullptr;

private:
    Editor& editor_;
    HWND type_ = nullptr, desc_ = nullptr, ok_ = nullptr;
    bool ready_ = false;
};

}  // namespace

FrmCleanOptionsWindow::FrmCleanOptionsWindow(core::Prompts& prompts) : form_(prompts) {}

void FrmCleanOptionsWindow::ShowModal(HWND owner, const std::function<void(HWND)>& onShown) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    form_.Form_Load();
    const wchar_t* cls = kit::RegisterClassOnce<FrmCleanOptionsWindow>(L"ClarimoJunkOptions",
                                                                       reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    ::CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, cls, L"Junk Files Options",
                      WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, kit::Scale(480), kit::Scale(420), owner, nullptr,
                      ::GetModuleHandleW(nullptr), this);
    if (!window_) return;
    Build();
    form_.Changed = [this] { Sync(); };
    form_.ShowNewType = [this](Frm_NewType& editor) { ShowEditor(false, &editor, nullptr); };
    form_.ShowEditType = [this](Frm_EditType& editor) { ShowEditor(true, nullptr, &editor); };
    FillTypes();
    FillSkip();
    Sync();
    kit::CenterOver(window_, owner);
    onShown_ = onShown;
    if (onShown_) ::PostMessageW(window_, kShownMessage, 0, 0);
    kit::RunModal(window_, owner, form_.Unloaded);
    form_.Changed = nullptr;
}

void FrmCleanOptionsWindow::Build() {
    tab_ = kit::Child(window_, WC_TABCONTROLW, "", WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, kTab);
    kit::Place(tab_, 10, 10, 455, 330);
    const char* captions[3] = {" General ", " Files Types ", " Skipped Folders "};
    for (int i = 0; i < 3; ++i) {
        std::wstring caption = platform::ToWide(captions[i]);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        TabCtrl_InsertItem(tab_, i, &item);
        panels_[i] = ::CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 10, 10,
                                       window_, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ::SetWindowSubclass(panels_[i], PanelProcedure, 1, reinterpret_cast<DWORD_PTR>(window_));
        kit::Place(panels_[i], 18, 40, 440, 292);
    }
    HWND general = panels_[0];
    HWND frame = kit::Child(general, L"BUTTON", " Files to Scan ", WS_VISIBLE | BS_GROUPBOX, 0);
    kit::Place(frame, 4, 4, 430, 60);
    chkShortcut_ = kit::Child(general, L"BUTTON", "Scan for invalid shortcuts",
                              WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, kChkShortcut);
    kit::Place(chkShortcut_, 18, 28, 400, 22);
    frame = kit::Child(general, L"BUTTON", " Files && Folders to Skip ", WS_VISIBLE | BS_GROUPBOX, 0);
    kit::Place(frame, 4, 76, 430, 88);
    chkSkip_ = kit::Child(general, L"BUTTON", "Skip read-only and system files",
                          WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, kChkSkip);
    kit::Place(chkSkip_, 18, 100, 400, 22);
    chkDap_ = kit::Child(general, L"BUTTON", "Skip Download Accelerator temp directory",
                         WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, kChkDap);
    kit::Place(chkDap_, 18, 128, 400, 22);

    HWND types = panels_[1];
    kit::Place(kit::Child(types, L"STATIC", "Files Types:", WS_VISIBLE, 0), 4, 4, 300, 18);
    lv_ = kit::Child(types, WC_LISTVIEWW, "",
                     WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, kLv);
    ListView_SetExtendedListViewStyle(lv_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    kit::Place(lv_, 4, 24, 430, 226);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(L"File Type");
    column.cx = kit::Scale(120);
    ListView_InsertColumn(lv_, 0, &column);
    column.pszText = const_cast<wchar_t*>(L"Description");
    column.cx = kit::Scale(280);
    ListView_InsertColumn(lv_, 1, &column);
    const char* typeButtons[4] = {"Add Type", "Edit", "Remove", "Default List"};
    HWND* typeHandles[4] = {nullptr, &cmdEdit_, &cmdRemoveType_, nullptr};
    for (int i = 0; i < 4; ++i) {
        HWND button =
            kit::Child(types, L"BUTTON", typeButtons[i], WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kAddType + i);
        kit::Place(button, 4 + i * 108, 258, 100, 26);
        if (typeHandles[i]) *typeHandles[i] = button;
    }

    HWND skip = panels_[2];
    kit::Place(kit::Child(skip, L"STATIC", "Folders to skip from search:", WS_VISIBLE, 0), 4, 4, 300, 18);
    lvSkip_ = kit::Child(skip, WC_LISTVIEWW, "",
                         WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, kLvSkip);
    ListView_SetExtendedListViewStyle(lvSkip_, LVS_EX_FULLROWSELECT);
    kit::Place(lvSkip_, 4, 24, 430, 204);
    column.pszText = const_cast<wchar_t*>(L"Folder");
    column.cx = kit::Scale(400);
    ListView_InsertColumn(lvSkip_, 0, &column);
    lbFolderNum_ = kit::Child(skip, L"STATIC", "", WS_VISIBLE, 0);
    kit::Place(lbFolderNum_, 4, 234, 300, 18);
    const char* folderButtons[3] = {"Add Folder", "Remove", "Clear"};
    HWND* folderHandles[3] = {nullptr, &cmdRemoveFolder_, &cmdClear_};
    for (int i = 0; i < 3; ++i) {
        HWND button =
            kit::Child(skip, L"BUTTON", folderButtons[i], WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kAddFolder + i);
        kit::Place(button, 4 + i * 108, 258, 100, 26);
        if (folderHandles[i]) *folderHandles[i] = button;
    }

    cmdOk_ = kit::Child(window_, L"BUTTON", "Ok", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK);
    kit::Place(cmdOk_, 290, 350, 82, 26);
    cmdCancel_ = kit::Child(window_, L"BUTTON", "Cancel", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL);
    kit::Place(cmdCancel_, 382, 350, 82, 26);
}

void FrmCleanOptionsWindow::FillTypes() {
    filling_ = true;
    ListView_DeleteAllItems(lv_);
    for (size_t i = 0; i < form_.Lv.size(); ++i) {
        std::wstring pattern = platform::ToWide(form_.Lv[i].Pattern);
        std::wstring description = platform::ToWide(form_.Lv[i].Description);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = pattern.data();
        ListView_InsertItem(lv_, &item);
        ListView_SetItemText(lv_, static_cast<int>(i), 1, description.data());
        ListView_SetCheckState(lv_, static_cast<int>(i), form_.Lv[i].Checked);
    }
    if (form_.LvSelected >= 0) ListView_SetItemState(lv_, form_.LvSelected, LVIS_SELECTED, LVIS_SELECTED);
    filling_ = false;
}

void FrmCleanOptionsWindow::FillSkip() {
    filling_ = true;
    ListView_DeleteAllItems(lvSkip_);
    for (size_t i = 0; i < form_.LvSkip.size(); ++i) {
        std::wstring folder = platform::ToWide(form_.LvSkip[i]);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = folder.data();
        ListView_InsertItem(lvSkip_, &item);
    }
    filling_ = false;
}

void FrmCleanOptionsWindow::Sync() {
    if (!window_) return;
    if (static_cast<size_t>(ListView_GetItemCount(lv_)) != form_.Lv.size()) FillTypes();
    if (static_cast<size_t>(ListView_GetItemCount(lvSkip_)) != form_.LvSkip.size()) FillSkip();
    TabCtrl_SetCurSel(tab_, form_.SelectedTab);
    for (int i = 0; i < 3; ++i) ::ShowWindow(panels_[i], i == form_.SelectedTab ? SW_SHOW : SW_HIDE);
    SetCheck(chkShortcut_, form_.ChkShortcut);
    SetCheck(chkSkip_, form_.ChkSkip);
    SetCheck(chkDap_, form_.ChkDap);
    ::EnableWindow(chkDap_, form_.ChkDapEnabled);
    kit::SetText(lbFolderNum_, form_.LbFolderNum);
    ::EnableWindow(cmdEdit_, form_.Cmd_EditType_Enabled);
    ::EnableWindow(cmdRemoveType_, form_.Cmd_RemoveType_Enabled);
    ::EnableWindow(cmdRemoveFolder_, form_.Cmd_RemoveFolder_Enabled);
    ::EnableWindow(cmdClear_, form_.Cmd_ClearFolders_Enabled);
    ::EnableWindow(cmdOk_, form_.Cmd_Ok_Enabled);
    ::EnableWindow(cmdCancel_, form_.Cmd_Cancel_Enabled);
}

void FrmCleanOptionsWindow::ShowEditor(bool edit, Frm_NewType* newType, Frm_EditType* editType) {
    if (edit) {
        TypeEditorWindow<Frm_EditType> editor(*editType);
        editor.Run(window_, L"Edit Type");
    } else {
        TypeEditorWindow<Frm_NewType> editor(*newType);
        editor.Run(window_, L"Add New File Type");
    }
    FillTypes();
}

LRESULT FrmCleanOptionsWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kShownMessage:
            if (onShown_) onShown_(window_);
            return 0;
        case WM_CLOSE:
            form_.Cmd_Cancel_Click();
            return 0;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->idFrom == kTab && header->code == TCN_SELCHANGE) {
                form_.Tab_Click(TabCtrl_GetCurSel(tab_));
            } else if (header->idFrom == kLv && header->code == LVN_ITEMCHANGED && !filling_) {
                auto* change = reinterpret_cast<NMLISTVIEW*>(header);
                if (change->iItem >= 0 && static_cast<size_t>(change->iItem) < form_.Lv.size())
                    form_.Lv[static_cast<size_t>(change->iItem)].Checked =
                        ListView_GetCheckState(lv_, change->iItem) != FALSE;
                form_.Lv_SelectionChanged(ListView_GetNextItem(lv_, -1, LVNI_SELECTED));
            } else if (header->idFrom == kLvSkip && header->code == LVN_ITEMCHANGED && !filling_) {
                form_.LvSkip_SelectionChanged(ListView_GetNextItem(lvSkip_, -1, LVNI_SELECTED));
            } else if (header->code == LVN_KEYDOWN) {
                const int key = reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey;
                if (header->idFrom == kLv) form_.Lv_KeyDown(key);
                if (header->idFrom == kLvSkip) form_.LvSkip_KeyDown(key);
            }
            return 0;
        }
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case kChkShortcut:
                    form_.ChkShortcut = GetCheck(chkShortcut_);
                    return 0;
                case kChkSkip:
                    form_.ChkSkip = GetCheck(chkSkip_);
                    return 0;
                case kChkDap:
                    form_.ChkDap = GetCheck(chkDap_);
                    return 0;
                case kAddType:
                    form_.Cmd_AddType_Click();
                    return 0;
                case kEditType:
                    form_.Cmd_EditType_Click();
                    return 0;
                case kRemoveType:
                    form_.Cmd_RemoveType_Click();
                    return 0;
                case kDefault:
                    form_.Cmd_Default_Click();
                    FillTypes();
                    return 0;
                case kAddFolder:
                    form_.Cmd_AddFolder_Click();
                    return 0;
                case kRemoveFolder:
                    form_.Cmd_RemoveFolder_Click();
                    return 0;
                case kClearFolders:
                    form_.Cmd_ClearFolders_Click();
                    return 0;
                case IDOK:
                    form_.Cmd_Ok_Click();
                    return 0;
                case IDCANCEL:
                    form_.Cmd_Cancel_Click();
                    return 0;
                default:
                    return 0;
            }
        default:
            break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace junk
