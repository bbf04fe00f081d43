#include "junk/frm_clean_options_window.h"

#include <commctrl.h>

#include <type_traits>

#include "platform/modal_runner.h"
#include "platform/utf.h"
#include "platform/window_text.h"

namespace junk {
namespace {

enum Id : int {
    kTab = 300,
    kChkShortcut,
    kChkSkip,
    kChkDap,
    kChkAge,
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

void SetCheck(HWND box, bool checked) { ::SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0); }
bool GetCheck(HWND box) { return ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// "Add New File Type" and "Edit Type": two boxes, Ok and Cancel.
template <typename Editor>
class TypeEditorWindow : public controls::DialogWindow {
public:
    TypeEditorWindow(Editor& editor, core::Prompts& prompts) : editor_(editor), prompts_(prompts) {}

    void Run(HWND owner, const std::string& caption) {
        if (!Create(owner, caption, 354, 154)) return;
        Place(AddControl(hwnd(), L"STATIC", "File Type:", WS_VISIBLE, 0), 12, 12, 320, 18);
        type_ = AddControl(hwnd(), L"EDIT", editor_.Txt_Type, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, kTxtType,
                           WS_EX_CLIENTEDGE);
        Place(type_, 12, 30, 330, 22);
        Place(AddControl(hwnd(), L"STATIC", "Description:", WS_VISIBLE, 0), 12, 60, 320, 18);
        desc_ = AddControl(hwnd(), L"EDIT", editor_.Txt_Desc, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, kTxtDesc,
                           WS_EX_CLIENTEDGE);
        Place(desc_, 12, 78, 330, 22);
        ok_ = AddControl(hwnd(), L"BUTTON", "Ok", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK);
        Place(ok_, 170, 116, 82, 26);
        Place(AddControl(hwnd(), L"BUTTON", "Cancel", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL), 260, 116, 82,
              26);
        ::EnableWindow(ok_, editor_.Cmd_Ok_Enabled);
        ::ShowWindow(hwnd(), SW_SHOW);
        ::SetFocus(type_);
        ready_ = true;
        platform::RunModal(hwnd(), Owner(), [this] { return editor_.Closed; });
    }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
        const core::PromptOwner promptOwner(prompts_, hwnd());
        if (message == WM_CLOSE) {
            editor_.Cmd_Cancel_Click();
            return true;
        }
        if (message != WM_COMMAND || !ready_) return false;
        result = 0;
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
            if (id == kTxtType) editor_.Txt_Type_Change(platform::WindowText(type_));
            if (id == kTxtDesc) editor_.Txt_Desc_Change(platform::WindowText(desc_));
            ::EnableWindow(ok_, editor_.Cmd_Ok_Enabled);
        }
        return true;
    }

private:
    Editor& editor_;
    core::Prompts& prompts_;
    HWND type_ = nullptr, desc_ = nullptr, ok_ = nullptr;
    bool ready_ = false;
};

}  // namespace

FrmCleanOptionsWindow::FrmCleanOptionsWindow(core::Prompts& prompts) : prompts_(prompts), form_(prompts) {}

void FrmCleanOptionsWindow::ShowModal(HWND owner, const std::function<void(HWND)>& onShown) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    form_.Form_Load();
    if (!Create(owner, "Junk Files Options", 474, 386)) return;
    Build();
    form_.Changed = [this] { Sync(); };
    form_.ShowNewType = [this](Frm_NewType& editor) { ShowEditor(false, &editor, nullptr); };
    form_.ShowEditType = [this](Frm_EditType& editor) { ShowEditor(true, nullptr, &editor); };
    FillTypes();
    FillSkip();
    Sync();
    onShown_ = onShown;
    if (onShown_) ::PostMessageW(hwnd(), kShownMessage, 0, 0);
    ::ShowWindow(hwnd(), SW_SHOW);
    platform::RunModal(hwnd(), Owner(), [this] { return form_.Unloaded; });
    form_.Changed = nullptr;
    form_.ShowNewType = nullptr;
    form_.ShowEditType = nullptr;
}

