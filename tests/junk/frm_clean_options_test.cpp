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
    static std::string Jnk(const std::string& key) { return core::ReadIni(core::MainIniPath, "Jnk", key, "<none>"); }
};

}  // namespace

TEST(FrmCleanOptions, FirstLoadShowsDefaultsOkStoresTheSwitchesAndTheTabIsKept) {
    Options o;
    EXPECT_FALSE(o.form.ChkShortcut || o.form.ChkAge);  // ish absent shows unchecked here
    o.form.ChkShortcut = true;
    o.form.ChkSkip = false;
    o.form.ChkAge = true;
    o.form.Lv[0].Checked = false;
    o.form.Tab_Click(2);
    o.form.Cmd_Ok_Click();
    EXPECT_EQ(Options::Jnk("ish") + Options::Jnk("Hr") + Options::Jnk("Age") + Options::Jnk("Slt"), "1012");
    EXPECT_EQ(Options::Jnk("SkpDap"), "<none>");           // no Download Accelerator on this machine
    EXPECT_EQ(junk::JunkPatterns.rfind("*.tmp;", 0), 0u);  // rebuilt without "*.temp"
    junk::Frm_Clean_Options again(o.prompts);
    again.Form_Load();
    EXPECT_EQ(again.SelectedTab, 2);
    EXPECT_TRUE(again.ChkAge);
}

TEST(FrmCleanOptions, SkipListEditsDuplicatesAndCancelledBrowse) {
    Options o(false);
    junk::SaveSkipList({"c:\\temp", "C:\\B"});
    o.form.Form_Load();
    o.prompts.folderAnswers = {"C:\\Temp", "", "C:\\C"};
    o.form.Cmd_AddFolder_Click();
    EXPECT_EQ(o.prompts.messages.at(0).text, "The folder \"C:\\Temp\"\r\n is already exists in folders list.");
    o.form.Cmd_AddFolder_Click();  // cancelled: nothing
    o.form.LvSkip_SelectionChanged(0);
    o.form.LvSkip_KeyDown(0x2E);  // Delete
    o.form.Cmd_AddFolder_Click();
    o.form.Cmd_Ok_Click();  // the same length, other folders: stored
    EXPECT_EQ(junk::LoadSkipList(), (std::vector<std::string>{"C:\\B", "C:\\C"}));
}

TEST(FrmCleanOptions, TypeEditorsRefuseDuplicatesAndTheDefaultListIsStoredAtOnce) {
    Options o;
    o.form.ShowNewType = [&](junk::Frm_NewType& editor) {
        editor.Txt_Desc_Change("description only");
        EXPECT_FALSE(editor.Cmd_Ok_Enabled);
        editor.Txt_Type_Change("*.TMP");
        editor.Cmd_Ok_Click();
        EXPECT_TRUE(editor.TypeTextSelected && !editor.Closed);
        editor.Txt_Type_Change(" *.log");  // the blank makes another pattern
        editor.Cmd_Ok_Click();
    };
    o.form.Cmd_AddType_Click();
    EXPECT_EQ(o.prompts.messages.at(0).text, "The type \"*.TMP\" is already exists in files types list.");
    EXPECT_EQ(o.form.Lv.back(), (junk::JunkType{" *.log", "description only", true}));

    constexpr int kOld = 8;  // "*.old" in the default list
    o.form.Lv_SelectionChanged(kOld);
    o.form.ShowEditType = [&](junk::Frm_EditType& editor) {
        editor.Txt_Desc_Change("Old");
        editor.Txt_Desc_Change("Temporary backup files");  // typed back
        EXPECT_FALSE(editor.Cmd_Ok_Enabled);
        editor.Txt_Type_Change("*.BAK");
        editor.Cmd_Ok_Click();
        EXPECT_FALSE(editor.Closed);  // another row has it
        editor.Txt_Type_Change("*.OLD");
        editor.Cmd_Ok_Click();
    };
    o.form.Lv_KeyDown(0x0D);  // Enter
    EXPECT_EQ(o.prompts.messages.size(), 2u);
    EXPECT_EQ(o.form.Lv[kOld].Pattern, "*.OLD");
    o.form.Lv_SelectionChanged(kOld);
    o.form.Lv_KeyDown(0x2E);  // Delete
    EXPECT_EQ(o.form.Lv[kOld].Pattern, "*.chk");
    o.form.Lv_KeyDown(0x2E);  // nothing selected: nothing happens
    EXPECT_EQ(o.form.Lv.size(), 14u);

    o.prompts.messageAnswers = {core::PromptAnswer::No};
    o.form.Cmd_Default_Click();
    EXPECT_EQ(o.form.Lv.back().Pattern, " *.log");
    o.form.Cmd_Default_Click();  // Yes
    EXPECT_EQ(o.prompts.messages.back().text, "Are you sure you want to load the files types default list");
    o.form.Cmd_Cancel_Click();
    EXPECT_EQ(junk::LoadTypeList(), junk::DefaultJunkTypes());
}
