// Helper processes and a page with settings of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/settings.h"
#include "platform/process_info.h"
#include "processes/frm_tasks.h"
#include "support/child_process.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"

namespace proc_test {

// proc_idle.exe (see the tool), from beside the tests or from path, once it
// has loaded its libraries (Windows lists no modules before) or after 5 s.
inline testing_support::ChildProcess StartIdle(const std::string& arguments = "300", std::string path = "") {
    if (path.empty()) path = testing_support::BesideTestProgram("proc_idle.exe");
    auto helper = testing_support::ChildProcess::Start(path, arguments);
    for (int i = 0; i < 500 && platform::SnapshotModules(helper.id()).size() < 2; ++i) ::Sleep(10);
    return helper;
}

inline int RowOf(const processes::Frm_Tasks& page, uint32_t id) {
    for (size_t i = 0; i < page.Lv.size(); ++i)
        if (page.Lv[i].id == id) return static_cast<int>(i);
    return -1;
}

class ProcessPage : public ::testing::Test {
protected:
    void SetUp() override { core::SetSettingsPaths(settings_.path()); }

    std::string RunMarker() const { return core::ReadIni(core::MainIniPath, "Main", "Trm", "missing"); }
    // The page loaded with the process's row selected.
    void Load(processes::Frm_Tasks& page, uint32_t id) {
        page.Form_Load();
        ASSERT_GE(RowOf(page, id), 0);
        page.SelectRow(RowOf(page, id));
    }

    testing_support::TempFolder settings_;
    testing_support::ScriptedPrompts prompts_;
    processes::Frm_Tasks page_{prompts_};
};

}  // namespace proc_test
