#include "platform/process_info.h"

// clang-format off
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>
// clang-format on

#include <algorithm>
#include <array>
#include <atomic>

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

using EnumProcessModulesExProc = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, LPDWORD, DWORD);

// The modules through the process status functions (Windows 7 and later):
// they also list a 32-bit process from the 64-bit build where Toolhelp
// refuses (Wine answers ERROR_NOACCESS).
std::vector<ModuleEntry> ProcessStatusModules(uint32_t processId) {
    static const auto enumerate = reinterpret_cast<EnumProcessModulesExProc>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "K32EnumProcessModulesEx")));
    std::vector<ModuleEntry> modules;
    const UniqueHandle process = OpenById(processId, kQueryRead);
    if (!enumerate || !process) return modules;
    std::vector<HMODULE> handles(64);
    DWORD needed = 0;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const DWORD size = static_cast<DWORD>(handles.size() * sizeof(HMODULE));
        if (!enumerate(process.get(), handles.data(), size, &needed, LIST_MODULES_ALL)) return modules;
        if (needed <= size) break;
        handles.resize(needed / sizeof(HMODULE) + 16);  // room for modules loaded meanwhile
    }
    handles.resize(std::min<size_t>(handles.size(), needed / sizeof(HMODULE)));
    std::wstring buffer(32768, L'\0');
    const auto capacity = static_cast<DWORD>(buffer.size());
    for (const HMODULE module : handles) {
        const DWORD name = ::GetModuleBaseNameW(process.get(), module, buffer.data(), capacity);
        if (name == 0) continue;
        ModuleEntry entry{ToUtf8(std::wstring_view(buffer.data(), name)), {}};
        const DWORD path = ::GetModuleFileNameExW(process.get(), module, buffer.data(), capacity);
        entry.path = ToUtf8(std::wstring_view(buffer.data(), path));
        modules.push_back(std::move(entry));
    }
    return modules;
}

using QueryFullProcessImageNameWProc = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);

// Vista and later; looked up so that older Windows still start the program.
QueryFullProcessImageNameWProc QueryImageNameFunction() {
    static const auto function = reinterpret_cast<QueryFullProcessImageNameWProc>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "QueryFullProcessImageNameW")));
    return function;
}

// The documented layout of one SystemProcessInformation record, as far as
// it is read here.
struct CountedString {
    USHORT length;
    USHORT maximumLength;
    PWSTR buffer;
};
struct ProcessRecord {
    ULONG nextEntryOffset;
    ULONG numberOfThreads;
    LARGE_INTEGER workingSetPrivateSize;
    ULONG hardFaultCount;
    ULONG numberOfThreadsHighWatermark;
    ULONGLONG cycleTime;
    LARGE_INTEGER createTime;
    LARGE_INTEGER userTime;
    LARGE_INTEGER kernelTime;
    CountedString imageName;
    LONG basePriority;
    HANDLE uniqueProcessId;
    HANDLE inheritedFromUniqueProcessId;
    ULONG handleCount;
    ULONG sessionId;
    ULONG_PTR uniqueProcessKey;
    SIZE_T peakVirtualSize;
    SIZE_T virtualSize;
    ULONG pageFaultCount;
    SIZE_T peakWorkingSetSize;
    SIZE_T workingSetSize;
};

using NtQuerySystemInformationProc = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
constexpr ULONG kSystemProcessInformation = 5;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

const ProcessRecord* RecordAt(const std::vector<unsigned long long>& buffer, size_t offset) {
    return reinterpret_cast<const ProcessRecord*>(reinterpret_cast<const unsigned char*>(buffer.data()) + offset);
}

template <typename Visit>
void ForEachRecord(const std::vector<unsigned long long>& buffer, Visit&& visit) {
    for (size_t offset = 0;;) {
        const ProcessRecord* record = RecordAt(buffer, offset);
        visit(*record);
        if (record->nextEntryOffset == 0) break;
        offset += record->nextEntryOffset;
    }
}

