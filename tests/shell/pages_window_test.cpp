// The options and about pages' real windows under the X display.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/theme.h"
#include "core/settings.h"
#include "platform/module_path.h"
#include "shell/frm_about_window.h"
#include "shell/frm_options_window.h"
#include "shell/themes.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/test_window.h"
#include "support/window_probes.h"

namespace shell {
namespace {

using testing_support::ClickAt;
using testing_support::PumpUntil;
using testing_support::TypeInto;
using testing_support::WindowText;

class PagesWindowTest : public ::testing::Test {
protected:
    PagesWindowTest() { core::SetSettingsPaths(program_.path()); }
    ~PagesWindowTest() override { ApplyTheme(0); }

    testing_support::TempFolder program_;
    testing_support::ScriptedPrompts prompts_;
    testing_support::TestWindow host_{640, 440};
};

TEST_F(PagesWindowTest, OptionsPageLoadsTheSettingsAndSavesItsControlsChanges) {
    core::WriteIni(core::MainIniPath, "Options", "Thm", "2");
    core::WriteIni(core::MainIniPath, "Options", "DType", "2");
    core::WriteIni(core::MainIniPath, "Options", "ConDlg", "0");
    Frm_Options page(prompts_);
    int junkOptionsShown = 0;
    page.showJunkOptions = [&] { ++junkOptionsShown; };
    Frm_OptionsWindow window(page);
    ASSERT_TRUE(window.Create(host_.hwnd()));
    const auto control = [&](Frm_OptionsWindow::ControlId id) { return window.Control(id); };
    const auto checked = [&](Frm_OptionsWindow::ControlId id) {
        return ::IsDlgButtonChecked(window.Panel(), id) == BST_CHECKED;
    };
    // The load timer fills the controls, then shows the panel.
    ASSERT_TRUE(PumpUntil([&] { return !page.Loading() && ::IsWindowVisible(window.Panel()); }));
    EXPECT_EQ(::SendMessageW(control(Frm_OptionsWindow::kCmbTheme), CB_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(checked(Frm_OptionsWindow::kOpt2));
    EXPECT_FALSE(checked(Frm_OptionsWindow::kChkCon));

    // Clicks reach the page and are saved at once.
    ::SendMessageW(control(Frm_OptionsWindow::kChkCon), BM_CLICK, 0, 0);
    EXPECT_EQ(core::ReadIni(core::MainIniPath, "Options", "ConDlg", ""), "1");
    // Choosing the move without a folder: the picker is cancelled, and the
    // option buttons show the previous choice again.
    ::SendMessageW(control(Frm_OptionsWindow::kOpt3), BM_CLICK, 0, 0);
    EXPECT_EQ(prompts_.folderPrompts.size(), 1u);
    EXPECT_TRUE(checked(Frm_OptionsWindow::kOpt2));
    EXPECT_FALSE(checked(Frm_OptionsWindow::kOpt3));
    // A typed folder reaches the page; one that does not exist undoes the
    // move and shows the balloon.
    TypeInto(control(Frm_OptionsWindow::kTxtMove), "C:\\");
    ::SendMessageW(control(Frm_OptionsWindow::kOpt3), BM_CLICK, 0, 0);
    EXPECT_EQ(core::ReadIni(core::MainIniPath, "Options", "DType", ""), "3");
    TypeInto(control(Frm_OptionsWindow::kTxtMove), "C:\\no such folder");
    EXPECT_TRUE(checked(Frm_OptionsWindow::kOpt2));
    EXPECT_TRUE(::IsWindowVisible(window.ErBalloon().hwnd()));

    // Another theme from the list is applied.
    HWND combo = control(Frm_OptionsWindow::kCmbTheme);
    ::SendMessageW(combo, CB_SETCURSEL, 3, 0);
    ::SendMessageW(window.Panel(), WM_COMMAND, MAKEWPARAM(Frm_OptionsWindow::kCmbTheme, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(controls::ThemeIndex, 3);
    ClickAt(window.JunkOptionsLink().hwnd(), 3, 3);
    EXPECT_EQ(junkOptionsShown, 1);
}

TEST_F(PagesWindowTest, AboutPageLinksOpenTheirTargets) {
    Frm_About page(prompts_);
    std::vector<std::string> opened;
    page.openPath = [&](const std::string& path) {
        opened.push_back(path);
        return true;
    };
    page.sendEmail = [&](const std::string& address) {
        opened.push_back("mail " + address);
        return true;
    };
    page.showUpdate = [&] { opened.push_back("update"); };
    Frm_AboutWindow window(page);
    // Built while its host is hidden, as a page is: the program icon still
    // goes beside the title, not over it.
    ::ShowWindow(host_.hwnd(), SW_HIDE);
    ASSERT_TRUE(window.Create(host_.hwnd()));
    ::ShowWindow(host_.hwnd(), SW_SHOW);
    EXPECT_TRUE(::IsWindowVisible(window.Panel()));
    RECT panel{}, icon{}, name{};
    ::GetWindowRect(window.Panel(), &panel);
    ::GetWindowRect(window.Control(Frm_AboutWindow::kIcon), &icon);
    ::GetWindowRect(window.Control(Frm_AboutWindow::kLblName), &name);
    EXPECT_GT(icon.left, panel.left);  // placed, not left in the corner
    EXPECT_LE(icon.right, name.left);
    EXPECT_EQ(WindowText(window.Control(Frm_AboutWindow::kLblVersion)), "Version 2.1 (Build 15)");
    for (auto* link : {&window.HomeLink(), &window.EmailLink(), &window.ReadmeLink(), &window.UpdateLink()})
        ClickAt(link->hwnd(), 3, 3);
    const std::string readme = platform::ExecutableFolder() + "\\readme.txt";
    EXPECT_EQ(opened, (std::vector<std::string>{"https://www.clarimo.example/programs/qx/index.html",
                                                "mail support@clarimo.example", readme, "update"}));
    EXPECT_TRUE(prompts_.messages.empty());
    // The test runner puts the project's readme beside the test program.
    EXPECT_NE(testing_support::ReadFileBytes(readme).find("Clarimo"), std::string::npos);
}

}  // namespace
}  // namespace shell
