#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

TEST(IniFile, MissingFileGivesDefaultAndWriteCreatesIt) {
    testing_support::TempFolder folder;
    const std::string file = folder / "Qxs.ini";
    EXPECT_EQ(platform::ReadIniValue(file, "Main", "Trm", "1"), "1");
    EXPECT_TRUE(platform::WriteIniValue(file, "Main", "Trm", "0"));
    EXPECT_EQ(platform::ReadIniValue(file, "Main", "Trm", "1"), "0");
}
