#include "platform/console_output.h"

#include <shellapi.h>

#include <memory>

#include "platform/utf.h"

namespace platform {
namespace {

HANDLE InheritedStream(DWORD which) {
    const HANDLE stream = ::GetStdHandle(which);
    return stream && stream != INVALID_HANDLE_VALUE && ::GetFileType(stream) != FILE_TYPE_UNKNOWN ? stream : nullptr;
}

}  // namespace

ConsoleOutput::ConsoleOutput() : out_(InheritedStream(STD_OUTPUT_HANDLE)), err_(InheritedStream(STD_ERROR_HANDLE)) {
    if (out_ && err_) return;
    if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return;
    console_.reset(::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
    if (!out_) out_ = console_.get();
    if (!err_) err_ = console_.get();
}

void ConsoleOutput::Write(HANDLE stream, const std::string& line) {
    if (!stream || stream == INVALID_HANDLE_VALUE) return;
    const std::string text = line + "\r\n";
    DWORD mode = 0;
    DWORD written = 0;
    if (::GetConsoleMode(stream, &mode)) {
        const std::wstring wide = ToWide(text);
        for (size_t at = 0; at < wide.size(); at += written)
            if (!::WriteConsoleW(stream, wide.data() + at, static_cast<DWORD>(wide.size() - at), &written, nullptr) ||
                written == 0)
                return;
        return;
    }
    for (size_t at = 0; at < text.size(); at += written)
        if (!::WriteFile(stream, text.data() + at, static_cast<DWORD>(text.size() - at), &written, nullptr) ||
            written == 0)
            return;
}

std::vector<std::string> CommandLineArguments() {
    int count = 0;
    const std::unique_ptr<wchar_t*, decltype(&::LocalFree)> words(::CommandLineToArgvW(::GetCommandLineW(), &count),
                                                                  &::LocalFree);
    std::vector<std::string> args;
    for (int i = 1; words && i < count; ++i) args.push_back(ToUtf8(words.get()[i]));
    return args;
}

}  // namespace platform
