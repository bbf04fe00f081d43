#include <gtest/gtest.h>

#include "core/general.h"

using core::GetProgramPath;
using core::HasText;

TEST(HasText, OnlyTheBlankIsNotText) {
    EXPECT_FALSE(HasText("   "));
    EXPECT_TRUE(HasText(" a "));
    EXPECT_TRUE(HasText("\t"));
    EXPECT_TRUE(HasText(std::string_view("\0", 1)));
    EXPECT_TRUE(HasText(" \xC2\xA0 "));  // a no-break space is text
}

TEST(GetProgramPath, FindsTheProgramInsideACommandLine) {
    EXPECT_EQ(GetProgramPath(""), "");
    EXPECT_EQ(GetProgramPath("rundll32.exe shell32.dll"), "");
    EXPECT_EQ(GetProgramPath("\"C:\\Program Files\\Tool\\tool.exe\" -min"), "C:\\Program Files\\Tool\\tool.exe");
    EXPECT_EQ(GetProgramPath("C:\\x\\icon.ico,0 C:\\y.exe"), "C:\\x\\icon.ico");
    // Names outside ASCII come through whole.
    EXPECT_EQ(GetProgramPath("\"C:\\\xD0\x9F\xD1\x83\xD1\x81\xD0\xBA\\\xE6\xBC\xA2.exe\" /q"),
              "C:\\\xD0\x9F\xD1\x83\xD1\x81\xD0\xBA\\\xE6\xBC\xA2.exe");
    // The first ".exe" ends the path, even inside a folder name.
    EXPECT_EQ(GetProgramPath("C:\\my.exec\\tool.exe"), "C:\\my.exe");
}

TEST(GetProgramPath, MalformedCommandLinesGiveNothing) {
    EXPECT_EQ(GetProgramPath(":\\a.exe"), "") << "no drive letter before the colon";
    EXPECT_EQ(GetProgramPath("C:\\folder\\script.bat"), "");
    EXPECT_EQ(GetProgramPath("x.exe C:\\folder"), "") << "extension before the drive";
    EXPECT_EQ(GetProgramPath("a.ico C:\\a.exe"), "") << "an icon before the drive wins and leaves nothing";
    EXPECT_EQ(GetProgramPath("C:\\.exe"), "C:\\.exe");
    EXPECT_EQ(GetProgramPath("x.exe:\\"), "") << "shorter than four characters";
}
