#include "shell/frm_main.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/results_tally.h"
#include "core/settings.h"
#include "platform/dpi.h"
#include "platform/handles.h"
#include "platform/message_pump.h"
#include "platform/module_path.h"
#include "platform/window_text.h"
#include "shell/frm_about_window.h"
#include "shell/frm_main_window.h"
#include "support/modal_steps.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/test_window.h"
#include "support/window_probes.h"

namespace {

class FrmMainTest : public testing::Test {
protected:
    void SetUp() override { core::SetSettingsPaths(folder_.path()); }
    void TearDown() override { ::SetErrorMode(errorMode_); }

    void WriteSettings(const std::string& text) { testing_support::WriteFile(folder_ / "Qxs.ini", text); }
    std::string Setting(const std::string& key) { return core::ReadIni(core::MainIniPath, "Main", key, "<missing>"); }

    const UINT errorMode_ = ::GetErrorMode();
    testing_support::TempFolder folder_;
    int ended_ = 0;
};

TEST_F(FrmMainTest, LoadRestoresPageAndViewAndMarksTheRun) {
    const struct {
        const char* settings;
        int page;
        bool compact;
    } cases[] = {
        {"", 0, false},
        {"[Main]\r\nCb= 3\r\nVmode=1\r\n", 3, true},
        {"[Main]\r\nCb=6\r\nVmode=2\r\n", 0, false},  // beyond the last page
        {"[Main]\r\nCb=-1\r\nVmode=x\r\n", 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings);
        WriteSettings(c.settings);
        shell::FrmMain form([this] { ++ended_; });
        form.Form_Load();
        EXPECT_EQ(form.CurrentPage, c.page);
        EXPECT_EQ(form.CompactView, c.compact);
        EXPECT_EQ(Setting("Trm"), "0");
    }
}

TEST_F(FrmMainTest, CloseRunsTheShutDownOnceAndShowsItsProgressInTheCaption) {
    shell::FrmMain form([this] { ++ended_; });
    std::vector<std::string> captions;
    form.OnCaptionChanged([&](const std::string& caption) { captions.push_back(caption); });
    int unloads = 0;
    form.OtherWindows.Register("Frm_Options", [&] {
        ++unloads;
        form.Cmd_Close_Click();  // a close that arrives during the shut-down
    });
    form.Form_Load();
    form.CurrentPage = 2;
    form.CompactView = true;

    form.Cmd_Close_Click();
    form.Form_Unload();

    EXPECT_EQ(ended_, 1);
    EXPECT_EQ(unloads, 1);
    EXPECT_EQ(captions, (std::vector<std::string>{"Clarimo 2.1 -.", "Clarimo 2.1 -..", "Clarimo 2.1 -..."}));
    EXPECT_EQ(Setting("Cb"), " 2");
    EXPECT_EQ(Setting("Vmode"), "1");
}

// The orderly end at a session end is checked on the real program; here,
// the end that another program cancels.
TEST_F(FrmMainTest, SessionEndIsAnOrderlyEndUnlessItIsCancelled) {
    shell::FrmMain form([this] { ++ended_; });
    int saves = 0;
    form.OtherWindows.Register(
        "Frm_Startup", [] {}, [&] { ++saves; });
    form.Form_Load();
    EXPECT_TRUE(form.Form_QueryEndSession());
    EXPECT_EQ(Setting("Trm"), "1");
    EXPECT_EQ(saves, 1);
    form.Form_EndSession(false);  // another program refused: the run goes on
    EXPECT_EQ(Setting("Trm"), "0");
    EXPECT_EQ(ended_, 0);
}

struct RecordingPage : controls::ToolPage {
    RecordingPage(std::vector<std::string>& log, int index) : log_(log), name_(std::to_string(index)) {}
    void Shown() override { log_.push_back("shown " + name_); }
    void Hidden() override { log_.push_back("hidden " + name_); }
    void Refresh() override { log_.push_back("refresh " + name_); }
    void Focus() override { log_.push_back("focus " + name_); }
    void ResultShown() override { log_.push_back("result " + name_); }
    std::vector<std::string>& log_;
    std::string name_;
};

struct Recorder {
    std::vector<std::string> log;
    std::vector<std::unique_ptr<RecordingPage>> pages;
    int area = -1;