void FrmCleanOptionsWindow::Build() {
    const auto add = [this](HWND parent, const wchar_t* className, const char* text, DWORD style, int id, int x, int y,
                            int width, int height, DWORD exStyle = 0) {
        HWND control = AddControl(parent, className, text, WS_VISIBLE | style, id, exStyle);
        Place(control, x, y, width, height);
        return control;
    };
    tab_ = add(hwnd(), WC_TABCONTROLW, "", WS_TABSTOP | WS_CLIPSIBLINGS, kTab, 10, 10, 455, 330);
    const char* captions[3] = {" General ", " Files Types ", " Skipped Folders "};
    for (int i = 0; i < 3; ++i) {
        std::wstring caption = platform::ToWide(captions[i]);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        TabCtrl_InsertItem(tab_, i, &item);
        // Each tab's page passes its controls' commands and notifications on.
        tabPages_[i].onMessage = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            if (message != WM_COMMAND && message != WM_NOTIFY) return false;
            result = ::SendMessageW(hwnd(), message, wParam, lParam);
            return true;
        };
        tabPages_[i].Create(hwnd());
        panels_[i] = tabPages_[i].hwnd();
        // Group boxes paint no inside: the page's background must reach it.
        ::SetWindowLongPtrW(panels_[i], GWL_STYLE, ::GetWindowLongPtrW(panels_[i], GWL_STYLE) & ~WS_CLIPCHILDREN);
        Place(panels_[i], 18, 40, 440, 292);
    }
    // The tab pages lie over the tab control, which clips them otherwise.
    ::SetWindowPos(tab_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    HWND general = panels_[0];
    add(general, L"BUTTON", " Files to Scan ", BS_GROUPBOX, 0, 4, 4, 430, 60);
    chkShortcut_ = add(general, L"BUTTON", "Scan for invalid shortcuts", WS_TABSTOP | BS_AUTOCHECKBOX, kChkShortcut, 18,
                       28, 400, 22);
    add(general, L"BUTTON", " Files && Folders to Skip ", BS_GROUPBOX, 0, 4, 76, 430, 88);
    chkSkip_ = add(general, L"BUTTON", "Skip read-only and system files", WS_TABSTOP | BS_AUTOCHECKBOX, kChkSkip, 18,
                   100, 400, 22);
    chkDap_ = add(general, L"BUTTON", "Skip Download Accelerator temp directory", WS_TABSTOP | BS_AUTOCHECKBOX, kChkDap,
                  18, 128, 400, 22);
    add(general, L"BUTTON", " Recent Files ", BS_GROUPBOX, 0, 4, 176, 430, 60);
    chkAge_ = add(general, L"BUTTON", "Skip files changed in the last 24 hours", WS_TABSTOP | BS_AUTOCHECKBOX, kChkAge,
                  18, 200, 400, 22);

    HWND types = panels_[1];
    add(types, L"STATIC", "Files Types:", 0, 0, 4, 4, 300, 18);
    lv_ = add(types, WC_LISTVIEWW, "", WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, kLv, 4,
              24, 430, 226);
    ListView_SetExtendedListViewStyle(lv_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    ::SetWindowSubclass(lv_, TypesListProc, 1, 0);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(L"File Type");
    column.cx = Scale(120);
    ListView_InsertColumn(lv_, 0, &column);
    column.pszText = const_cast<wchar_t*>(L"Description");
    column.cx = Scale(280);
    ListView_InsertColumn(lv_, 1, &column);
    const char* typeButtons[4] = {"Add Type", "Edit", "Remove", "Default List"};
    HWND* typeHandles[4] = {nullptr, &cmdEdit_, &cmdRemoveType_, nullptr};
    for (int i = 0; i < 4; ++i) {
        HWND button =
            add(types, L"BUTTON", typeButtons[i], WS_TABSTOP | BS_PUSHBUTTON, kAddType + i, 4 + i * 108, 258, 100, 26);
        if (typeHandles[i]) *typeHandles[i] = button;
    }

    HWND skip = panels_[2];
    add(skip, L"STATIC", "Folders to skip from search:", 0, 0, 4, 4, 300, 18);
    lvSkip_ = add(skip, WC_LISTVIEWW, "", WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                  kLvSkip, 4, 24, 430, 204);
    ListView_SetExtendedListViewStyle(lvSkip_, LVS_EX_FULLROWSELECT);
    column.pszText = const_cast<wchar_t*>(L"Folder");
    column.cx = Scale(400);
    ListView_InsertColumn(lvSkip_, 0, &column);
    lbFolderNum_ = add(skip, L"STATIC", "", 0, 0, 4, 234, 300, 18);
    const char* folderButtons[3] = {"Add Folder", "Remove", "Clear"};
    HWND* folderHandles[3] = {nullptr, &cmdRemoveFolder_, &cmdClear_};
    for (int i = 0; i < 3; ++i) {
        HWND button = add(skip, L"BUTTON", folderButtons[i], WS_TABSTOP | BS_PUSHBUTTON, kAddFolder + i, 4 + i * 108,
                          258, 100, 26);
        if (folderHandles[i]) *folderHandles[i] = button;
    }

    cmdOk_ = add(hwnd(), L"BUTTON", "Ok", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, 290, 350, 82, 26);
    cmdCancel_ = add(hwnd(), L"BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, 382, 350, 82, 26);
}

// Enter in the files types list edits the selected type: the list asks
// for the key, so the dialog does not take it for its Ok button.
LRESULT CALLBACK FrmCleanOptionsWindow::TypesListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                      DWORD_PTR) {
    if (message == WM_GETDLGCODE) {
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
            return ::DefSubclassProc(list, message, wParam, lParam) | DLGC_WANTMESSAGE;
    }
    return ::DefSubclassProc(list, message, wParam, lParam);
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
    if (!hwnd()) return;
    if (static_cast<size_t>(ListView_GetItemCount(lv_)) != form_.Lv.size()) FillTypes();
    if (static_cast<size_t>(ListView_GetItemCount(lvSkip_)) != form_.LvSkip.size()) FillSkip();
    TabCtrl_SetCurSel(tab_, form_.SelectedTab);
    for (int i = 0; i < 3; ++i) ::ShowWindow(panels_[i], i == form_.SelectedTab ? SW_SHOW : SW_HIDE);
    SetCheck(chkShortcut_, form_.ChkShortcut);
    SetCheck(chkSkip_, form_.ChkSkip);
    SetCheck(chkDap_, form_.ChkDap);
    ::EnableWindow(chkDap_, form_.ChkDapEnabled);
    SetCheck(chkAge_, form_.ChkAge);
    if (platform::WindowText(lbFolderNum_) != form_.LbFolderNum)
        platform::SetWindowTextUtf8(lbFolderNum_, form_.LbFolderNum);
    ::EnableWindow(cmdEdit_, form_.Cmd_EditType_Enabled);
    ::EnableWindow(cmdRemoveType_, form_.Cmd_RemoveType_Enabled);
    ::EnableWindow(cmdRemoveFolder_, form_.Cmd_RemoveFolder_Enabled);
    ::EnableWindow(cmdClear_, form_.Cmd_ClearFolders_Enabled);
    ::EnableWindow(cmdOk_, form_.Cmd_Ok_Enabled);
    ::EnableWindow(cmdCancel_, form_.Cmd_Cancel_Enabled);
}

void FrmCleanOptionsWindow::ShowEditor(bool edit, Frm_NewType* newType, Frm_EditType* editType) {
    if (edit) {
        TypeEditorWindow<Frm_EditType> editor(*editType, prompts_);
        editor.Run(hwnd(), "Edit Type");
    } else {
        TypeEditorWindow<Frm_NewType> editor(*newType, prompts_);
        editor.Run(hwnd(), "Add New File Type");
    }
    FillTypes();
}

bool FrmCleanOptionsWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // What the user does here asks its questions over this dialog, which
    // they then block.
    const core::PromptOwner promptOwner(prompts_, hwnd());
    result = 0;
    switch (message) {
        case kShownMessage:
            if (onShown_) onShown_(hwnd());
            return true;
        case WM_CLOSE:
            form_.Cmd_Cancel_Click();
            return true;
        case WM_NOTIFY:
            OnNotify(reinterpret_cast<NMHDR*>(lParam));
            return true;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return true;
        default:
            return false;
    }
}

