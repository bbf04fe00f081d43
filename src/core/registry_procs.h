// Thin, quiet wrappers over the registry: failures give empty or false
// results, never messages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace core {

// The root keys and views are the platform layer's own: the view picks the
// build's own registry, the 32-bit programs' (where a 32-bit program keeps
// its settings) or the 64-bit one.
using RegRoot = platform::RegistryRoot;
using RegView = platform::RegistryView;

// Filled by DeleteSubKeys on every call.
extern std::vector<std::string> SubKeyList;

std::string ReadRegString(RegRoot Root, const std::string& SubKey, const std::string& ValueName,
                          RegView View = RegView::Own);
bool RegKeyExists(RegRoot Root, const std::string& SubKey, RegView View = RegView::Own);
// True when the value exists and is not empty.
bool RegValueExists(RegRoot Root, const std::string& SubKey, const std::string& ValueName);
void EnumRegSubKeys(RegRoot Root, const std::string& SubKey, std::vector<std::string>& Names);
// Appends the names of the values whose data is not empty.
void EnumRegValues(RegRoot Root, const std::string& SubKey, std::vector<std::string>& Names);
void SetRegString(RegRoot Root, const std::string& SubKey, const std::string& ValueName, const std::string& Data);
void DeleteRegValue(RegRoot Root, const std::string& SubKey, const std::string& ValueName);
void DeleteRegKey(RegRoot Root, const std::string& SubKey);
// Without subkeys: removes the key. With subkeys: removes each subkey
// (one level) and keeps the key.
void DeleteSubKeys(RegRoot Root, const std::string& SubKey);

}  // namespace core
