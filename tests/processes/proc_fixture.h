// What the process page's tests share: idle helper processes, the row of a
// process in the page, and a settings folder of the test's own.
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

// Returns once the helper has loaded its libraries (until then Windows
// lists no modules for it), or after five seconds.
inline testing_support::ChildProcess StartIdle(int seconds = 300) {
    auto helper = testing_support::ChildProcess::Start(testing_support::BesideTestProgram("proc_idle.exe"),
                                                       std::to_string(seconds));
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

    testing_support::TempFolder settings_;
    testing_support::ScriptedPrompts prompts_;
};

}  // namespace proc_test
