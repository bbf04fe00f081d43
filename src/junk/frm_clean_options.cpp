#include "junk/frm_clean_options.h"

#include "core/cls_file_folder.h"
#include "core/general.h"
#include "core/registry_procs.h"
#include "core/settings.h"
#include "junk/junk_text.h"
#include "junk/pattern_match.h"
#include "platform/file_system.h"

namespace junk {
namespace {

constexpr int kVkReturn = 0x0D;
constexpr int kVkInsert = 0x2D;
constexpr int kVkDelete = 0x2E;
constexpr const char* kDapKey = "SOFTWARE\\SpeedBit\\Download Accelerator";

std::string DuplicateTypeText(const std::string& pattern) {
    return "The type \"" + pattern + "\" is already exists in files types list.";
}

int ReadFlag(const char* key, const char* fallback) {
    const std::string value = core::ReadIni(core::MainIniPath, "Jnk", key, fallback);
    return value == "1" ? 1 : value == "0" ? 0 : std::string(fallback) == "1";
}

}  // namespace

std::string LowerForCompare(const std::string& text) {
    const std::u32string folded = FoldUtf8(text);
    std::string out;
    for (char32_t c : folded) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// ---- Frm_NewType

void Frm_NewType::Txt_Type_Change(const std::string& text) {
    Txt_Type = text;
    Cmd_Ok_Enabled = core::HasText(Txt_Type);
    TypeTextSelected = false;
}

void Frm_NewType::Cmd_Ok_Click() {
    if (!Cmd_Ok_Enabled) return;
    if (!options_.CheckTypeName(Txt_Type)) {
        options_.ShowDuplicateType(Txt_Type);
        TypeTextSelected = true;
        return;
    }
    options_.Lv.push_back(JunkType{Txt_Type, Txt_Desc, true});
    Closed = true;
}

// ---- Frm_EditType

Frm_EditType::Frm_EditType(Frm_Clean_Options& options, int row) : options_(options), row_(row) {
    if (row >= 0 && static_cast<size_t>(row) < options.Lv.size()) {
        originalType_ = Txt_Type = options.Lv[static_cast<size_t>(row)].Pattern;
        originalDesc_ = Txt_Desc = options.Lv[static_cast<size_t>(row)].Description;
    }
}

void Frm_EditType::UpdateOk() {
    Cmd_Ok_Enabled = (Txt_Type != originalType_ || Txt_Desc != originalDesc_) && core::HasText(Txt_Type);
    TypeTextSelected = false;
}

void Frm_EditType::Txt_Type_Change(const std::string& text) {
    Txt_Type = text;
    UpdateOk();
}

void Frm_EditType::Txt_Desc_Change(const std::string& text) {
    Txt_Desc = text;
    UpdateOk();
}

void Frm_EditType::Cmd_Ok_Click() {
    if (!Cmd_Ok_Enabled || row_ < 0 || static_cast<size_t>(row_) >= options_.Lv.size()) return;
    const std::string key = LowerForCompare(Txt_Type);
    for (size_t i = 0; i < options_.Lv.size(); ++i) {
        if (static_cast<int>(i) != row_ && LowerForCompare(options_.Lv[i].Pattern) == key) {
            options_.ShowDuplicateType(Txt_Type);
            TypeTextSelected = true;
            return;
        }
    }
    options_.Lv[static_cast<size_t>(row_)].Pattern = Txt_Type;
    options_.Lv[static_cast<size_t>(row_)].Description = Txt_Desc;
    Closed = true;
}

// ---- Frm_Clean_Options

Frm_Clean_Options::Frm_Clean_Options(core::Prompts& prompts) : prompts_(prompts) {}

void Frm_Clean_Options::Redraw() {
    if (Changed) Changed();
}

void Frm_Clean_Options::ShowDuplicateType(const std::string& pattern) {
    prompts_.Message(DuplicateTypeText(pattern), "Error", core::PromptIcon::Exclamation);
}

void Frm_Clean_Options::Form_Load() {
    const std::string tab = core::ReadIni(core::MainIniPath, "Jnk", "Slt", "0");
    SelectedTab = tab == "1" ? 1 : tab == "2" ? 2 : 0;
    ChkDapEnabled = core::RegKeyExists(core::RegRoot::LocalMachine, kDapKey, core::RegView::Bits32);
    ChkDefLoad();
    ChkShortcut = ReadFlag("ish", "0") == 1;
    ChkSkip = ReadFlag("Hr", "1") == 1;
    if (ChkDapEnabled) ChkDap = ReadFlag("SkpDap", "1") == 1;
    ChkAge = ReadFlag("Age", "0") == 1;
    LvSkip = LoadSkipList();
    LvSkipSelected = -1;
    LvSelected = -1;
    UpdateTypeButtons();
    UpdateFolderButtons();
    Redraw();
}

void Frm_Clean_Options::ChkDefLoad() { Lv = junk::ChkDefLoad(); }

void Frm_Clean_Options::Tab_Click(int tab) {
    SelectedTab = tab < 0 || tab > 2 ? 0 : tab;
    Redraw();
}

bool Frm_Clean_Options::CheckTypeName(const std::string& pattern) const {
    const std::string key = LowerForCompare(pattern);
    for (const JunkType& type : Lv)
        if (LowerForCompare(type.Pattern) == key) return false;
    return true;
}

bool Frm_Clean_Options::CheckFolderName(const std::string& folder) const {
    const std::string key = LowerForCompare(folder);
    for (const std::string& row : LvSkip)
        if (LowerForCompare(row) == key) return false;
    return true;
}

void Frm_Clean_Options::UpdateTypeButtons() {
    const bool selected = LvSelected >= 0 && static_cast<size_t>(LvSelected) < Lv.size();
    Cmd_EditType_Enabled = selected;
    Cmd_RemoveType_Enabled = selected;
}

void Frm_Clean_Options::UpdateFolderButtons() {
    Cmd_RemoveFolder_Enabled = LvSkipSelected >= 0 && static_cast<size_t>(LvSkipSelected) < LvSkip.size();
    Cmd_ClearFolders_Enabled = !LvSkip.empty();
    LbFolderNum = "Folders Numder : " + std::to_string(LvSkip.size());
}

void Frm_Clean_Options::Lv_SelectionChanged(int row) {
    LvSelected = row;
    UpdateTypeButtons();
    Redraw();
}

void Frm_Clean_Options::Cmd_AddType_Click() {
    Frm_NewType editor(*this);
    if (ShowNewType) ShowNewType(editor);
    UpdateTypeButtons();
    Redraw();
}

void Frm_Clean_Options::Cmd_EditType_Click() {
    if (LvSelected < 0 || static_cast<size_t>(LvSelected) >= Lv.size()) return;
    Frm_EditType editor(*this, LvSelected);
    if (ShowEditType) ShowEditType(editor);
    Redraw();
}

void Frm_Clean_Options::Cmd_RemoveType_Click() {
    if (LvSelected < 0 || static_cast<size_t>(LvSelected) >= Lv.size()) return;
    Lv.erase(Lv.begin() + LvSelected);
    LvSelected = -1;
    UpdateTypeButtons();
    Redraw();
}

void Frm_Clean_Options::Cmd_Default_Click() {
    if (prompts_.Message("Are you sure you want to load the files types default list", "Clarimo",
                         core::PromptIcon::Exclamation, core::PromptButtons::YesNo) != core::PromptAnswer::Yes)
        return;
    Lv = LoadDefaultTypes();
    BuildJunkPatterns();
    SaveTypeList(Lv);
    LvSelected = -1;
    UpdateTypeButtons();
    Redraw();
}

void Frm_Clean_Options::Lv_KeyDown(int virtualKey) {
    if (LvSelected < 0) return;
    if (virtualKey == kVkReturn) Cmd_EditType_Click();
    if (virtualKey == kVkInsert) Cmd_AddType_Click();
    if (virtualKey == kVkDelete) Cmd_RemoveType_Click();
}

void Frm_Clean_Options::Cmd_AddFolder_Click() {
    const std::string folder = core::ClsFileFolder().BrowseForFolder(prompts_, "Select folder to add to list.");
    if (!CheckFolderName(folder)) {
        prompts_.Message("The folder \"" + folder + "\"\r\n is already exists in folders list.", "Error",
                         core::PromptIcon::Exclamation);
    } else if (core::HasText(folder)) {
        if (platform::GetDriveKind(folder.substr(0, 2) + "\\") == platform::DriveType::CdRom)
            prompts_.Message("This drive is already skipped from scan.", "Clarimo", core::PromptIcon::Exclamation);
        else
            LvSkip.push_back(folder);
    }
    UpdateFolderButtons();
    Redraw();
}

void Frm_Clean_Options::Cmd_RemoveFolder_Click() {
    if (LvSkipSelected < 0 || static_cast<size_t>(LvSkipSelected) >= LvSkip.size()) return;
    LvSkip.erase(LvSkip.begin() + LvSkipSelected);
    LvSkipSelected = -1;
    UpdateFolderButtons();
    Redraw();
}

void Frm_Clean_Options::Cmd_ClearFolders_Click() {
    LvSkip.clear();
    LvSkipSelected = -1;
    UpdateFolderButtons();
    Redraw();
}

void Frm_Clean_Options::LvSkip_SelectionChanged(int row) {
    LvSkipSelected = row;
    UpdateFolderButtons();
    Redraw();
}

void Frm_Clean_Options::LvSkip_KeyDown(int virtualKey) {
    if (LvSkipSelected < 0) return;
    if (virtualKey == kVkInsert) Cmd_AddFolder_Click();
    if (virtualKey == kVkDelete) Cmd_RemoveFolder_Click();
}

void Frm_Clean_Options::Cmd_Ok_Click() {
    core::SettingsBatch batch;  // lists and switches stored together
    Cmd_Ok_Enabled = false;
    Cmd_Cancel_Enabled = false;
    SaveTypeList(Lv);
    // Any difference counts, not only another number of rows: one folder
    // removed and another added must be stored too.
    if (LoadSkipList() != LvSkip) SaveSkipList(LvSkip);
    core::WriteIni(core::MainIniPath, "Jnk", "ish", ChkShortcut ? "1" : "0");
    core::WriteIni(core::MainIniPath, "Jnk", "Hr", ChkSkip ? "1" : "0");
    if (ChkDapEnabled) core::WriteIni(core::MainIniPath, "Jnk", "SkpDap", ChkDap ? "1" : "0");
    core::WriteIni(core::MainIniPath, "Jnk", "Age", ChkAge ? "1" : "0");
    BuildJunkPatterns();
    Form_Unload();
}

void Frm_Clean_Options::Cmd_Cancel_Click() { Form_Unload(); }

void Frm_Clean_Options::Form_Unload() {
    if (Unloaded) return;
    Unloaded = true;
    core::WriteIni(core::MainIniPath, "Jnk", "Slt", std::to_string(SelectedTab));
    Redraw();
}

}  // namespace junk
