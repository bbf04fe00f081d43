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
    static void Fts(const std::string& section, const std::string& key, const std::string& value) {
        core::WriteIni(core::FtsIniPath, section, key, value);
    }
};

}  // namespace

// A first load over a stored skip list: the folder editors refuse a
// duplicate in another case and a cancelled browse; Ok stores the switches,
// the patterns, the tab and the skip list (same length, other folders).
TEST(FrmCleanOptions, OkStoresSwitchesTabAndSkipListEditedPastDuplicatesAndACancelledBrowse) {
    Options o(false);
    const std::string archive = "D:\\\xD0\x90\xD1\x80\xD1\x85\xD0\xB8\xD0\xB2";  // D:\Архив
    junk::SaveSkipList({"c:\\temp", archive});
    o.form.Form_Load();
    o.form.ChkShortcut = true;
    o.form.ChkSkip = false;
    o.form.ChkAge = true;
    o.form.Lv[0].Checked = false;
    o.form.Tab_Click(2);
    o.prompts.folderAnswers = {"C:\\Temp", "", "C:\\C"};
    o.form.Cmd_AddFolder_Click();
    EXPECT_EQ(o.prompts.messages.at(0).text, "The folder \"C:\\Temp\"\r\n is already exists in folders list.");
    o.form.Cmd_AddFolder_Click();  // cancelled: nothing
    o.form.LvSkip_SelectionChanged(0);
    o.form.LvSkip_KeyDown(0x2E);  // Delete
    o.form.Cmd_AddFolder_Click();
    o.form.Cmd_Ok_Click();
    EXPECT_EQ(junk::LoadSkipList(), (std::vector<std::string>{archive, "C:\\C"}));
    EXPECT_EQ(Options::Jnk("ish") + Options::Jnk("Hr") + Options::Jnk("Age") + Options::Jnk("Slt"), "1012");
    EXPECT_EQ(junk::JunkPatterns.rfind("*.tmp;", 0), 0u);  // rebuilt without "*.temp"
    junk::Frm_Clean_Options again(o.prompts);
    again.Form_Load();
    EXPECT_TRUE(again.SelectedTab == 2 && again.ChkAge);
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

    o.prompts.messageAnswers = {core::PromptAnswer::No};
    o.form.Cmd_Default_Click();
    EXPECT_EQ(o.form.Lv.back().Pattern, " *.log");
    o.form.Cmd_Default_Click();  // Yes
    o.form.Cmd_Cancel_Click();
    EXPECT_EQ(junk::LoadTypeList(), junk::DefaultJunkTypes());
}

// First use, and a zero count with stale entries (a lost list): the
// defaults are loaded and written over the stale ones.
TEST(JunkTypes, ZeroCountWritesTheDefaultsAndOnlyCheckedTypesAreSearched) {
    Options o(false);
    Options::Fts("Main", "tln", "0");
    Options::Fts("TypeList", "1Typ", "stale");
    Options::Fts("TypeList", "1Tval", "0");
    EXPECT_EQ(junk::ChkDefLoad(), junk::DefaultJunkTypes());
    EXPECT_EQ(junk::LoadTypeList(), junk::DefaultJunkTypes());  // written over the stale entries

    // Only checked, non-blank types up to the count take part; the text
    // ends with shortcuts and has no empty parts.
    auto types = junk::DefaultJunkTypes();
    types.resize(3);
    types[1].Pattern = "   ";
    types[2].Checked = false;
    junk::SaveTypeList(types);
    EXPECT_EQ(junk::LoadTypeList().size(), 2u);
    junk::BuildJunkPatterns();
    EXPECT_EQ(junk::JunkPatterns, "*.temp;*.lnk");

    // A blank skipped folder is not loaded.
    Options::Fts("SkipList", "1skf", "  ");
    Options::Fts("Main", "skn", "1");
    EXPECT_TRUE(junk::LoadSkipList().empty());
}
