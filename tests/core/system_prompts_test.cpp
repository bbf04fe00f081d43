#include "core/system_prompts.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/handles.h"
#include "support/dialog_presser.h"
#include "support/temp_folder.h"
#include "support/test_window.h"

using core::PromptAnswer;
using core::PromptButtons;
using core::PromptIcon;
using testing_support::DialogPresser;

namespace {

// What a test sees of a dialog before its button is pressed.
struct DialogLook {
    HICON icon = nullptr;
    bool hasOk = false, hasCancel = false, hasYes = false, hasNo = false;
    HWND owner = nullptr;
};

BOOL CALLBACK FindIcon(HWND child, LPARAM parameter) {
    wchar_t className[16] = {};
    ::GetClassNameW(child, className, 16);
    if (_wcsicmp(className, L"Static") == 0 && (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        *reinterpret_cast<HICON*>(parameter) = reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0));
        return FALSE;
    }
    return TRUE;
}

std::function<void(HWND)> Look(DialogLook& look) {
    return [&look](HWND dialog) {
        ::EnumChildWindows(dialog, FindIcon, reinterpret_cast<LPARAM>(&look.icon));
        look.hasOk = ::GetDlgItem(dialog, IDOK) != nullptr;
        look.hasCancel = ::GetDlgItem(dialog, IDCANCEL) != nullptr;
        look.hasYes = ::GetDlgItem(dialog, IDYES) != nullptr;
        look.hasNo = ::GetDlgItem(dialog, IDNO) != nullptr;
        look.owner = ::GetWindow(dialog, GW_OWNER);
    };
}

}  // namespace

// Each box shows the icon and buttons asked, belongs to the owner window and
// answers with the button pressed.
TEST(SystemPrompts, MessageBoxesShowWhatIsAskedOverTheirOwner) {
    testing_support::TestWindow owner(200, 100);
    core::SystemPrompts prompts;
    prompts.SetOwner(owner.hwnd());
    EXPECT_EQ(prompts.Owner(), owner.hwnd());
    const struct {
        PromptIcon icon;
        PromptButtons buttons;
        int press;
        PromptAnswer answer;
        const wchar_t* systemIcon;  // null: no icon
        std::vector<int> shown;
    } cases[] = {
        {PromptIcon::Question, PromptButtons::YesNo, IDNO, PromptAnswer::No, IDI_QUESTION, {IDYES, IDNO}},
        {PromptIcon::Critical, PromptButtons::Ok, IDOK, PromptAnswer::Ok, IDI_HAND, {IDOK}},
        {PromptIcon::Exclamation,
         PromptButtons::OkCancel,
         IDCANCEL,
         PromptAnswer::Cancel,
         IDI_EXCLAMATION,
         {IDOK, IDCANCEL}},
        {PromptIcon::Information,
         PromptButtons::YesNoCancel,
         IDYES,
         PromptAnswer::Yes,
         IDI_ASTERISK,
         {IDYES, IDNO, IDCANCEL}},
        {PromptIcon::None, PromptButtons::Ok, IDOK, PromptAnswer::Ok, nullptr, {IDOK}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.press);
        DialogLook look;
        DialogPresser presser(c.press, Look(look));
        EXPECT_EQ(prompts.Message("\xD0\x94\xD0\xB0?", "Clarimo", c.icon, c.buttons), c.answer);
        ASSERT_TRUE(presser.Finish());
        EXPECT_EQ(presser.title(), "Clarimo");
        EXPECT_EQ(look.icon, c.systemIcon ? ::LoadIconW(nullptr, c.systemIcon) : nullptr);
        const auto shown = [&](int id) { return std::find(c.shown.begin(), c.shown.end(), id) != c.shown.end(); };
        EXPECT_EQ(look.hasOk, shown(IDOK));
        EXPECT_EQ(look.hasCancel, shown(IDCANCEL));
        EXPECT_EQ(look.hasYes, shown(IDYES));
        EXPECT_EQ(look.hasNo, shown(IDNO));
        EXPECT_EQ(look.owner, owner.hwnd());
    }
}

TEST(SystemPrompts, FolderPickerAndFileDialogs) {
    core::SystemPrompts prompts;
    {
        DialogPresser presser(IDCANCEL);
        EXPECT_EQ(prompts.BrowseForFolder("Choose a folder", 67), "");
        EXPECT_TRUE(presser.Finish());
    }
    testing_support::TempFolder folder;
    testing_support::WriteFile(folder / "pick.txt", "x");
    core::FileDialogOptions options;
    options.title = "Open the list";
    options.filter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*";
    options.initialFolder = folder.path();
    options.initialName = "pick.txt";
    {
        DialogPresser presser(IDOK);
        EXPECT_EQ(prompts.OpenFile(options), folder / "pick.txt");
        ASSERT_TRUE(presser.Finish());
        EXPECT_EQ(presser.title(), "Open the list");
    }
    {
        DialogPresser presser(IDCANCEL);
        EXPECT_EQ(prompts.OpenFile(options), "");
        EXPECT_TRUE(presser.Finish());
    }
    options.title = "Save the report";
    options.initialName = "report";
    options.defaultExtension = "txt";
    {
        DialogPresser presser(IDOK);
        EXPECT_EQ(prompts.SaveFile(options), folder / "report.txt");
        ASSERT_TRUE(presser.Finish());
        EXPECT_EQ(presser.title(), "Save the report");
    }
}
