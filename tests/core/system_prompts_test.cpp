#include "core/system_prompts.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "platform/handles.h"
#include "support/dialog_presser.h"
#include "support/temp_folder.h"

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

HICON SystemIcon(const wchar_t* id) { return ::LoadIconW(nullptr, id); }

}  // namespace

TEST(SystemPrompts, MessageBoxesShowTheIconButtonsAndTitleAsked) {
    core::SystemPrompts prompts;
    {
        DialogLook look;
        DialogPresser presser(IDNO, Look(look));
        EXPECT_EQ(prompts.Message("Remove it?", "Clarimo", PromptIcon::Question, PromptButtons::YesNo),
                  PromptAnswer::No);
        ASSERT_TRUE(presser.Finish());
        EXPECT_EQ(presser.title(), "Clarimo");
        EXPECT_EQ(look.icon, SystemIcon(IDI_QUESTION));
        EXPECT_TRUE(look.hasYes && look.hasNo);
        EXPECT_FALSE(look.hasOk);
    }
    {
        DialogLook look;
        DialogPresser presser(IDOK, Look(look));
        EXPECT_EQ(prompts.Message("Device Not Ready ...", "Error", PromptIcon::Critical), PromptAnswer::Ok);
        ASSERT_TRUE(presser.Finish());
        EXPECT_EQ(presser.title(), "Error");
        EXPECT_EQ(look.icon, SystemIcon(IDI_HAND));
        EXPECT_TRUE(look.hasOk);
        EXPECT_FALSE(look.hasYes || look.hasNo);
    }
    {
        DialogLook look;
        DialogPresser presser(IDCANCEL, Look(look));
        EXPECT_EQ(prompts.Message("Careful", "Clarimo", PromptIcon::Exclamation, PromptButtons::OkCancel),
                  PromptAnswer::Cancel);
        ASSERT_TRUE(presser.Finish());
        EXPECT_EQ(look.icon, SystemIcon(IDI_EXCLAMATION));
        EXPECT_TRUE(look.hasOk && look.hasCancel);
    }
    {
        DialogLook look;
        DialogPresser presser(IDYES, Look(look));
        EXPECT_EQ(prompts.Message("\xD0\x94\xD0\xB0?", "Clarimo", PromptIcon::Information, PromptButtons::YesNoCancel),
                  PromptAnswer::Yes);
        ASSERT_TRUE(presser.Finish());
        EXPECT_EQ(look.icon, SystemIcon(IDI_ASTERISK));
        EXPECT_TRUE(look.hasYes && look.hasNo && look.hasCancel);
    }
    {
        DialogLook look;
        DialogPresser presser(IDOK, Look(look));
        EXPECT_EQ(prompts.Message("Plain", "Clarimo", PromptIcon::None), PromptAnswer::Ok);
        ASSERT_TRUE(presser.Finish());
        EXPECT_EQ(look.icon, nullptr);
    }
}

TEST(SystemPrompts, DialogsBelongToTheOwnerWindow) {
    const HWND owner = ::CreateWindowExW(0, L"STATIC", L"Owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                         nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    core::SystemPrompts prompts;
    prompts.SetOwner(owner);
    EXPECT_EQ(prompts.Owner(), owner);
    DialogLook look;
    DialogPresser presser(IDOK, Look(look));
    prompts.Message("Owned", "Clarimo", PromptIcon::Information);
    ASSERT_TRUE(presser.Finish());
    EXPECT_EQ(look.owner, owner);
    ::DestroyWindow(owner);
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