    void Attach(shell::FrmMain& form) {
        form.View.showPageArea = [this](int page) { area = page; };
        form.View.showPrivacyTip = [this](bool shown) { log.push_back(shown ? "tip+" : "tip-"); };
        for (int page = 0; page < shell::FrmMain::kPageCount; ++page) {
            pages.push_back(std::make_unique<RecordingPage>(log, page));
            form.Pages[static_cast<size_t>(page)] = pages.back().get();
        }
    }
    bool Logged(const std::string& entry) const { return std::count(log.begin(), log.end(), entry) > 0; }
};

TEST_F(FrmMainTest, PagesSwitchWithTheirTipsAndAreasAndHearTheirKeysAndTallies) {
    WriteSettings("[Main]\r\nCb=3\r\n");
    shell::FrmMain form([this] { ++ended_; });
    Recorder r;
    r.Attach(form);
    form.Form_Load();
    EXPECT_EQ(r.area, 3);
    EXPECT_TRUE(r.Logged("shown 3"));

    r.log.clear();
    form.TabButtonClick(1);
    EXPECT_TRUE(r.Logged("hidden 3"));
    EXPECT_EQ(r.log.back(), "focus 1");  // a tab click takes the keyboard into the page
    EXPECT_EQ(r.area, 1);
    EXPECT_EQ(form.TipText(), "Clean temp folder, History,Temporary internet files and Programs recent.");
    // Choosing the privacy page again shows the restart note again.
    r.log.clear();
    form.TabButtonClick(1);
    EXPECT_EQ(r.log, (std::vector<std::string>{"tip-", "tip+", "focus 1"}));
    // Ctrl+Click on the note restarts Windows, on the privacy page only.
    int restarts = 0;
    form.PrivacyTipClick(false, [&] { ++restarts; });
    form.PrivacyTipClick(true, [&] { ++restarts; });
    EXPECT_EQ(restarts, 1);
    // A round button for the current page does nothing.
    r.log.clear();
    form.RoundButtonClick(1);
    EXPECT_TRUE(r.log.empty());
    form.RoundButtonClick(5);
    EXPECT_EQ(form.TipText(), "About Clarimo.");

    // F5 goes to the page shown; every page hears of a tally.
    r.log.clear();
    form.ShowPage(2);
    form.KeyDown(shell::FrmMain::kF5);
    form.KeyDown(115);
    EXPECT_EQ(std::count_if(r.log.begin(), r.log.end(), [](const std::string& e) { return e.starts_with("refresh"); }),
              1);
    EXPECT_TRUE(r.Logged("refresh 2"));
    form.PrivacyTipClick(true, [&] { ++restarts; });
    EXPECT_EQ(restarts, 1);
    form.ShowResult();
    for (int page = 0; page < 6; ++page) EXPECT_TRUE(r.Logged("result " + std::to_string(page))) << page;
}

TEST_F(FrmMainTest, TipIsTypedCharacterByCharacterThenFadedIn) {
    shell::FrmMain form([this] { ++ended_; });
    form.DrowTipText("Größe");
    std::vector<std::string> steps{form.TipShown()};
    while (form.TipMove_Timer()) steps.push_back(form.TipShown());
    EXPECT_EQ(steps, (std::vector<std::string>{"", "G", "Gr", "Grö", "Größ"}));  // whole characters
    EXPECT_EQ(form.TipShown(), "Größe");
    while (form.TipDrow_Timer()) {
    }
    EXPECT_EQ(form.TipBlend(), 1);
}

constexpr unsigned kInfoKeys[] = {'C', 'L', 'A', 'R', 'I', 'M', 'O', 'P', 'R', 'O', 'J', 'E', 'C', 'T', 13, 116};

TEST_F(FrmMainTest, TheInfoSequenceShowsThreeTextsUnlessAPageSwitchEndsIt) {
    shell::FrmMain form([this] { ++ended_; });
    form.Form_Load();
    std::vector<std::string> shown;
    form.pause = [&](double) { shown.push_back(form.TipShown()); };
    for (int i = 0; i < 100; ++i) form.KeyDown(65);
    EXPECT_EQ(form.KeyHistory.size(), 34u);  // the oldest keys make room
    for (unsigned key : kInfoKeys) form.KeyDown(key);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].rfind("Clarimo 2.1", 0), 0u);
    EXPECT_EQ(shown[1], "Clarimo Project Info ...");
    EXPECT_TRUE(form.TipShown().ends_with(", Controls : 6"));  // the last text printed whole at once,
    EXPECT_EQ(form.TipBlend(), 255);                           // then faded in

    // A page switch during a wait ends the sequence.
    shown.clear();
    form.pause = [&](double) {
        shown.push_back(form.TipShown());
        form.ShowPage(2);
    };
    for (unsigned key : kInfoKeys) form.KeyDown(key);
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(form.TipText(), shell::FrmMain::PageTip(2));
}

