#include "platform/ini_file.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/utf.h"

namespace platform {
namespace {

// The profile functions put a file named without any folder into the
// Windows folder; the encoding checks must look at that same file.
std::string ProfilePath(const std::string& file) {
    const bool hasFolder = file.find_first_of("\\/") != std::string::npos || (file.size() >= 2 && file[1] == ':');
    if (hasFolder || file.empty()) return file;
    wchar_t windows[MAX_PATH + 1] = {};
    const UINT n = ::GetWindowsDirectoryW(windows, MAX_PATH + 1);
    if (n == 0 || n > MAX_PATH) return file;
    return ToUtf8(std::wstring_view(windows, n)) + "\\" + file;
}

// The profile functions take no "\\?\" prefix and no path of MAX_PATH
// characters or more (Wine then reports a write as done that never
// happened). A program folder always leaves room for its settings files,
// as Windows starts no program from a longer path. Empty when unusable.
std::wstring ProfileApiPath(const std::string& file) {
    std::wstring path = ToWide(ProfilePath(file));
    if (path.size() >= MAX_PATH) path.clear();
    return path;
}

// True when the ANSI code page holds every character of text exactly (no
// default character, no best-fit substitute).
bool FitsAnsiCodePage(const std::string& text) {
    if (text.empty()) return true;
    const std::wstring wide = ToWide(text);
    const int length = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int n =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return false;
    std::string ansi(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, ansi.data(), n, nullptr, &usedDefault);
    if (usedDefault) return false;
    // Some code pages map characters without reporting it; only an exact
    // round trip proves the text survives.
    const int back = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), n, nullptr, 0);
    std::wstring roundTrip(static_cast<size_t>(back), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), n, roundTrip.data(), back);
    return roundTrip == wide;
}

// The file's text as the profile functions read it.
std::wstring DecodeProfileText(const std::string& bytes) {
    if (IniEncodingOf(bytes) != IniEncoding::Ansi) {
        const std::u16string text = DecodeUnicodeIniBytes(bytes);
        return std::wstring(text.begin(), text.end());
    }
    const int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
    return text;
}

}  // namespace

std::string ReadIniValue(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& defaultValue) {
    const std::wstring path = ProfileApiPath(file);
    if (path.empty()) return defaultValue;
    // The profile functions trim blanks off the default they hand back, so
    // a marker no stored value holds stands in for it.
    static constexpr wchar_t kMissing[] = L"\x1F<clarimo: no value>\x1F";
    // The largest value a profile line can hold, plus its NUL.
    std::vector<wchar_t> buffer(32768);
    const DWORD n = ::GetPrivateProfileStringW(ToWide(section).c_str(), ToWide(key).c_str(), kMissing, buffer.data(),
                                               static_cast<DWORD>(buffer.size()), path.c_str());
    const std::wstring_view value(buffer.data(), n);
    return value == kMissing ? defaultValue : ToUtf8(value);
}

std::optional<IniFileText> ReadIniFileText(const std::string& file) {
    const std::wstring path = ProfileApiPath(file);
    std::string bytes;
    if (path.empty() || !ReadWholeFile(ProfilePath(file), bytes)) return std::nullopt;
    return IniFileText{ToUtf8(DecodeProfileText(bytes)), IniEncodingOf(bytes) == IniEncoding::Ansi};
}

bool WriteIniFileText(const std::string& file, const IniFileText& content) {
    if (ProfileApiPath(file).empty()) return false;
    const std::wstring text = ToWide(content.text);
    std::string bytes;
    if (content.ansi && FitsAnsiCodePage(content.text)) {
        const int n =
            ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
        bytes.resize(static_cast<size_t>(n));
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    } else {
        // Never "?" for what the code page cannot hold.
        bytes = Utf16LeWithMark(std::u16string(text.begin(), text.end()));
    }
    return ReplaceFileContent(ProfilePath(file), bytes);
}

}  // namespace platform
