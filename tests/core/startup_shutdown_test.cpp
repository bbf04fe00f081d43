#include "core/startup_shutdown.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <future>
#include <stdexcept>
#include <vector>

#include "core/settings.h"
#include "platform/mutex.h"
#include "platform/utf.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"

namespace {

using testing_support::ScriptedPrompts;

// Whether a thread other than the caller could take the lock now.
bool LockIsFree() {
    return std::async(std::launch::async,
                      [] {
                          platform::UniqueHandle mutex(
                              ::OpenMutexW(SYNCHRONIZE, FALSE, platform::ToWide(core::kAppMutexName).c_str()));
                          if (!mutex) return true;  // nobody holds the name at all
                          const DWORD wait = ::WaitForSingleObject(mutex.get(), 0);
                          if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) ::ReleaseMutex(mutex.get());
                          return wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
                      })
        .get();
}

class StartupShutdown : public testing::Test {
protected:
    void SetUp() override { ReleaseLock(); }
    void TearDown() override {
        ReleaseLock();
        ::SetErrorMode(errorMode_);
    }
    static void ReleaseLock() {
        // Give up this thread's ownership first, so that the name goes with
        // the last handle.
        for (int i = 0; i < 100 && core::InstanceMutex.Release(); ++i) {
        }
        core::InstanceMutex.Close();
        core::AppMutex.Close();
    }

    core::Frm_Sp MakeForm() {
        return core::Frm_Sp(
            prompts_, folder_.path(), [this](int theme) { log_.push_back("theme " + std::to_string(theme)); },
            [this] { log_.push_back("main window"); }, [this] { log_.push_back("unload"); });
    }
    void WriteSettings(const std::string& text) { testing_support::WriteFile(folder_ / "Qxs.ini", text); }
    std::string Setting(const std::string& section, const std::string& key) {
        return core::ReadIni(folder_ / "Qxs.ini", section, key, "<missing>");
    }

    const UINT errorMode_ = ::GetErrorMode();
    testing_support::TempFolder folder_;
    ScriptedPrompts prompts_;
    std::vector<std::string> log_;
};

// The texts are the whole program's test's; here, which start asks what and
// which theme its timer applies. A first start (no settings file) takes the
// lock and writes nothing; another copy holding the lock is refused before
// the run marker is read.
TEST_F(StartupShutdown, AnotherCopyIsRefusedFirstAndOnlyARunMarkerOfZeroWarns) {
    const struct {
        const char* settings;
        bool otherCopy;
        size_t messages;
        int theme;
    } cases[] = {
        {nullptr, false, 0, 0},
        {"[Main]\r\nTrm= 0 \r\n[Options]\r\nThm=5\r\n", false, 1, 5},
        {"[Main]\r\nTrm=00\r\n[Options]\r\nThm= 2 \r\n", false, 1, 2},
        {"[Main]\r\nTrm=1\r\n[Options]\r\nThm=6\r\n", false, 0, 0},
        {"[Main]\r\nTrm=abc\r\n[Options]\r\nThm=-1\r\n", false, 0, 0},
        {"[Other]\r\nTrm=0\r\n[Options]\r\nThm=2x\r\n", false, 0, 0},
        {"[Main]\r\nTrm=0\r\n", true, 1, 0},  // the refusal only, not the crash warning
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.settings ? c.settings : "(no file)") + (c.otherCopy ? " another copy" : ""));
        ReleaseLock();
        prompts_.messages.clear();
        if (c.settings) WriteSettings(c.settings);
        const std::string before = c.settings ? testing_support::ReadFileBytes(folder_ / "Qxs.ini") : "";
        platform::NamedMutex otherCopy;
        if (c.otherCopy) otherCopy = platform::NamedMutex::Create(core::kAppMutexName, true);
        core::Frm_Sp form = MakeForm();
        EXPECT_EQ(form.Form_Load(), !c.otherCopy);
        EXPECT_EQ(prompts_.messages.size(), c.messages);
        EXPECT_EQ(core::AppMutex.Valid(), !c.otherCopy);  // start-up goes on after the warning
        EXPECT_EQ(core::InstanceMutex.Valid(), !c.otherCopy);
        EXPECT_TRUE(c.otherCopy || !LockIsFree()) << "owned by this thread from the first handle on";
        EXPECT_EQ(testing_support::Exists(folder_ / "Qxs.ini"), c.settings != nullptr);
        EXPECT_EQ(c.settings ? testing_support::ReadFileBytes(folder_ / "Qxs.ini") : "", before);
        if (c.otherCopy) continue;
        log_.clear();
        form.Tm_Timer();
        form.Tm_Timer();  // a late tick does nothing
        EXPECT_EQ(log_, (std::vector<std::string>{"theme " + std::to_string(c.theme), "main window", "unload"}));
        EXPECT_FALSE(form.TmEnabled());
    }
}

TEST_F(StartupShutdown, MainWindowUnloadRunsItsStepsInOrderAndEndsLast) {
    core::Frm_Sp form = MakeForm();
    ASSERT_TRUE(form.Form_Load());
    core::SetSettingsPaths(folder_.path());
    core::MarkRunning(core::MainIniPath);
    ::SetErrorMode(0);

    std::string caption = "Clarimo 2.1";
    core::WindowUnloads windows;
    windows.Register("Frm_Tasks", [&] {
        log_.push_back("unload Frm_Tasks, caption \"" + caption + "\", Cb \"" + Setting("Main", "Cb") + "\", Vmode \"" +
                       Setting("Main", "Vmode") + "\", Trm " + Setting("Main", "Trm"));
    });
    // Registered after Frm_Tasks, it still unloads first; its failure stops nothing.
    windows.Register("Frm_About", [&] {
        log_.push_back("unload Frm_About");
        throw std::runtime_error("unload failed");
    });
    EXPECT_FALSE(windows.Register("FrmMain", [] {}));

    core::MainWindowUnload unload;
    unload.appendToCaption = [&](std::string_view text) {
        caption += text;
        log_.push_back("caption \"" + caption + "\", lock " + (LockIsFree() ? "free" : "held") + ", fault box " +
                       ((::GetErrorMode() & SEM_NOGPFAULTERRORBOX) ? "off" : "on"));
    };
    unload.currentPage = 3;
    unload.compactView = true;
    unload.otherWindows = &windows;
    unload.endProcess = [&] { log_.push_back("end, Trm " + Setting("Main", "Trm")); };
    core::UnloadMainWindow(unload);

    EXPECT_EQ(log_, (std::vector<std::string>{
                        "caption \"Clarimo 2.1 -.\", lock held, fault box on",
                        "unload Frm_About",
                        "unload Frm_Tasks, caption \"Clarimo 2.1 -.\", Cb \" 3\", Vmode \"1\", Trm 0",
                        "caption \"Clarimo 2.1 -..\", lock held, fault box on",
                        "caption \"Clarimo 2.1 -...\", lock free, fault box off",
                        "end, Trm 1",
                    }));
    log_.clear();
    windows.UnloadAll();
    EXPECT_TRUE(log_.empty()) << "each window unloads once";
}

}  // namespace
