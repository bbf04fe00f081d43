#include "junk/junk_types.h"

#include <gtest/gtest.h>

#include "core/settings.h"
#include "support/temp_folder.h"

namespace {

// Settings files of the test's own folder.
struct JunkSettings {
    testing_support::TempFolder folder;
    JunkSettings() { core::SetSettingsPaths(folder.path()); }
    void Fts(const std::string& section, const std::string& key, const std::string& value) const {
        core::WriteIni(core::FtsIniPath, section, key, value);
    }
    std::string Fts(const std::string& section, const std::string& key) const {
        return core::ReadIni(core::FtsIniPath, section, key, "<none>");
    }
};

}  // namespace

// First use, and a zero count with stale entries (a lost list): the
// defaults are loaded and written over the stale ones.
TEST(JunkTypes, ZeroCountWritesTheDefaultsAndOnlyCheckedTypesAreSearched) {
    JunkSettings settings;
    settings.Fts("Main", "tln", "0");
    settings.Fts("TypeList", "1Typ", "stale");
    settings.Fts("TypeList", "1Tval", "0");
    EXPECT_EQ(junk::ChkDefLoad(), junk::DefaultJunkTypes());
    EXPECT_EQ(settings.Fts("Main", "tln"), "14");
    EXPECT_EQ(settings.Fts("TypeList", "1Typ") + settings.Fts("TypeList", "1Tval"), "*.temp1");

    // Only checked, non-blank types up to the count take part; the text
    // ends with shortcuts and has no empty parts.
    auto types = junk::DefaultJunkTypes();
    types.resize(3);
    types[1].Pattern = "   ";
    types[2].Checked = false;
    junk::SaveTypeList(types);
    EXPECT_EQ(settings.Fts("TypeList", "14Typ"), "thumbs.db");  // a shorter list leaves stale entries unread
    EXPECT_EQ(junk::LoadTypeList().size(), 2u);
    junk::BuildJunkPatterns();
    EXPECT_EQ(junk::JunkPatterns, "*.temp;*.lnk");
    settings.Fts("TypeList", "1Tval", "0");
    junk::BuildJunkPatterns();
    EXPECT_EQ(junk::JunkPatterns, ";*.lnk");
    EXPECT_TRUE(junk::JunkPatternsEmpty());
}

TEST(JunkTypes, SkipListAndSwitches) {
    JunkSettings settings;
    junk::SaveSkipList({"C:\\Temp", "D:\\\xD0\x90\xD1\x80\xD1\x85\xD0\xB8\xD0\xB2"});  // D:\Архив
    settings.Fts("SkipList", "3skf", "  ");
    settings.Fts("Main", "skn", "3");
    EXPECT_EQ(junk::LoadSkipList(),
              (std::vector<std::string>{"C:\\Temp", "D:\\\xD0\x90\xD1\x80\xD1\x85\xD0\xB8\xD0\xB2"}));

    auto switches = junk::ReadScanSwitches();  // nothing stored: all on but the age filter
    EXPECT_TRUE(switches.ScanShortcuts && switches.SkipProtected && switches.SkipDapFolder);
    EXPECT_FALSE(switches.SkipRecent);
    core::WriteIni(core::MainIniPath, "Jnk", "ish", "2");
    core::WriteIni(core::MainIniPath, "Jnk", "Hr", "7");
    core::WriteIni(core::MainIniPath, "Jnk", "SkpDap", "0");
    core::WriteIni(core::MainIniPath, "Jnk", "Age", "1");
    switches = junk::ReadScanSwitches();
    EXPECT_FALSE(switches.ScanShortcuts);  // out of range counts as 0
    EXPECT_TRUE(switches.SkipProtected);   // out of range counts as 1
    EXPECT_TRUE(!switches.SkipDapFolder && switches.SkipRecent);
}
