#include "core/system_prompts.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "platform/handles.h"
#include "support/dialog_presser.h"
#include "support/temp_folder.h"
#include "support/test_window.h"

using core::PromptAnswer;
using core::PromptButtons;
using core::PromptIcon;
using testing_support::DialogPresser;

namespace {

BOOL CALLBACK FindIcon(HWND child, LPARAM found) {
    if ((::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) return TRUE;  // no button has this style
    *reinterpret_cast<HICON*>(found) = reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0));
    return FALSE;
}

}  // namespace

// Each box belongs to the owner window, shows the icon asked and answers
// with the button pressed.
TEST(SystemPrompts, MessageBoxesAnswerWithTheButtonPressedOverTheirOwner) {
    testing_support::TestWindow owner(200, 100);
    core::SystemPrompts prompts;
    prompts.SetOwner(owner.hwnd());
    const struct {
        PromptIcon icon;
        PromptButtons buttons;
        int press;
        PromptAnswer answer;
        const wchar_t* systemIcon;  // null: no icon
    } cases[] = {
        {PromptIcon::Question, PromptButtons::YesNo, IDNO, PromptAnswer::No, IDI_QUESTION},
        {PromptIcon::Critical, PromptButtons::Ok, IDOK, PromptAnswer::Ok, IDI_HAND},
        {PromptIcon::Exclamation, PromptButtons::OkCancel, IDCANCEL, PromptAnswer::Cancel, IDI_EXCLAMATION},
        {PromptIcon::Information, PromptButtons::YesNoCancel, IDYES, PromptAnswer::Yes, IDI_ASTERISK},
        {PromptIcon::None, PromptButtons::Ok, IDOK, PromptAnswer::Ok, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.press);
        HWND shownOver = nullptr;
        HICON icon = nullptr;
        DialogPresser presser(c.press, [&](HWND dialog) {
            shownOver = ::GetWindow(dialog, GW_OWNER);
            ::EnumChildWindows(dialog, FindIcon, reinterpret_cast<LPARAM>(&icon));
        });
        EXPECT_EQ(prompts.Message("\xD0\x94\xD0\xB0?", "Clarimo", c.icon, c.buttons), c.answer);
        ASSERT_TRUE(presser.Finish());
        EXPECT_EQ(presser.title(), "Clarimo");
        EXPECT_EQ(shownOver, owner.hwnd());
        EXPECT_EQ(icon, c.systemIcon ? ::LoadIconW(nullptr, c.systemIcon) : nullptr);
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
