#include "junk/command_line_text.h"

#include <gtest/gtest.h>

using junk::CommandLineAction;

TEST(CommandLineText, ControlCharactersCannotBreakALineAndOnlyDriveLettersAreTaken) {
    EXPECT_EQ(junk::OneLinePath("C:\\a\r\nb\x7F\t.tmp"), "C:\\a<0D><0A>b<7F><09>.tmp");
    EXPECT_EQ(junk::OneLinePath("C:\\\xC3\xA9 x.tmp"), "C:\\\xC3\xA9 x.tmp");  // other characters as they are

    // Only a slash word leaves the window, and drives are letters.
    EXPECT_EQ(junk::ParseCommandLine({}).action, CommandLineAction::Window);
    EXPECT_EQ(junk::ParseCommandLine({"file.txt"}).action, CommandLineAction::Window);
    const auto clean = junk::ParseCommandLine({"/Clean", "d:", "E:\\"});
    EXPECT_EQ(clean.action, CommandLineAction::Clean);
    EXPECT_EQ(clean.drives, (std::vector<char>{'D', 'E'}));
    for (const auto& bad : {std::vector<std::string>{"/scan", "D"}, {"/scan", "1:"}, {"/scan", "D:\\x"}, {"/?", "D:"}})
        EXPECT_EQ(junk::ParseCommandLine(bad).action, CommandLineAction::Bad) << bad[1];
}