uint32_t IdOf(const ProcessRecord& record) {
    return static_cast<uint32_t>(reinterpret_cast<ULONG_PTR>(record.uniqueProcessId));
}

// The base priority a record gives for each priority class: Windows gives
// the scheduling priority the class sets, Wine the class's own number.
struct PriorityStep {
    LONG basePriority;
    uint32_t priorityClass;
};
using PriorityScale = std::array<PriorityStep, 6>;
constexpr PriorityScale kWindowsScale = {{{4, IDLE_PRIORITY_CLASS},
                                          {6, BELOW_NORMAL_PRIORITY_CLASS},
                                          {8, NORMAL_PRIORITY_CLASS},
                                          {10, ABOVE_NORMAL_PRIORITY_CLASS},
                                          {13, HIGH_PRIORITY_CLASS},
                                          {24, REALTIME_PRIORITY_CLASS}}};
constexpr PriorityScale kWineScale = {{{1, IDLE_PRIORITY_CLASS},
                                       {2, NORMAL_PRIORITY_CLASS},
                                       {3, HIGH_PRIORITY_CLASS},
                                       {4, REALTIME_PRIORITY_CLASS},
                                       {5, BELOW_NORMAL_PRIORITY_CLASS},
                                       {6, ABOVE_NORMAL_PRIORITY_CLASS}}};

uint32_t ClassOn(const PriorityScale& scale, LONG basePriority) {
    for (const PriorityStep& step : scale)
        if (step.basePriority == basePriority) return step.priorityClass;
    return 0;
}

// Which scale this system uses, told by this program's own record against
// its own class; none when neither agrees (the tick then asks each process).
const PriorityScale* ScaleOf(const std::vector<unsigned long long>& buffer) {
    static std::atomic<const PriorityScale*> known{nullptr};
    if (const PriorityScale* scale = known.load()) return scale;
    const uint32_t self = ::GetCurrentProcessId();
    const uint32_t selfClass = ::GetPriorityClass(::GetCurrentProcess());
    const PriorityScale* found = nullptr;
    ForEachRecord(buffer, [&](const ProcessRecord& record) {
        if (IdOf(record) != self || selfClass == 0) return;
        if (ClassOn(kWindowsScale, record.basePriority) == selfClass) found = &kWindowsScale;
        if (ClassOn(kWineScale, record.basePriority) == selfClass) found = &kWineScale;
    });
    if (found) known.store(found);
    return found;
}

}  // namespace

bool ProcessSnapshot::QuerySystem() {
    static const auto query = reinterpret_cast<NtQuerySystemInformationProc>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return false;
    if (buffer_.empty()) buffer_.resize(64 * 1024 / sizeof(unsigned long long));
    LONG status = kInfoLengthMismatch;
    for (int attempt = 0; attempt < 4 && status == kInfoLengthMismatch; ++attempt) {
        ULONG needed = 0;
        const auto size = static_cast<ULONG>(buffer_.size() * sizeof(unsigned long long));
        status = query(kSystemProcessInformation, buffer_.data(), size, &needed);
        if (status == kInfoLengthMismatch)
            buffer_.resize((std::max<size_t>(needed, size) * 2) / sizeof(unsigned long long) + 1);
    }
    return status >= 0;
}

