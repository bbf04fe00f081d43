#include "processes/frm_proc_menus.h"

#include <gtest/gtest.h>

#include "platform/process_info.h"
#include "proc_fixture.h"
#include "processes/frm_tasks.h"
#include "processes/mod_proc.h"

using namespace processes;
using proc_test::RowOf;
using testing_support::ChildProcess;

namespace {

class ProcMenus : public proc_test::ProcessPage {
protected:
    // The page loaded with the helper's row selected.
    void Load(Frm_Tasks& page, const ChildProcess& helper) {
        page.Form_Load();
        const int row = RowOf(page, helper.id());
        ASSERT_GE(row, 0);
        page.SelectRow(row);
    }
};

int CheckedIndex(const FrmProcMenus& menus) {
    for (size_t i = 0; i < menus.PriorityChecked.size(); ++i)
        if (menus.PriorityChecked[i]) return static_cast<int>(i);
    return -1;
}

}  // namespace

TEST_F(ProcMenus, OpeningMarksThePriorityEnablesEntriesOnlyWithASelectionAndPathlessRowsRefuse) {
    ChildProcess helper = proc_test::StartIdle();
    ASSERT_TRUE(platform::SetProcessPriorityClass(helper.id(), kBelowNormal));
    Frm_Tasks page(prompts_);
    ASSERT_NO_FATAL_FAILURE(Load(page, helper));
    page.Menus.PopupOpening();
    EXPECT_TRUE(page.Menus.ProcessEntriesEnabled);
    EXPECT_EQ(CheckedIndex(page.Menus), 4);

    page.Menus.SetProcRadio(0);
    EXPECT_EQ(CheckedIndex(page.Menus), 0);
    page.Menus.SetProcRadio(6);
    EXPECT_EQ(CheckedIndex(page.Menus), -1);

    // A row listed without a path: Folder and Properties refuse.
    page.Lv[page.SelectedRow()].tag.clear();
    page.Menus.Mnu_Pop_Folder_Click();
    page.Menus.Mnu_Pop_Properties_Click();
    ASSERT_EQ(prompts_.messages.size(), 2u);
    EXPECT_EQ(prompts_.messages[0].text, "Can't open this program folder");
    EXPECT_EQ(prompts_.messages[1].text, "Can't display properties dialog for this program");
    for (const auto& message : prompts_.messages) {
        EXPECT_EQ(message.title, "Clarimo");
        EXPECT_EQ(message.icon, core::PromptIcon::Exclamation);
    }

    // A reload unloads the menu; with nothing selected only Refresh is left.
    page.Menus.Mnu_Pop_Refresh_Click();
    EXPECT_FALSE(page.Menus.Loaded);
    page.Menus.PopupOpening();
    EXPECT_FALSE(page.Menus.ProcessEntriesEnabled);
}

TEST_F(ProcMenus, EndProcessEndsTheListedProcessOnceAndLeavesTheRunMarkerAtZero) {
    ChildProcess helper = proc_test::StartIdle();
    Frm_Tasks page(prompts_);
    ASSERT_NO_FATAL_FAILURE(Load(page, helper));
    page.Menus.Mnu_Pop_EndProc_Click();
    const auto exitCode = helper.WaitForExit(std::chrono::seconds(10));
    ASSERT_TRUE(exitCode.has_value());
    EXPECT_EQ(*exitCode, 0u);
    EXPECT_TRUE(prompts_.messages.empty());
    EXPECT_EQ(RunMarker(), "0");

    helper = ChildProcess();  // the last handle goes, and with it the process
    page.Menus.Mnu_Pop_EndProc_Click();
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].text, "Access is denied, Can't end this process");
    EXPECT_EQ(prompts_.messages[0].title, "Clarimo");
    EXPECT_EQ(prompts_.messages[0].icon, core::PromptIcon::Exclamation);
    EXPECT_EQ(RunMarker(), "0");
}

TEST_F(ProcMenus, EndProcessOfTheProgramItselfLeavesTheOrderlyEndMark) {
    // Run in a process of its own: the test runner must not end itself.
    ChildProcess program =
        ChildProcess::Start(testing_support::BesideTestProgram("proc_end_self.exe"), "\"" + settings_.path() + "\"");
    const auto exitCode = program.WaitForExit(std::chrono::seconds(30));
    ASSERT_TRUE(exitCode.has_value());
    EXPECT_EQ(*exitCode, 0u);
    EXPECT_EQ(RunMarker(), "1");
}

TEST_F(ProcMenus, AnIdentifierNowHeldByAnotherProgramIsNeverActedOn) {
    ChildProcess helper = proc_test::StartIdle();
    for (const char* change : {"name", "start time"}) {
        SCOPED_TRACE(change);
        Frm_Tasks page(prompts_);
        ASSERT_NO_FATAL_FAILURE(Load(page, helper));
        bool detailsShown = false;
        page.onShowDetails = [&] { detailsShown = true; };
        // As if the listed program had ended and Windows had given its
        // identifier to another one.
        auto reuse = [&] {
            const int row = RowOf(page, helper.id());
            ASSERT_GE(row, 0);
            page.SelectRow(row);
            if (std::string(change) == "name")
                page.Lv[row].name = "listed.exe";
            else
                page.Lv[row].creationTime += 10'000'000;
        };
        ASSERT_NO_FATAL_FAILURE(reuse());
        const uint64_t rebuilds = page.rebuilds;
        page.Menus.Mnu_Pop_EndProc_Click();
        EXPECT_TRUE(helper.Running());
        EXPECT_EQ(page.rebuilds, rebuilds + 1);
        EXPECT_EQ(page.SelectedTask(), nullptr);
        EXPECT_EQ(page.Lv[RowOf(page, helper.id())].name, "proc_idle.exe");

        ASSERT_NO_FATAL_FAILURE(reuse());
        page.Menus.Mnu_Pop_Priority_Click(5);
        EXPECT_EQ(platform::ProcessPriorityClass(helper.id()), kNormal);

        ASSERT_NO_FATAL_FAILURE(reuse());
        page.Menus.Mnu_Pop_Details_Click();
        EXPECT_FALSE(detailsShown);
        EXPECT_EQ(page.rebuilds, rebuilds + 3);
    }
    EXPECT_TRUE(prompts_.messages.empty());
    EXPECT_EQ(RunMarker(), "missing");
}

TEST_F(ProcMenus, HighRaisesTheProgramsOwnClassToo) {
    ChildProcess helper = proc_test::StartIdle();
    const uint32_t own = platform::ProcessPriorityClass(platform::CurrentProcessId());
    Frm_Tasks page(prompts_);
    ASSERT_NO_FATAL_FAILURE(Load(page, helper));
    page.Menus.Mnu_Pop_Priority_Click(5);
    EXPECT_EQ(platform::ProcessPriorityClass(helper.id()), kLow);
    EXPECT_EQ(platform::ProcessPriorityClass(platform::CurrentProcessId()), own);

    page.Menus.Mnu_Pop_Priority_Click(1);
    EXPECT_EQ(platform::ProcessPriorityClass(helper.id()), kHigh);
    EXPECT_EQ(platform::ProcessPriorityClass(platform::CurrentProcessId()), kHigh);
    platform::SetProcessPriorityClass(platform::CurrentProcessId(), own);
    // The list shows the change at the next tick.
    page.Tm_Timer();
    EXPECT_EQ(page.Lv[RowOf(page, helper.id())].priority, "High");
}
