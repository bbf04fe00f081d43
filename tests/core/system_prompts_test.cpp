#include "core/system_prompts.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "support/modal_steps.h"
#include "support/temp_folder.h"
#include "support/test_window.h"

using core::PromptAnswer;
using core::PromptButtons;
using core::PromptIcon;
using testing_support::DialogPresser;

// Each box belongs to the owner window and answers with the button pressed.
TEST(SystemPrompts, MessageBoxesAnswerWithTheButtonPressedOverTheirOwner) {
    testing_support::TestWindow owner(200, 100);
    core::SystemPrompts prompts;
    prompts.SetOwner(owner.hwnd());
    const struct {
        PromptIcon icon;
        PromptButtons buttons;
        int press;
        PromptAnswer answer;
    } cases[] = {
        {PromptIcon::Question, PromptButtons::YesNo, IDNO, PromptAnswer::No},
        {PromptIcon::Critical, PromptButtons::Ok, IDOK, PromptAnswer::Ok},
        {PromptIcon::Exclamation, PromptButtons::OkCancel, IDCANCEL, PromptAnswer::Cancel},
        {PromptIcon::Information, PromptButtons::YesNoCancel, IDYES, PromptAnswer::Yes},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.press);
        HWND shownOver = nullptr;
        DialogPresser presser(c.press, [&](HWND dialog) { shownOver = ::GetWindow(dialog, GW_OWNER); });
        EXPECT_EQ(prompts.Message("\xD0\x94\xD0\xB0?", "Clarimo", c.icon, c.buttons), c.answer);
        ASSERT_TRUE(presser.Finish());
        EXPECT_EQ(presser.title(), "Clarimo");
        EXPECT_EQ(shownOver, owner.hwnd());
    }
}

TEST(SystemPrompts, FileDialogsAnswerThePathChosenOrNothing) {
    core::SystemPrompts prompts;
    testing_support::TempFolder folder;
    core::FileDialogOptions options;
    options.title = "Save the report";
    options.filter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*";
    options.initialFolder = folder.path();
    options.initialName = "report";
    options.defaultExtension = "txt";
    for (const int press : {IDCANCEL, IDOK}) {
        DialogPresser presser(press);
        EXPECT_EQ(prompts.SaveFile(options), press == IDOK ? folder / "report.txt" : "");
        ASSERT_TRUE(presser.Finish());
        EXPECT_EQ(presser.title(), "Save the report");
    }
}