bool PumpUntil(const std::function<bool()>& done) {
    return testing_support::PumpUntil(done, 5000, platform::TranslateDialogKeys);
}

using testing_support::PressKeys;

using FrmMainWindowTest = FrmMainTest;

// The main window on screen. It is not a dialog: Enter and Esc stay with the control that
// has the focus, wherever it is; Ctrl+Tab switches pages; activation gives
// the focus back; only Close (Alt+C) ends the program.
TEST_F(FrmMainWindowTest, KeysNeverEndTheProgramExceptClose) {
    int ended = 0;
    shell::FrmMain form([&] { ++ended; });
    form.pause = [](double) {};
    shell::FrmMainWindow window(form);
    ASSERT_TRUE(window.Show());
    const HWND handle = window.Handle();
    ::SetForegroundWindow(handle);
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == handle; }));

    // On every page: Close, the page's tab, the page's first control, and on
    // the options page the move-folder box.
    for (int page = 0; page < shell::kPageCount; ++page) {
        if (page > 0) {
            PressKeys({VK_CONTROL, VK_TAB});
            ASSERT_TRUE(PumpUntil([&] { return form.CurrentPage == page; }));
        }
        const HWND area = window.PageArea(static_cast<shell::Page>(page));
        std::vector<HWND> focuses{window.CloseButton(), window.TabButton(static_cast<shell::Page>(page)),
                                  ::GetNextDlgTabItem(area, nullptr, FALSE)};
        if (page == static_cast<int>(shell::Page::Options))
            focuses.push_back(testing_support::FindDescendant(area, L"Edit", ""));  // empty: no folder stored
        for (HWND focus : focuses) {
            ASSERT_NE(focus, nullptr) << "page " << page;
            ::SetFocus(focus);
            for (WORD key : {VK_ESCAPE, VK_RETURN}) {
                // F5 after it: once the form has seen F5, the key was handled too.
                form.KeyHistory.clear();
                PressKeys({key});
                PressKeys({VK_F5});
                ASSERT_TRUE(PumpUntil([&] { return form.KeyHistory.ends_with("116"); }));
            }
            EXPECT_EQ(ended, 0) << "page " << page << ": " << platform::WindowText(focus);
        }
    }
    PressKeys({VK_CONTROL, VK_TAB});  // from the last page round to the first
    ASSERT_TRUE(PumpUntil([&] { return form.CurrentPage == 0; }));

    // The information sequence, Enter included, can be typed.
    form.KeyHistory.clear();
    for (unsigned key : kInfoKeys) PressKeys({static_cast<WORD>(key)});
    EXPECT_TRUE(PumpUntil([&] { return form.SequenceShown; }));
    PressKeys({VK_CONTROL, VK_SHIFT, VK_TAB});  // from the first page back to the last
    EXPECT_TRUE(PumpUntil([&] { return form.CurrentPage == 5; }));

    // Another window comes to the front and goes: the focus comes back.
    const HWND tab = window.TabButton(shell::Page::Startup);
    ::SetFocus(tab);
    {
        testing_support::TestWindow other;
        ::SetForegroundWindow(other.hwnd());
        ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == other.hwnd(); }));
    }
    ::SetForegroundWindow(handle);
    EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == tab; }));
    EXPECT_EQ(ended, 0);

    PressKeys({VK_MENU, 'C'});
    EXPECT_TRUE(PumpUntil([&] { return ended > 0; }));
    EXPECT_EQ(window.Handle(), nullptr);  // the window went with the shut-down
}

}  // namespace

