// The junk options dialog ("Junk Files Options"): the three junk switches,
// the file types list and the skipped folders. Logic only;
// FrmCleanOptionsWindow draws it. The two type editors act on its Lv.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/prompts.h"
#include "junk/junk_types.h"

namespace junk {

class Frm_Clean_Options;

// "Add New File Type".
class Frm_NewType {
public:
    explicit Frm_NewType(Frm_Clean_Options& options) : options_(options) {}

    std::string Txt_Type;
    std::string Txt_Desc;
    bool Cmd_Ok_Enabled = false;
    bool TypeTextSelected = false;  // the pattern box asks for its whole text selected and focused
    bool Closed = false;

    void Txt_Type_Change(const std::string& text);
    void Txt_Desc_Change(const std::string& text) { Txt_Desc = text; }
    void Cmd_Ok_Click();
    void Cmd_Cancel_Click() { Closed = true; }

private:
    Frm_Clean_Options& options_;
};

// "Edit Type": changes the selected row of the options' Lv.
class Frm_EditType {
public:
    Frm_EditType(Frm_Clean_Options& options, int row);

    std::string Txt_Type;
    std::string Txt_Desc;
    bool Cmd_Ok_Enabled = false;
    bool TypeTextSelected = false;
    bool Closed = false;

    void Txt_Type_Change(const std::string& text);
    void Txt_Desc_Change(const std::string& text);
    void Cmd_Ok_Click();
    void Cmd_Cancel_Click() { Closed = true; }

private:
    void UpdateOk();
    Frm_Clean_Options& options_;
    int row_;
    std::string originalType_;
    std::string originalDesc_;
};

class Frm_Clean_Options {
public:
    explicit Frm_Clean_Options(core::Prompts& prompts);

    int SelectedTab = 0;  // 0 General, 1 Files Types, 2 Skipped Folders
    bool ChkShortcut = false;
    bool ChkSkip = true;
    bool ChkDap = true;
    bool ChkDapEnabled = false;
    bool ChkAge = false;  // skip files changed in the last 24 hours
    std::vector<JunkType> Lv;
    int LvSelected = -1;
    std::vector<std::string> LvSkip;
    int LvSkipSelected = -1;
    std::string LbFolderNum;
    bool Cmd_EditType_Enabled = false;
    bool Cmd_RemoveType_Enabled = false;
    bool Cmd_RemoveFolder_Enabled = false;
    bool Cmd_ClearFolders_Enabled = false;
    bool Cmd_Ok_Enabled = true;
    bool Cmd_Cancel_Enabled = true;
    bool Unloaded = false;

    // Open the editors modally (the window sets these; tests script them).
    std::function<void(Frm_NewType&)> ShowNewType;
    std::function<void(Frm_EditType&)> ShowEditType;
    std::function<void()> Changed;

    void Form_Load();
    void Tab_Click(int tab);

    void Cmd_AddType_Click();
    void Cmd_EditType_Click();
    void Cmd_RemoveType_Click();
    void Cmd_Default_Click();
    void Lv_SelectionChanged(int row);
    // Enter = Edit, Insert = Add Type, Delete = Remove, only with a row selected.
    void Lv_KeyDown(int virtualKey);

    void Cmd_AddFolder_Click();
    void Cmd_RemoveFolder_Click();
    void Cmd_ClearFolders_Click();
    void LvSkip_SelectionChanged(int row);
    // Insert = Add Folder, Delete = Remove, only with a row selected.
    void LvSkip_KeyDown(int virtualKey);

    void Cmd_Ok_Click();
    void Cmd_Cancel_Click();
    // Remembers the tab; runs once, after Ok, Cancel or at program end.
    void Form_Unload();

    // Fills Lv from "Fts.ini", or writes and shows the defaults.
    void ChkDefLoad();
    // True when no row has this pattern / folder (compared lower-cased).
    bool CheckTypeName(const std::string& pattern) const;
    bool CheckFolderName(const std::string& folder) const;
    // The duplicate message of the type editors.
    void ShowDuplicateType(const std::string& pattern);

private:
    void UpdateTypeButtons();
    void UpdateFolderButtons();
    void Redraw();

    core::Prompts& prompts_;
};

// Lower-cased text for the list comparisons (ASCII and the letters the
// name patterns fold).
std::string LowerForCompare(const std::string& text);

}  // namespace junk
