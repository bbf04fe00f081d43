// Test places for the startup page: the six sources under a test registry key
// and in a temporary folder, and helpers to arrange and inspect entries.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "startup/frm_startup.h"
#include "startup/startup_store.h"
#include "support/registry_values.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"

namespace startup_test {

using testing_support::DeleteValue;
using testing_support::GetRaw;
using testing_support::GetText;
using testing_support::RawValue;
using testing_support::SetRaw;
using testing_support::SetText;

void MakeShortcut(const std::string& path, const std::string& target, const std::string& arguments = "");
// The shortcut's arguments; "" when it cannot be read.
std::string ShortcutArguments(const std::string& path);
// The row of that name; -1 when none.
int RowOf(const startup::Frm_Startup& page, const std::string& name);
// Lets the page's worker finish reading its rows' programs (capped, not timed).
void WaitForProgramInfo(startup::Frm_Startup& page);

class StartupPlaces : public ::testing::Test {
protected:
    StartupPlaces();

    testing_support::TestRegistryKey key_;
    testing_support::TempFolder temp_;
    startup::StartupLocations where_;
    testing_support::ScriptedPrompts prompts_;

    // Key paths below HKEY_CURRENT_USER of the six sources.
    std::string machineRun() const { return key_.path() + "\\MRun"; }
    std::string machineRun32() const { return key_.path() + "\\MRun32"; }
    std::string userRun() const { return key_.path() + "\\URun"; }
    std::string userRunOnce() const { return key_.path() + "\\URunOnce"; }
    std::string userPolicy() const { return key_.path() + "\\UPolicy"; }
    // Windows' own on/off values of Run entries and of folder files.
    std::string approvedRun() const { return key_.path() + "\\ApprovedRun"; }
    std::string approvedFolder() const { return key_.path() + "\\ApprovedFolder"; }
    std::string origin(const std::string& keyPath, const std::string& name) const {
        return "HKEY_CURRENT_USER\\" + keyPath + "\\" + name;
    }
};

}  // namespace startup_test
