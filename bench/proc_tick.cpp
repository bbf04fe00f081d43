// Process page speed: about 100 idle processes, then the page's refresh
// tick with nothing changed, the tick after one process was replaced by
// another (which rebuilds the list), and a full reload, several times each.
// The page runs in a real window, so list writes are part of the figures.
//   bench/run proc_tick [processes] [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/prompts.h"
#include "platform/handles.h"
#include "platform/process_info.h"
#include "platform/throttled_pump.h"
#include "processes/frm_tasks_window.h"

namespace {

struct SilentPrompts : core::Prompts {
    core::PromptAnswer Message(const std::string&, const std::string&, core::PromptIcon, core::PromptButtons) override {
        return core::PromptAnswer::Ok;
    }
    std::string BrowseForFolder(const std::string&, unsigned) override { return {}; }
    std::string OpenFile(const core::FileDialogOptions&) override { return {}; }
    std::string SaveFile(const core::FileDialogOptions&) override { return {}; }
};

double Milliseconds(int64_t ticks) {
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(platform::ClockFrequency());
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// This program again, idling: the processes the page lists.
platform::UniqueHandle StartIdle() {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --idle";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr,
                          &startup, &info))
        return platform::UniqueHandle();
    platform::UniqueHandle thread(info.hThread);
    return platform::UniqueHandle(info.hProcess);
}

void Pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

struct Helpers {
    std::vector<platform::UniqueHandle> processes;
    ~Helpers() {
        for (auto& process : processes)
            if (process) ::TerminateProcess(process.get(), 0);
    }
};

// What each kind of call costs per process, to see where a tick's time goes.
void PrintCallCosts() {
    using Clock = int64_t;
    const auto entries = platform::SnapshotProcesses();
    const double n = static_cast<double>(entries.size());
    auto perProcess = [&](const char* what, auto&& call) {
        const Clock start = platform::ClockTicks();
        for (const auto& entry : entries) call(entry.id);
        std::printf("  %-34s %.1f us per process\n", what, 1000.0 * Milliseconds(platform::ClockTicks() - start) / n);
    };
    Clock start = platform::ClockTicks();
    for (int i = 0; i < 10; ++i) platform::SnapshotProcesses();
    std::printf("call costs over %zu processes:\n  %-34s %.2f ms\n", entries.size(), "process snapshot",
                Milliseconds(platform::ClockTicks() - start) / 10);
    perProcess("OpenProcess + CloseHandle", [](uint32_t id) {
        platform::UniqueHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id));
    });
    perProcess("open + priority class", [](uint32_t id) { platform::ProcessPriorityClass(id); });
    perProcess("open + working set", [](uint32_t id) { platform::ProcessWorkingSet(id); });
    perProcess("open + both", [](uint32_t id) { platform::QueryProcessFacts(id); });
    perProcess("open + creation time", [](uint32_t id) { platform::ProcessCreationTime(id); });
    perProcess("open + image path", [](uint32_t id) { platform::ProcessImagePath(id); });
    // How the snapshot reads the priority classes on this Windows.
    const uint32_t id = entries.empty() ? 0 : entries.back().id;
    for (uint32_t priorityClass : {64u, 16384u, 32u, 32768u, 128u}) {
        platform::SetProcessPriorityClass(id, priorityClass);
        for (const auto& entry : platform::SnapshotProcesses())
            if (entry.id == id) std::printf("  class %u: read as %u\n", priorityClass, entry.priorityClass);
    }
    platform::SetProcessPriorityClass(id, 32);
    std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wstring(argv[1]) == L"--idle") {
        ::Sleep(600000);
        return 0;
    }
    const int count = argc > 1 ? std::stoi(argv[1]) : 100;
    const int runs = argc > 2 ? std::stoi(argv[2]) : 7;
    Helpers helpers;
    for (int i = 0; i < count; ++i) helpers.processes.push_back(StartIdle());
    ::Sleep(2000);  // let them all start

    PrintCallCosts();

    HWND host = ::CreateWindowExW(0, L"STATIC", L"proc_tick", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700, 500, nullptr,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);
    SilentPrompts prompts;
    processes::FrmTasksWindow page(prompts);
    if (!page.Create(host)) {
        std::printf("the page could not be created\n");
        return 1;
    }
    ::ShowWindow(page.Panel(), SW_SHOW);
    processes::Frm_Tasks& logic = page.Logic();
    Pump();
    logic.Tm_Timer();  // settle: the first tick may see the helpers' memory change

    std::vector<double> tick, replaced, rebuild, callOnly;
    platform::ProcessSnapshot bareCall;
    for (int run = 0; run < runs; ++run) {
        // The floor: the system call alone, into a buffer kept as the tick keeps its own.
        int64_t start = platform::ClockTicks();
        bareCall.QuerySystem();
        callOnly.push_back(Milliseconds(platform::ClockTicks() - start));

        const uint64_t writes = logic.cellWrites;
        const uint64_t rebuilds = logic.rebuilds;
        start = platform::ClockTicks();
        logic.Tm_Timer();
        tick.push_back(Milliseconds(platform::ClockTicks() - start));
        const uint64_t tickWrites = logic.cellWrites - writes;
        const bool tickRebuilt = logic.rebuilds != rebuilds;
        Pump();

        // One process ends and another starts: same count, another set.
        ::TerminateProcess(helpers.processes[run].get(), 0);
        ::WaitForSingleObject(helpers.processes[run].get(), 5000);
        helpers.processes[run] = StartIdle();
        ::Sleep(300);
        start = platform::ClockTicks();
        logic.Tm_Timer();
        replaced.push_back(Milliseconds(platform::ClockTicks() - start));
        Pump();

        start = platform::ClockTicks();
        logic.Reload();
        rebuild.push_back(Milliseconds(platform::ClockTicks() - start));
        Pump();
        std::printf(
            "run %d: tick %.2f ms (%llu cells written%s), tick with one replaced %.2f ms, rebuild %.2f ms, "
            "%zu rows\n",
            run + 1, tick.back(), static_cast<unsigned long long>(tickWrites), tickRebuilt ? ", rebuilt" : "",
            replaced.back(), rebuild.back(), logic.Lv.size());
        std::fflush(stdout);
    }
    // The same without a window: what the logic itself costs.
    processes::Frm_Tasks bare(prompts);
    bare.Form_Load();
    std::vector<double> bareTick, bareRebuild;
    for (int run = 0; run < runs; ++run) {
        int64_t start = platform::ClockTicks();
        bare.Tm_Timer();
        bareTick.push_back(Milliseconds(platform::ClockTicks() - start));
        start = platform::ClockTicks();
        bare.Reload();
        bareRebuild.push_back(Milliseconds(platform::ClockTicks() - start));
    }
    std::printf("without the window (median): tick %.2f ms, rebuild %.2f ms\n", Median(bareTick), Median(bareRebuild));
    std::printf("tick with one replaced (median): %.2f ms\n", Median(replaced));
    std::printf("tick_ms=%.2f floor_ms=%.2f rebuild_ms=%.2f processes=%zu\n", Median(tick), Median(callOnly),
                Median(rebuild), logic.Lv.size());
    ::DestroyWindow(host);
    return 0;
}