// One window through a session: the stored compact view, the tabs, the
// result strip, the privacy note, the update wizard, and the view saved.
TEST_F(FrmMainWindowTest, ViewTabsStripsAndWizardFollowTheUserAndTheViewIsSaved) {
    testing_support::WriteFile(folder_ / "Qxs.ini", "[Main]\r\nCb=3\r\nVmode=1\r\n");
    int ended = 0;
    shell::FrmMain form([&] { ++ended; });
    shell::FrmMainWindow window(form);
    ASSERT_TRUE(window.Show());
    // The header's program icon, the window's own, at the window's DPI.
    const auto icon = reinterpret_cast<HICON>(::SendMessageW(window.Handle(), WM_GETICON, ICON_BIG, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO parts{};
    ASSERT_TRUE(::GetIconInfo(icon, &parts));
    const platform::UniqueBitmap color(parts.hbmColor), mask(parts.hbmMask);
    BITMAP picture{};
    ::GetObjectW(parts.hbmColor, sizeof picture, &picture);
    EXPECT_EQ(picture.bmWidth, platform::ScaleForDpi(32, platform::WindowDpi(window.Handle())));
    RECT compact{}, full{};
    ::GetClientRect(window.Handle(), &compact);
    EXPECT_FALSE(::IsWindowVisible(window.TabButton(shell::Page::Processes)));
    form.SetCompactView(false);
    ::GetClientRect(window.Handle(), &full);
    EXPECT_TRUE(::IsWindowVisible(window.TabButton(shell::Page::Processes)));
    EXPECT_GT(full.bottom, compact.bottom);

    // Each page shows in its area with the strip's command buttons for it.
    const auto shownButtons = [&] {
        std::vector<std::string> captions;
        for (HWND b = ::GetWindow(window.ButtonStrip(), GW_CHILD); b; b = ::GetWindow(b, GW_HWNDNEXT))
            if (::IsWindowVisible(b)) captions.push_back(platform::WindowText(b));
        std::sort(captions.begin(), captions.end());
        return captions;
    };
    const std::vector<std::string> buttons[] = {{"Clean", "Scan"}, {"Clean", "Tools"}, {"Apply", "Tools"}, {}, {}, {}};
    for (int page : {5, 4, 3, 2, 1, 0}) {
        SCOPED_TRACE(page);
        testing_support::ClickAt(window.TabButton(shell::PageAt(page)), 5, 5);
        EXPECT_EQ(form.CurrentPage, page);
        for (int other = 0; other < 6; ++other)
            EXPECT_EQ(::IsWindowVisible(window.PageArea(shell::PageAt(other))) != FALSE, other == page) << other;
        EXPECT_EQ(shownButtons(), buttons[page]);
        // The privacy page's restart note and balloon go with their page.
        EXPECT_EQ(::IsWindowVisible(window.PrivacyNote()) != FALSE, page == 1);
        EXPECT_EQ(window.PrivacyTip().Shown(), page == 1);
        // The page's panel shows with its area (the options page once its
        // load timer has filled it).
        const HWND panel = ::GetWindow(window.PageArea(shell::PageAt(page)), GW_CHILD);
        EXPECT_TRUE(PumpUntil([&] { return ::IsWindowVisible(panel) != FALSE; }));
    }

    // The result strip shows the tally until its timer or a page switch.
    core::CleanedCount = 3;
    core::CleanedSize = 1536;
    for (bool timer : {true, false}) {
        form.ShowResult();
        EXPECT_EQ(platform::WindowText(window.ResultStrip()), "  Cleaned Space : 1.5 KB, Files : 3");
        EXPECT_TRUE(::IsWindowVisible(window.ResultStrip()));
        timer ? form.TmResult_Timer() : testing_support::ClickAt(window.TabButton(shell::Page::About), 5, 5);
        EXPECT_FALSE(::IsWindowVisible(window.ResultStrip()));
    }
    core::CleanedCount = 0;
    core::CleanedSize = 0;

    // Check for Update runs the wizard modally, owned by the main window.
    const HWND link = testing_support::FindDescendant(window.PageArea(shell::Page::About), nullptr, "Check for Update");
    ASSERT_NE(link, nullptr);
    HWND wizard = nullptr, owner = nullptr;
    const testing_support::ModalSteps close({[&] {
                                                wizard = testing_support::FindThreadWindow("Update Wizard");
                                                if (!wizard) return false;
                                                owner = ::GetWindow(wizard, GW_OWNER);
                                                ::PostMessageW(wizard, WM_CLOSE, 0, 0);
                                                return true;
                                            }},
                                            [&] { return wizard; });
    testing_support::ClickAt(link, 2, 2);
    ASSERT_TRUE(close.Finished());
    EXPECT_EQ(owner, window.Handle());
    EXPECT_FALSE(::IsWindow(wizard));
    EXPECT_TRUE(::IsWindowEnabled(window.Handle()));

    form.SetCompactView(true);
    ::SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return ended > 0; }));
    EXPECT_EQ(core::ReadIni(core::MainIniPath, "Main", "Vmode", ""), "1");
}