void FrmCleanOptionsWindow::OnNotify(NMHDR* header) {
    if (header->idFrom == kTab && header->code == TCN_SELCHANGE) {
        form_.Tab_Click(TabCtrl_GetCurSel(tab_));
    } else if (header->idFrom == kLv && header->code == LVN_ITEMCHANGED && !filling_) {
        auto* change = reinterpret_cast<NMLISTVIEW*>(header);
        if (change->iItem >= 0 && static_cast<size_t>(change->iItem) < form_.Lv.size())
            form_.Lv[static_cast<size_t>(change->iItem)].Checked = ListView_GetCheckState(lv_, change->iItem) != FALSE;
        form_.Lv_SelectionChanged(ListView_GetNextItem(lv_, -1, LVNI_SELECTED));
    } else if (header->idFrom == kLvSkip && header->code == LVN_ITEMCHANGED && !filling_) {
        form_.LvSkip_SelectionChanged(ListView_GetNextItem(lvSkip_, -1, LVNI_SELECTED));
    } else if (header->code == LVN_KEYDOWN) {
        const int key = reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey;
        if (header->idFrom == kLv) form_.Lv_KeyDown(key);
        if (header->idFrom == kLvSkip) form_.LvSkip_KeyDown(key);
    }
}

void FrmCleanOptionsWindow::OnCommand(int id) {
    switch (id) {
        case kChkShortcut:
            form_.ChkShortcut = GetCheck(chkShortcut_);
            return;
        case kChkSkip:
            form_.ChkSkip = GetCheck(chkSkip_);
            return;
        case kChkDap:
            form_.ChkDap = GetCheck(chkDap_);
            return;
        case kChkAge:
            form_.ChkAge = GetCheck(chkAge_);
            return;
        case kAddType:
            form_.Cmd_AddType_Click();
            return;
        case kEditType:
            form_.Cmd_EditType_Click();
            return;
        case kRemoveType:
            form_.Cmd_RemoveType_Click();
            return;
        case kDefault:
            form_.Cmd_Default_Click();
            FillTypes();
            return;
        case kAddFolder:
            form_.Cmd_AddFolder_Click();
            return;
        case kRemoveFolder:
            form_.Cmd_RemoveFolder_Click();
            return;
        case kClearFolders:
            form_.Cmd_ClearFolders_Click();
            return;
        case IDOK:
            form_.Cmd_Ok_Click();
            return;
        case IDCANCEL:
            form_.Cmd_Cancel_Click();
            return;
        default:
            return;
    }
}

}  // namespace junk
