#include "junk/frm_clean_options.h"

#include <gtest/gtest.h>

#include "core/settings.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"

namespace {

struct Options {
    testing_support::TempFolder folder;
    testing_support::ScriptedPrompts prompts;
    junk::Frm_Clean_Options form{prompts};
    explicit Options(bool load = true) {
        core::SetSettingsPaths(folder.path());
        if (load) form.Form_Load();
    }
    int Row(const std::string& pattern) const {
        for (size_t i = 0; i < form.Lv.size(); ++i)
            if (form.Lv[i].Pattern == pattern) return static_cast<int>(i);
        return -1;
    }
};

}  // namespace

TEST(FrmCleanOptions, FirstLoadShowsDefaultsAndOkStoresTheSwitches) {
    Options o;
    EXPECT_EQ(o.form.Lv, junk::DefaultJunkTypes());
    EXPECT_EQ(core::ReadIni(core::FtsIniPath, "Main", "tln", ""), "14");
    EXPECT_FALSE(o.form.ChkShortcut);  // ish absent shows unchecked here
    EXPECT_TRUE(o.form.ChkSkip);
    EXPECT_FALSE(o.form.ChkDapEnabled);  // no Download Accelerator on this machine
    EXPECT_EQ(o.form.LbFolderNum, "Folders Numder : 0");
    EXPECT_FALSE(o.form.Cmd_EditType_Enabled);
    EXPECT_FALSE(o.form.Cmd_ClearFolders_Enabled);
    o.form.ChkShortcut = true;
    o.form.ChkSkip = false;
    o.form.Lv[0].Checked = false;
    o.form.Cmd_Ok_Click();
    EXPECT_TRUE(o.form.Unloaded);
    EXPECT_EQ(core::ReadIni(core::MainIniPath, "Jnk", "ish", ""), "1");
    EXPECT_EQ(core::ReadIni(core::MainIniPath, "Jnk", "Hr", ""), "0");
    EXPECT_EQ(core::ReadIni(core::MainIniPath, "Jnk", "SkpDap", "<none>"), "<none>");
    EXPECT_EQ(junk::JunkPatterns.rfind("*.tmp;", 0), 0u);  // rebuilt without "*.temp"
}

TEST(FrmCleanOptions, TabIsRememberedAcrossLoads) {
    Options o;
    EXPECT_EQ(o.form.SelectedTab, 0);
    o.form.Tab_Click(2);
    o.form.Cmd_Cancel_Click();
    EXPECT_EQ(core::ReadIni(core::MainIniPath, "Jnk", "Slt", ""), "2");
    junk::Frm_Clean_Options again(o.prompts);
    again.Form_Load();
    EXPECT_EQ(again.SelectedTab, 2);
}

TEST(FrmCleanOptions, DefaultListThenCancelKeepsTheDefaults) {
    Options o(false);
    junk::SaveTypeList({{"*.abc", "mine", true}, {"*.def", "", false}});
    o.form.Form_Load();
    ASSERT_EQ(o.form.Lv.size(), 2u);
    o.prompts.messageAnswers = {core::PromptAnswer::No};
    o.form.Cmd_Default_Click();
    EXPECT_EQ(o.form.Lv.size(), 2u);
    o.form.Cmd_Default_Click();  // Yes
    EXPECT_EQ(o.prompts.messages.back().text, "Are you sure you want to load the files types default list");
    EXPECT_EQ(o.prompts.messages.back().icon, core::PromptIcon::Exclamation);
    o.form.Cmd_Cancel_Click();
    EXPECT_EQ(junk::LoadTypeList(), junk::DefaultJunkTypes());
}

TEST(FrmCleanOptions, SkipListEditsOfTheSameLengthAreStored) {
    Options o(false);
    junk::SaveSkipList({"C:\\A", "C:\\B"});
    o.form.Form_Load();
    EXPECT_EQ(o.form.LbFolderNum, "Folders Numder : 2");
    o.form.LvSkip_SelectionChanged(0);
    EXPECT_TRUE(o.form.Cmd_RemoveFolder_Enabled);
    o.form.LvSkip_KeyDown(0x2E);  // Delete
    o.prompts.folderAnswers = {"C:\\C"};
    o.form.Cmd_AddFolder_Click();
    EXPECT_EQ(o.prompts.folderPrompts.back(), "Select folder to add to list.");
    o.form.Cmd_Ok_Click();
    EXPECT_EQ(junk::LoadSkipList(), (std::vector<std::string>{"C:\\B", "C:\\C"}));
}