const std::vector<ProcessEntry>& ProcessSnapshot::Take() {
    if (!QuerySystem()) {
        entries_ = ToolhelpProcesses();
        return entries_;
    }
    const PriorityScale* scale = ScaleOf(buffer_);
    size_t count = 0;
    ForEachRecord(buffer_, [&](const ProcessRecord& record) {
        if (count == entries_.size()) entries_.emplace_back();
        ProcessEntry& entry = entries_[count++];
        const uint32_t id = IdOf(record);
        const auto created = static_cast<uint64_t>(record.createTime.QuadPart);
        if (!entry.countersKnown || entry.id != id || entry.creationTime != created) {
            const CountedString& name = record.imageName;
            entry.exeFile = name.buffer ? ToUtf8(std::wstring_view(name.buffer, name.length / 2)) : std::string();
        }
        entry.id = id;
        entry.threads = record.numberOfThreads;
        entry.countersKnown = true;
        entry.workingSet = record.workingSetSize;
        entry.creationTime = created;
        entry.priorityClass = scale ? ClassOn(*scale, record.basePriority) : 0;
        entry.parentId = static_cast<uint32_t>(reinterpret_cast<ULONG_PTR>(record.inheritedFromUniqueProcessId));
        entry.cpuTime = static_cast<uint64_t>(record.kernelTime.QuadPart + record.userTime.QuadPart);
    });
    entries_.resize(count);
    return entries_;
}

std::vector<ProcessEntry> SnapshotProcesses() {
    static thread_local ProcessSnapshot snapshot;
    return snapshot.Take();
}

std::vector<ProcessEntry> ToolhelpProcesses() {
    std::vector<ProcessEntry> entries;
    UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return entries;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
        ProcessEntry listed;
        listed.id = entry.th32ProcessID;
        listed.threads = entry.cntThreads;
        listed.exeFile = CutAtNul(entry.szExeFile, MAX_PATH);
        listed.parentId = entry.th32ParentProcessID;
        entries.push_back(std::move(listed));
    }
    return entries;
}

std::vector<ModuleEntry> SnapshotModules(uint32_t processId) {
    std::vector<ModuleEntry> modules;
    // Both kinds: a 32-bit process seen from the 64-bit build lists its own
    // modules only with TH32CS_SNAPMODULE32. ERROR_BAD_LENGTH means the
    // process was loading or unloading a module meanwhile: ask again.
    UniqueHandle snapshot;
    for (int attempt = 0; attempt < 8 && !snapshot; ++attempt) {
        snapshot.reset(::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, processId));
        if (!snapshot && ::GetLastError() != ERROR_BAD_LENGTH) break;
    }
    if (!snapshot) return ProcessStatusModules(processId);
    MODULEENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Module32FirstW(snapshot.get(), &entry); more; more = ::Module32NextW(snapshot.get(), &entry)) {
        modules.push_back({CutAtNul(entry.szModule, MAX_MODULE_NAME32 + 1), CutAtNul(entry.szExePath, MAX_PATH)});
    }
    return modules;
}

ProcessQuery ProcessQuery::Open(uint32_t processId) {
    ProcessQuery query;
    query.handle_ = OpenById(processId, kQueryRead);
    return query;
}

uint32_t ProcessQuery::PriorityClass() const { return handle_ ? ::GetPriorityClass(handle_.get()) : 0; }

uint64_t ProcessQuery::WorkingSet() const { return handle_ ? WorkingSetOf(handle_.get()) : 0; }

std::optional<uint64_t> ProcessQuery::CreationTime() const {
    return handle_ ? CreationTimeOf(handle_.get()) : std::nullopt;
}

std::string ProcessQuery::ImagePath() const {
    if (!handle_) return {};
    std::wstring buffer(32768, L'\0');
    if (const auto query = QueryImageNameFunction()) {
        DWORD size = static_cast<DWORD>(buffer.size());
        if (query(handle_.get(), 0, buffer.data(), &size)) return ToUtf8(std::wstring_view(buffer.data(), size));
    }
    const DWORD length =
        ::GetModuleFileNameExW(handle_.get(), nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return ToUtf8(std::wstring_view(buffer.data(), length));
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

std::string ProcessImagePath(uint32_t processId) { return ProcessQuery::Open(processId).ImagePath(); }

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

unsigned ProcessorCount() {
    SYSTEM_INFO info = {};
    ::GetSystemInfo(&info);
    return std::max<unsigned>(info.dwNumberOfProcessors, 1);
}

}  // namespace platform
