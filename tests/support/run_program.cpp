#include "support/run_program.h"

#include <windows.h>

#include "platform/handles.h"
#include "platform/utf.h"

namespace testing_support {

ProgramResult RunProgram(const std::string& commandLine, uint32_t timeoutMs) {
    ProgramResult result;
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    platform::UniqueHandle readEnd;
    platform::UniqueHandle writeEnd;
    if (!::CreatePipe(readEnd.put(), writeEnd.put(), &inheritable, 0)) return result;
    // Only the child's end is inherited.
    ::SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
    platform::UniqueHandle nul(::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                             OPEN_EXISTING, 0, nullptr));

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul.get();
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = writeEnd.get();
    PROCESS_INFORMATION info{};
    std::wstring command = platform::ToWide(commandLine);
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                          &info))
        return result;
    result.started = true;
    platform::UniqueHandle process(info.hProcess);
    platform::UniqueHandle thread(info.hThread);
    writeEnd.reset();  // the pipe ends when the child (and its children) close theirs

    // Polled rather than read on a thread: a grandchild that inherited the
    // pipe must not keep the caller waiting after the child has ended.
    const auto drain = [&] {
        char buffer[4096];
        DWORD available = 0;
        DWORD read = 0;
        while (::PeekNamedPipe(readEnd.get(), nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
               ::ReadFile(readEnd.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
            result.output.append(buffer, read);
    };
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (::WaitForSingleObject(process.get(), 10) == WAIT_TIMEOUT) {
        drain();
        if (::GetTickCount64() >= deadline) {
            result.timedOut = true;
            ::TerminateProcess(process.get(), 1);
            ::WaitForSingleObject(process.get(), 5000);
            break;
        }
    }
    drain();
    DWORD code = 0;
    ::GetExitCodeProcess(process.get(), &code);
    result.exitCode = code;
    return result;
}

}  // namespace testing_support