// The about page in a window of its own.
TEST(PagesWindowTest, AboutPageLinksOpenTheirTargets) {
    testing_support::ScriptedPrompts prompts;
    testing_support::TestWindow host(640, 440);
    shell::Frm_About page(prompts);
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
    shell::Frm_AboutWindow window(page);
    // Built while its host is hidden, as a page is: the program icon still
    // goes beside the title, not over it.
    ::ShowWindow(host.hwnd(), SW_HIDE);
    ASSERT_TRUE(window.Create(host.hwnd()));
    ::ShowWindow(host.hwnd(), SW_SHOW);
    EXPECT_TRUE(::IsWindowVisible(window.Panel()));
    RECT panel{}, icon{}, name{};
    ::GetWindowRect(window.Panel(), &panel);
    ::GetWindowRect(window.Control(shell::Frm_AboutWindow::kIcon), &icon);
    ::GetWindowRect(window.Control(shell::Frm_AboutWindow::kLblName), &name);
    EXPECT_GT(icon.left, panel.left);  // placed, not left in the corner
    EXPECT_LE(icon.right, name.left);
    EXPECT_EQ(testing_support::WindowText(window.Control(shell::Frm_AboutWindow::kLblVersion)),
              "Version 2.1 (Build 15)");
    for (auto* link : {&window.HomeLink(), &window.EmailLink(), &window.ReadmeLink(), &window.UpdateLink()})
        testing_support::ClickAt(link->hwnd(), 3, 3);
    const std::string readme = platform::ExecutableFolder() + "\\readme.txt";
    EXPECT_EQ(opened, (std::vector<std::string>{"https://www.clarimo.example/programs/qx/index.html",
                                                "mail support@clarimo.example", readme, "update"}));
    EXPECT_TRUE(prompts.messages.empty());
}
