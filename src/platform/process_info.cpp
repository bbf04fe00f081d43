#include "platform/process_info.h"

// clang-format off
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>
// clang-format on

#include "platform/handles.h"
#include "platform/utf.h"

namespace platform {
namespace {

constexpr DWORD kQuery = PROCESS_QUERY_INFORMATION;
constexpr DWORD kQueryRead = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;

UniqueHandle OpenById(uint32_t processId, DWORD access) {
    return UniqueHandle(::OpenProcess(access, FALSE, processId));
}

std::string CutAtNul(const wchar_t* text, size_t capacity) {
    size_t length = 0;
    while (length < capacity && text[length] != L'\0') ++length;
    return ToUtf8(std::wstring_view(text, length));
}

uint64_t WorkingSetOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(process, &counters, sizeof counters)) return 0;
    return static_cast<uint64_t>(counters.WorkingSetSize);
}

std::optional<uint64_t> CreationTimeOf(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) return std::nullopt;
    return (static_cast<uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

using QueryFullProcessImageNameWProc = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);

// Vista and later; looked up so that older Windows still start the program.
QueryFullProcessImageNameWProc QueryImageNameFunction() {
    static const auto function = reinterpret_cast<QueryFullProcessImageNameWProc>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "QueryFullProcessImageNameW")));
    return function;
}

}  // namespace

std::vector<ProcessEntry> SnapshotProcesses() {
    std::vector<ProcessEntry> entries;
    UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return entries;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
        entries.push_back({entry.th32ProcessID, entry.cntThreads, CutAtNul(entry.szExeFile, MAX_PATH)});
    }
    return entries;
}

std::vector<ModuleEntry> SnapshotModules(uint32_t processId) {
    std::vector<ModuleEntry> modules;
    UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
    if (!snapshot) return modules;
    MODULEENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Module32FirstW(snapshot.get(), &entry); more; more = ::Module32NextW(snapshot.get(), &entry)) {
        modules.push_back({CutAtNul(entry.szModule, MAX_MODULE_NAME32 + 1), CutAtNul(entry.szExePath, MAX_PATH)});
    }
    return modules;
}

ProcessFacts QueryProcessFacts(uint32_t processId) {
    ProcessFacts facts;
    const UniqueHandle process = OpenById(processId, kQueryRead);
    if (!process) return facts;
    facts.workingSet = WorkingSetOf(process.get());
    facts.priorityClass = ::GetPriorityClass(process.get());
    return facts;
}

uint32_t ProcessPriorityClass(uint32_t processId) {
    const UniqueHandle process = OpenById(processId, kQuery);
    return process ? ::GetPriorityClass(process.get()) : 0;
}

bool SetProcessPriorityClass(uint32_t processId, uint32_t priorityClass) {
    const UniqueHandle process = OpenById(processId, PROCESS_SET_INFORMATION);
    return process && ::SetPriorityClass(process.get(), priorityClass);
}

uint64_t ProcessWorkingSet(uint32_t processId) {
    const UniqueHandle process = OpenById(processId, kQueryRead);
    return process ? WorkingSetOf(process.get()) : 0;
}

std::string ProcessImagePath(uint32_t processId) {
    const UniqueHandle process = OpenById(processId, kQueryRead);
    if (!process) return {};
    std::wstring buffer(32768, L'\0');
    if (const auto query = QueryImageNameFunction()) {
        DWORD size = static_cast<DWORD>(buffer.size());
        if (query(process.get(), 0, buffer.data(), &size)) return ToUtf8(std::wstring_view(buffer.data(), size));
    }
    const DWORD length =
        ::GetModuleFileNameExW(process.get(), nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return ToUtf8(std::wstring_view(buffer.data(), length));
}

std::optional<uint64_t> ProcessCreationTime(uint32_t processId) {
    const UniqueHandle process = OpenById(processId, kQuery);
    if (!process) return std::nullopt;
    return CreationTimeOf(process.get());
}

std::optional<ClockTime> LocalClockTime(uint64_t fileTime) {
    FILETIME utc, local;
    utc.dwLowDateTime = static_cast<DWORD>(fileTime);
    utc.dwHighDateTime = static_cast<DWORD>(fileTime >> 32);
    SYSTEMTIME time;
    if (!::FileTimeToLocalFileTime(&utc, &local) || !::FileTimeToSystemTime(&local, &time)) return std::nullopt;
    return ClockTime{time.wHour, time.wMinute, time.wSecond};
}

bool TerminateProcessById(uint32_t processId, uint32_t exitCode, std::optional<uint64_t> expectedCreationTime) {
    const UniqueHandle process = OpenById(processId, PROCESS_TERMINATE | kQuery);
    if (!process) return false;
    if (expectedCreationTime && CreationTimeOf(process.get()) != expectedCreationTime) return false;
    // Wine still opens, and "ends", a process that has exited while a handle
    // to it remains; Windows refuses.
    DWORD status = 0;
    if (::GetExitCodeProcess(process.get(), &status) && status != STILL_ACTIVE) return false;
    return ::TerminateProcess(process.get(), exitCode) != FALSE;
}

uint32_t CurrentProcessId() { return ::GetCurrentProcessId(); }

}  // namespace platform
