// Test places for the startup page: the six sources under a test registry key
// and in a temporary folder, and helpers to arrange and inspect entries.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "startup/startup_store.h"
#include "support/temp_folder.h"
#include "support/test_registry_key.h"

namespace startup_test {

struct RawValue {
    bool exists = false;
    DWORD type = 0;
    std::vector<BYTE> data;
};

// Writes a value with exactly these bytes (creating the key).
void SetRaw(HKEY root, const std::string& key, const std::string& name, DWORD type, const void* data, DWORD size);
void SetText(HKEY root, const std::string& key, const std::string& name, const std::string& text, DWORD type = REG_SZ);
RawValue GetRaw(HKEY root, const std::string& key, const std::string& name);
std::string GetText(HKEY root, const std::string& key, const std::string& name);
void DeleteValue(HKEY root, const std::string& key, const std::string& name);

struct ShortcutInfo {
    std::string target;
    std::string arguments;
    std::string workingFolder;
};
void MakeShortcut(const std::string& path, const std::string& target, const std::string& arguments = "",
                  const std::string& workingFolder = "");
ShortcutInfo ReadShortcut(const std::string& path);

class StartupPlaces : public ::testing::Test {
protected:
    StartupPlaces();

    testing_support::TestRegistryKey key_;
    testing_support::TempFolder temp_;
    startup::StartupLocations where_;

    // Key paths below HKEY_CURRENT_USER of the six sources.
    std::string machineRun() const { return key_.path() + "\\MRun"; }
    std::string machineRun32() const { return key_.path() + "\\MRun32"; }
    std::string machineRunOnce() const { return key_.path() + "\\MRunOnce"; }
    std::string userRun() const { return key_.path() + "\\URun"; }
    std::string userRunOnce() const { return key_.path() + "\\URunOnce"; }
    std::string origin(const std::string& keyPath, const std::string& name) const {
        return "HKEY_CURRENT_USER\\" + keyPath + "\\" + name;
    }
};

}  // namespace startup_test
