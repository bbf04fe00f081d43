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

TEST(JunkTypes, FirstUseWritesTheFourteenDefaults) {
    JunkSettings settings;
    ASSERT_FALSE(testing_support::Exists(core::FtsIniPath));
    const auto types = junk::ChkDefLoad();
    ASSERT_EQ(types.size(), 14u);
    EXPECT_EQ(settings.Fts("Main", "tln"), "14");
    EXPECT_EQ(settings.Fts("TypeList", "1Typ"), "*.temp");
    EXPECT_EQ(settings.Fts("TypeList", "1Dsc"), "Temporary Files");
    EXPECT_EQ(settings.Fts("TypeList", "14Tval"), "0");  // thumbs.db, unticked
    EXPECT_EQ(junk::LoadTypeList(), junk::DefaultJunkTypes());
    EXPECT_EQ(settings.Fts("Main", "skn"), "<none>");  // no default skip list
}

TEST(JunkTypes, ZeroCountWithStaleEntriesLoadsAndWritesTheDefaults) {
    JunkSettings settings;
    settings.Fts("Main", "tln", "0");
    for (int i = 1; i <= 5; ++i) settings.Fts("TypeList", std::to_string(i) + "Typ", "stale" + std::to_string(i));
    settings.Fts("TypeList", "1Tval", "0");
    const auto types = junk::ChkDefLoad();
    EXPECT_EQ(types, junk::DefaultJunkTypes());
    EXPECT_EQ(settings.Fts("TypeList", "1Typ"), "*.temp");
    EXPECT_EQ(settings.Fts("TypeList", "1Tval"), "1");
    EXPECT_EQ(settings.Fts("TypeList", "5Typ"), "*.??~");
}

TEST(JunkTypes, ShortenedListKeepsStaleEntriesUnread) {
    JunkSettings settings;
    auto types = junk::LoadDefaultTypes();
    types.resize(10);
    junk::SaveTypeList(types);
    EXPECT_EQ(settings.Fts("Main", "tln"), "10");
    EXPECT_EQ(settings.Fts("TypeList", "14Typ"), "thumbs.db");  // left in the file
    EXPECT_EQ(junk::LoadTypeList().size(), 10u);
    junk::BuildJunkPatterns();
    EXPECT_EQ(junk::JunkPatterns.find("scandisk"), std::string::npos);
}

TEST(JunkTypes, BlankPatternsAreNeitherLoadedNorSearched) {
    JunkSettings settings;
    settings.Fts("Main", "tln", "4");
    settings.Fts("TypeList", "1Typ", "*.tmp");
    settings.Fts("TypeList", "1Tval", "1");
    settings.Fts("TypeList", "2Typ", "   ");
    settings.Fts("TypeList", "2Tval", "1");
    settings.Fts("TypeList", "3Typ", "*.bak");
    settings.Fts("TypeList", "3Tval", "0");
    // entry 4 is missing altogether: a stored count larger than the entries
    const auto types = junk::LoadTypeList();
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(types[0], (junk::JunkType{"*.tmp", "", true}));
    EXPECT_EQ(types[1], (junk::JunkType{"*.bak", "", false}));
    junk::BuildJunkPatterns();
    EXPECT_EQ(junk::JunkPatterns, "*.tmp;*.lnk");
}

TEST(JunkTypes, PatternTextJoinsCheckedTypesAndEndsWithShortcuts) {
    JunkSettings settings;
    settings.Fts("Main", "tln", "3");
    settings.Fts("TypeList", "1Typ", "*.tmp");
    settings.Fts("TypeList", "1Tval", "1");
    settings.Fts("TypeList", "2Typ", "*.old");
    settings.Fts("TypeList", "2Tval", "0");
    settings.Fts("TypeList", "3Typ", "*.bak");
    settings.Fts("TypeList", "3Tval", "1");
    junk::BuildJunkPatterns();
    EXPECT_EQ(junk::JunkPatterns, "*.tmp;*.bak;*.lnk");
    EXPECT_FALSE(junk::JunkPatternsEmpty());

    settings.Fts("TypeList", "1Tval", "0");  // the last type alone: no ";;"
    junk::BuildJunkPatterns();
    EXPECT_EQ(junk::JunkPatterns, "*.bak;*.lnk");

    settings.Fts("TypeList", "3Tval", "0");
    junk::BuildJunkPatterns();
    EXPECT_EQ(junk::JunkPatterns, ";*.lnk");
    EXPECT_TRUE(junk::JunkPatternsEmpty());
}

TEST(JunkTypes, SkipListAndSwitches) {
    JunkSettings settings;
    EXPECT_TRUE(junk::LoadSkipList().empty());
    junk::SaveSkipList({"C:\\Temp", "D:\\\xD0\x90\xD1\x80\xD1\x85\xD0\xB8\xD0\xB2"});  // D:\Архив
    settings.Fts("SkipList", "3skf", "  ");
    settings.Fts("Main", "skn", "3");
    EXPECT_EQ(junk::LoadSkipList(),
              (std::vector<std::string>{"C:\\Temp", "D:\\\xD0\x90\xD1\x80\xD1\x85\xD0\xB8\xD0\xB2"}));

    auto switches = junk::ReadScanSwitches();  // nothing stored: all on
    EXPECT_TRUE(switches.ScanShortcuts);
    EXPECT_TRUE(switches.SkipProtected);
    EXPECT_TRUE(switches.SkipDapFolder);
    core::WriteIni(core::MainIniPath, "Jnk", "ish", "2");
    core::WriteIni(core::MainIniPath, "Jnk", "Hr", "7");
    core::WriteIni(core::MainIniPath, "Jnk", "SkpDap", "0");
    switches = junk::ReadScanSwitches();
    EXPECT_FALSE(switches.ScanShortcuts);  // out of range counts as 0
    EXPECT_TRUE(switches.SkipProtected);   // out of range counts as 1
    EXPECT_FALSE(switches.SkipDapFolder);
}
