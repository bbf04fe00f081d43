// The registry through the W functions, UTF-8 in and out. Keys are opened
// and closed inside each call; no handle crosses this layer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The predefined root keys, by their (32-bit) handle values.
enum class RegistryRoot : uint32_t {
    ClassesRoot = 0x80000000u,
    CurrentUser = 0x80000001u,
    LocalMachine = 0x80000002u,
    Users = 0x80000003u,
};

// Which registry view a key is opened in on 64-bit Windows: the build's own,
// the 32-bit programs' (KEY_WOW64_32KEY) or the 64-bit one (KEY_WOW64_64KEY).
// 32-bit Windows has one view and ignores the choice.
enum class RegistryView { Own, Bits32, Bits64 };

// Value types, as the REG_ constants number them.
inline constexpr uint32_t kRegNone = 0;
inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegExpandSz = 2;
inline constexpr uint32_t kRegBinary = 3;
inline constexpr uint32_t kRegDword = 4;
inline constexpr uint32_t kRegMultiSz = 7;
inline constexpr uint32_t kRegQword = 11;

struct RegValue {
    uint32_t type = kRegNone;
    std::vector<uint8_t> data;  // exactly as stored
    // REG_SZ and REG_EXPAND_SZ: the stored text up to its first NUL, never
    // expanded. REG_MULTI_SZ: the strings, separated by '\0' characters.
    // Other types: empty.
    std::string text;
};

struct RegValueInfo {
    std::string name;
    uint32_t type = kRegNone;
    uint32_t size = 0;  // bytes of data
};

// The value, or nothing when the key or the value is missing.
std::optional<RegValue> ReadRegValue(RegistryRoot root, const std::string& subKey, const std::string& name,
                                     RegistryView view = RegistryView::Own);

// Stores text as a value of a string type (REG_SZ, REG_EXPAND_SZ or
// REG_MULTI_SZ, whose strings text separates with '\0'), creating missing
// keys on the path. The size counts the terminating NUL, except that an
// empty text is stored with size 0. False for other types or on failure.
bool WriteRegValue(RegistryRoot root, const std::string& subKey, const std::string& name, uint32_t type,
                   const std::string& text, RegistryView view = RegistryView::Own);

bool RegKeyPresent(RegistryRoot root, const std::string& subKey, RegistryView view = RegistryView::Own);

// Names of the key's direct subkeys, in enumeration order; empty when the
// key cannot be opened. Stops at the first error other than "more data";
// long names get a larger buffer instead of being skipped.
std::vector<std::string> ListRegSubKeys(RegistryRoot root, const std::string& subKey);

// Name, type and data size of every value of the key, same rules.
std::vector<RegValueInfo> ListRegValues(RegistryRoot root, const std::string& subKey,
                                        RegistryView view = RegistryView::Own);

// True when the value was there and is gone.
bool RemoveRegValue(RegistryRoot root, const std::string& subKey, const std::string& name,
                    RegistryView view = RegistryView::Own);

// True when the key or the value is known to be missing (not when the key
// cannot be read).
bool RegValueMissing(RegistryRoot root, const std::string& subKey, const std::string& name,
                     RegistryView view = RegistryView::Own);

// RegDeleteKeyW: on NT-based Windows a key that still has subkeys stays.
// An empty subKey is refused, so a root is never the target.
bool RemoveRegKey(RegistryRoot root, const std::string& subKey);

}  // namespace platform
