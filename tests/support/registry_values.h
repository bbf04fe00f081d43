// Registry values read and written with exactly their bytes, as another
// program could have stored them; always in the 64-bit view.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

struct RawValue {
    bool exists = false;
    DWORD type = 0;
    std::vector<BYTE> data;
};

void SetRaw(HKEY root, const std::string& key, const std::string& name, DWORD type, const void* data, DWORD size);
void SetText(HKEY root, const std::string& key, const std::string& name, const std::string& text, DWORD type = REG_SZ);
RawValue GetRaw(HKEY root, const std::string& key, const std::string& name);
std::string GetText(HKEY root, const std::string& key, const std::string& name);
void DeleteValue(HKEY root, const std::string& key, const std::string& name);

}  // namespace testing_support