TEST(FrmCleanOptions, DuplicateFolderAndCancelledBrowse) {
    Options o(false);
    junk::SaveSkipList({"c:\\temp"});
    o.form.Form_Load();
    o.prompts.folderAnswers = {"C:\\Temp", ""};
    o.form.Cmd_AddFolder_Click();
    ASSERT_EQ(o.prompts.messages.size(), 1u);
    EXPECT_EQ(o.prompts.messages[0].text, "The folder \"C:\\Temp\"\r\n is already exists in folders list.");
    EXPECT_EQ(o.prompts.messages[0].title, "Error");
    o.form.Cmd_AddFolder_Click();  // cancelled: nothing
    EXPECT_EQ(o.form.LvSkip.size(), 1u);
    EXPECT_EQ(o.prompts.messages.size(), 1u);
    o.form.Cmd_ClearFolders_Click();
    EXPECT_TRUE(o.form.LvSkip.empty());
    EXPECT_FALSE(o.form.Cmd_ClearFolders_Enabled);
}

TEST(FrmCleanOptions, NewTypeEditor) {
    Options o;
    o.form.ShowNewType = [&](junk::Frm_NewType& editor) {
        editor.Txt_Desc_Change("description only");
        EXPECT_FALSE(editor.Cmd_Ok_Enabled);
        editor.Txt_Type_Change("*.TMP");
        EXPECT_TRUE(editor.Cmd_Ok_Enabled);
        editor.Cmd_Ok_Click();
        EXPECT_FALSE(editor.Closed);
        EXPECT_TRUE(editor.TypeTextSelected);
        editor.Txt_Type_Change(" *.log");
        editor.Cmd_Ok_Click();
        EXPECT_TRUE(editor.Closed);
    };
    o.form.Cmd_AddType_Click();
    ASSERT_EQ(o.prompts.messages.size(), 1u);
    EXPECT_EQ(o.prompts.messages[0].text, "The type \"*.TMP\" is already exists in files types list.");
    EXPECT_EQ(o.prompts.messages[0].title, "Error");
    ASSERT_EQ(o.form.Lv.size(), 15u);
    EXPECT_EQ(o.form.Lv.back(), (junk::JunkType{" *.log", "description only", true}));
    EXPECT_TRUE(o.form.CheckTypeName("*.log"));  // the blank makes another pattern
}

TEST(FrmCleanOptions, EditTypeEditor) {
    Options o;
    o.form.Lv_SelectionChanged(o.Row("*.bak"));
    EXPECT_TRUE(o.form.Cmd_EditType_Enabled);
    o.form.ShowEditType = [&](junk::Frm_EditType& editor) {
        EXPECT_EQ(editor.Txt_Type, "*.bak");
        EXPECT_FALSE(editor.Cmd_Ok_Enabled);
        editor.Txt_Desc_Change("Backups");
        EXPECT_TRUE(editor.Cmd_Ok_Enabled);
        editor.Txt_Desc_Change("Temporary backup files");  // typed back
        EXPECT_FALSE(editor.Cmd_Ok_Enabled);
        editor.Txt_Desc_Change("Backups");
        editor.Cmd_Ok_Click();
        EXPECT_TRUE(editor.Closed);
    };
    o.form.Lv_KeyDown(0x0D);  // Enter
    EXPECT_EQ(o.form.Lv[o.Row("*.bak")], (junk::JunkType{"*.bak", "Backups", true}));

    o.form.Lv_SelectionChanged(o.Row("*.old"));
    o.form.ShowEditType = [&](junk::Frm_EditType& editor) {
        editor.Txt_Type_Change("*.BAK");
        editor.Cmd_Ok_Click();
        EXPECT_FALSE(editor.Closed);  // another row has it
        editor.Txt_Type_Change("*.OLD");
        editor.Cmd_Ok_Click();
        EXPECT_TRUE(editor.Closed);
    };
    o.form.Cmd_EditType_Click();
    EXPECT_EQ(o.prompts.messages.size(), 1u);
    EXPECT_NE(o.Row("*.OLD"), -1);

    o.form.Lv_SelectionChanged(o.Row("*.OLD"));
    o.form.Lv_KeyDown(0x2E);  // Delete
    EXPECT_EQ(o.Row("*.OLD"), -1);
    EXPECT_FALSE(o.form.Cmd_RemoveType_Enabled);
    o.form.Lv_KeyDown(0x2E);  // nothing selected: nothing happens
    EXPECT_EQ(o.form.Lv.size(), 13u);
}
