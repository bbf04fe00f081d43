// Junk scan speed: a bare FindFirstFileExW walk of a generated tree against
// a full ClsFindFiles scan with the default patterns and the junk page's
// own event handling, both in one run under Wine; and how soon Stop ends a
// scan.
//   bench/run junk_scan [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/settings.h"
#include "junk/frm_junk.h"
#include "junk/junk_types.h"
#include "platform/handles.h"
#include "platform/throttled_pump.h"

namespace {

// Upper case, as the junk page hands drive keys to the search: a name that
// differs in case would cost Wine a case-insensitive lookup at every folder.
const std::wstring kTree = L"C:\\JUNKBENCH";

double Seconds(int64_t ticks) { return static_cast<double>(ticks) / static_cast<double>(platform::ClockFrequency()); }

// The walk every search has to make, and nothing more.
void BareWalk(const std::wstring& folder, uint64_t& files) {
    WIN32_FIND_DATAW data;
    std::vector<std::wstring> subfolders;
    {
        platform::UniqueFindHandle find(::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data,
                                                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
        if (!find) return;
        do {
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (std::wcscmp(data.cFileName, L".") && std::wcscmp(data.cFileName, L".."))
                    subfolders.push_back(folder + L"\\" + data.cFileName);
            } else {
                ++files;
            }
        } while (::FindNextFileW(find.get(), &data));
    }
    for (const std::wstring& sub : subfolders) BareWalk(sub, files);
}

// CPU time of this process (user + kernel), seconds: less disturbed by other
// work on the machine than the wall clock.
double CpuSeconds() {
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto value = [](const FILETIME& t) { return (uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
    return static_cast<double>(value(kernel) + value(user)) / 1e7;
}

// Stop pressed in the middle of a scan, as the pump delivers it: the time
// from the click to the scan having returned, its workers joined.
junk::Frm_Junk* stopPage = nullptr;
int64_t stopTicks = 0;

void CALLBACK PressStop(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    stopTicks = platform::ClockTicks();
    stopPage->Cmd_Scan_Click();
}

double CancelMs(junk::Frm_Junk& page) {
    stopPage = &page;
    stopTicks = 0;
    ::SetTimer(nullptr, 0, 300, PressStop);
    page.Cmd_Scan_Click();
    const double ms = stopTicks ? Seconds(platform::ClockTicks() - stopTicks) * 1000 : -1;
    page.Cmd_Scan_Click();  // "< Back"
    return ms;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 5;
    bench::MakeJunkTree(kTree, 100);  // about 200,000 files, made once
    ::CreateDirectoryW(L"C:\\bench-settings", nullptr);
    core::SetSettingsPaths("C:\\bench-settings");
    junk::LoadDefaultTypes();

    bench::SilentPrompts prompts;
    junk::Frm_Junk page(prompts);
    page.LvDrives = {junk::DriveRow{"c:\\junkbench\\", "bench", "", "", true}};

    uint64_t files = 0;
    BareWalk(kTree, files);  // warm the caches once
    std::vector<double> bare, engine, bareCpu, engineCpu, cancel;
    double maxGap = 0;
    size_t listed = 0;
    for (int i = 0; i < runs; ++i) {
        files = 0;
        int64_t start = platform::ClockTicks();
        double cpu = CpuSeconds();
        BareWalk(kTree, files);
        bare.push_back(Seconds(platform::ClockTicks() - start));
        bareCpu.push_back(CpuSeconds() - cpu);

        start = platform::ClockTicks();
        cpu = CpuSeconds();
        page.Cmd_Scan_Click();  // scans to the end
        engine.push_back(Seconds(platform::ClockTicks() - start));
        engineCpu.push_back(CpuSeconds() - cpu);
        maxGap = std::max(maxGap, page.Find.Pump().MaxGapMs());
        listed = page.LvResult.size();
        page.Cmd_Scan_Click();  // "< Back"
        cancel.push_back(CancelMs(page));
        std::printf("run %d: bare %.2f s (cpu %.2f s), engine %.2f s (cpu %.2f s), %zu files listed, cancel %.1f ms\n",
                    i + 1, bare.back(), bareCpu.back(), engine.back(), engineCpu.back(), listed, cancel.back());
        std::fflush(stdout);
    }
    const double bareMedian = Median(bare);
    const double engineMedian = Median(engine);
    const double ratio = bareMedian / engineMedian;
    const double filesPerSecond = static_cast<double>(files) / engineMedian;
    std::printf("files %llu, listed as junk %zu\n", static_cast<unsigned long long>(files), listed);
    std::printf("median bare walk %.2f s, median engine scan %.2f s\n", bareMedian, engineMedian);
    std::printf("median cpu: bare %.2f s, engine %.2f s (ratio %.3f)\n", Median(bareCpu), Median(engineCpu),
                Median(bareCpu) / Median(engineCpu));
    std::printf("ratio=%.3f files_per_s=%.0f max_pump_gap_ms=%.1f max_cancel_ms=%.1f\n", ratio, filesPerSecond, maxGap,
                *std::max_element(cancel.begin(), cancel.end()));
    return 0;
}
