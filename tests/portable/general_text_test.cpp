#include <gtest/gtest.h>

#include "core/general.h"

using core::HasText;

TEST(HasText, OnlyTheBlankIsNotText) {
    EXPECT_FALSE(HasText("   "));
    EXPECT_TRUE(HasText("\t") && HasText(std::string_view("\0", 1)));
    EXPECT_TRUE(HasText(" \xC2\xA0 "));  // a no-break space is text
}

// The fuzz target checks that any answer is a piece of the line from a drive
// letter to ".exe" or ".ico"; these rows pick which piece.
TEST(GetProgramPath, FindsTheProgramInsideACommandLineOrGivesNothing) {
    const struct {
        const char *line, *program;
    } rows[] = {
        {"rundll32.exe shell32.dll", ""},
        {"\"C:\\Program Files\\Tool\\tool.exe\" -min", "C:\\Program Files\\Tool\\tool.exe"},
        {"C:\\x\\icon.ico,0 C:\\y.exe", "C:\\x\\icon.ico"},
        {"\"C:\\\xD0\x9F\xD1\x83\xD1\x81\xD0\xBA\\\xE6\xBC\xA2.exe\" /q",
         "C:\\\xD0\x9F\xD1\x83\xD1\x81\xD0\xBA\\\xE6\xBC\xA2.exe"},
        {"C:\\my.exec\\tool.exe", "C:\\my.exe"},  // the first ".exe" ends it, even inside a folder name
        {"C:\\folder\\script.bat", ""},
        {"x.exe C:\\folder", ""},  // extension before the drive
        {"a.ico C:\\a.exe", ""},   // an icon before the drive wins and leaves nothing
        {"x.exe:\\", ""},          // shorter than four characters
    };
    for (const auto& row : rows) EXPECT_EQ(core::GetProgramPath(row.line), row.program) << row.line;
}
