// Responsiveness: the longest time the interface thread goes without taking
// a message from its queue, during each long operation, against real
// services under Wine:
//   - a junk scan of the generated tree (tops x 2,000 files),
//   - a junk clean of clean_files files to the recycle bin,
//   - a privacy clean of privacy_files files in the temp folder,
//   - an update check against a loopback server that sends one byte every 5 s,
//   - a startup page load of startup_rows Run entries, a quarter of them on a
//     drive that does not exist, and a column click. The page itself is
//     made before the meter starts, as the main window makes every page
//     before it shows; the time that takes is printed on its own.
//   bench/run responsiveness [tops=100] [clean_files=20000] [privacy_files=20000] [startup_rows=200]
// A helper thread keeps one probe message waiting for the interface thread;
// a hook sees each probe taken. The gap is the longest time between two
// takes (resolution about 1 ms).
#include <windows.h>
#include <winsock2.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "bench_support.h"
#include "core/settings.h"
#include "junk/frm_junk.h"
#include "junk/junk_types.h"
#include "platform/handles.h"
#include "platform/message_pump.h"
#include "platform/throttled_pump.h"
#include "privacy/frm_privacy.h"
#include "startup/frm_startup.h"
#include "startup/startup_page_window.h"
#include "update/frm_update.h"
#include "update/update_system.h"

namespace {

constexpr UINT kProbe = WM_APP + 0x3a1;

double Ms(int64_t ticks) {
    return static_cast<double>(ticks) * 1000.0 / static_cast<double>(platform::ClockFrequency());
}

// The longest time between two messages taken by this thread.
class GapMeter {
public:
    GapMeter() : thread_(::GetCurrentThreadId()) {
        meter_ = this;
        hook_ = ::SetWindowsHookExW(WH_GETMESSAGE, OnMessageTaken, nullptr, thread_);
        start_ = last_ = platform::ClockTicks();
        poster_ = std::thread([this] {
            while (!stop_) {
                if (!waiting_.exchange(true)) ::PostThreadMessageW(thread_, kProbe, 0, 0);
                ::Sleep(1);
            }
        });
    }
    GapMeter(const GapMeter&) = delete;
    GapMeter& operator=(const GapMeter&) = delete;
    ~GapMeter() { Stop(); }

    double Stop() {
        if (poster_.joinable()) {
            Taken();  // the end counts as a take
            stop_ = true;
            poster_.join();
            ::UnhookWindowsHookEx(hook_);
            meter_ = nullptr;
        }
        return Ms(maxGap_);
    }
    // When the longest gap ended, and the whole measure, in ms from the start.
    double GapEndMs() const { return Ms(maxGapEnd_ - start_); }
    double TotalMs() const { return Ms(last_ - start_); }

private:
    static LRESULT CALLBACK OnMessageTaken(int code, WPARAM removal, LPARAM message) {
        const MSG* msg = reinterpret_cast<const MSG*>(message);
        if (code == HC_ACTION && removal == PM_REMOVE && msg->message == kProbe && meter_) meter_->Taken();
        return ::CallNextHookEx(nullptr, code, removal, message);
    }
    void Taken() {
        const int64_t now = platform::ClockTicks();
        if (now - last_ > maxGap_) {
            maxGap_ = now - last_;
            maxGapEnd_ = now;
        }
        last_ = now;
        waiting_ = false;
    }

    static inline GapMeter* meter_ = nullptr;
    DWORD thread_;
    HHOOK hook_ = nullptr;
    int64_t start_ = 0;
    int64_t last_ = 0;
    int64_t maxGap_ = 0;
    int64_t maxGapEnd_ = 0;
    std::atomic<bool> waiting_{false};
    std::atomic<bool> stop_{false};
    std::thread poster_;
};

// Stops the meter and says how long the longest gap was and when it ended.
double Measured(const char* name, GapMeter& meter) {
    const double gap = meter.Stop();
    std::printf("%s: longest gap %.1f ms, ending %.0f ms into %.0f ms\n", name, gap, meter.GapEndMs(), meter.TotalMs());
    std::fflush(stdout);
    return gap;
}

double ScanGap(int tops) {
    // A tree of each size of its own, made once.
    const std::string tree = "C:\\JUNKBENCH" + std::to_string(tops);
    bench::MakeJunkTree(std::wstring(tree.begin(), tree.end()), tops);
    bench::SilentPrompts prompts;
    junk::Frm_Junk page(prompts);
    page.LvDrives = {junk::DriveRow{tree + "\\", "bench", "", "", true}};
    GapMeter meter;
    page.Cmd_Scan_Click();  // scans to the end
    return Measured("scan", meter);
}

// A folder of count files that a junk scan lists, and the scan that lists them.
double CleanGap(int count) {
    const std::wstring folder = L"C:\\CLEANBENCH";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    for (int i = 0; i < count; ++i) bench::Touch(folder + L"\\f" + std::to_wstring(i) + L".tmp");
    core::WriteIni(core::MainIniPath, "Options", "DType", "1");
    core::WriteIni(core::MainIniPath, "Options", "ConDlg", "0");
    bench::SilentPrompts prompts;
    junk::Frm_Junk page(prompts);
    page.LvDrives = {junk::DriveRow{"c:\\cleanbench\\", "bench", "", "", true}};
    page.Cmd_Scan_Click();
    page.SetAllResults(true);
    std::printf("clean: %zu files listed\n", page.LvResult.size());
    GapMeter meter;
    page.Cmd_Del_Click();
    return Measured("clean", meter);
}

double PrivacyGap(int count) {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring folder = std::wstring(temp, length) + L"privacybench";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    for (int i = 0; i < count; ++i) bench::Touch(folder + L"\\p" + std::to_wstring(i) + L".tmp");
    privacy::Frm_Privacy page;
    page.Form_Load();
    page.Mnu_Pop_DeselectAll_Click();
    page.SetChecked(0, true);  // "Temp Folder"
    GapMeter meter;
    page.Cmd_Clean_Click();
    return Measured("privacy", meter);
}

// Answers one request with a head and then one byte every 5 s, until stopped.
class TricklingServer {
public:
    TricklingServer() {
        WSADATA data;
        ::WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int size = sizeof(address);
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), size);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
        ::listen(listener_, 4);
        thread_ = std::thread([this] { Serve(); });
    }
    TricklingServer(const TricklingServer&) = delete;
    TricklingServer& operator=(const TricklingServer&) = delete;
    ~TricklingServer() {
        stop_ = true;
        ::closesocket(listener_);
        thread_.join();
        ::WSACleanup();
    }
    int port() const { return port_; }

private:
    void Serve() {
        const SOCKET client = ::accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) return;
        char request[4096];
        ::recv(client, request, sizeof(request), 0);
        const char head[] = "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n";
        ::send(client, head, static_cast<int>(sizeof(head) - 1), 0);
        for (int waited = 0; !stop_; waited += 100) {
            ::Sleep(100);
            if (waited % 5000 == 4900 && ::send(client, "x", 1, 0) != 1) break;
        }
        ::closesocket(client);
    }

    SOCKET listener_;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

double UpdateGap() {
    TricklingServer server;
    core::WriteIni(core::MainIniPath, "Update", "Server", "http://127.0.0.1:" + std::to_string(server.port()));
    update::SystemUpdate system;
    update::Frm_Update check(system, "C:\\bench-settings");
    GapMeter meter;
    check.LnkCheck_Click();
    const double gap = Measured("update", meter);
    std::printf("update: \"%s\"\n", check.Page().statusText.c_str());
    return gap;
}

double StartupGap(int rows) {
    const std::wstring runKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    ::RegDeleteTreeW(HKEY_CURRENT_USER, runKey.c_str());
    HKEY opened = nullptr;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, runKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr);
    const platform::UniqueRegKey run(opened);
    for (int i = 0; i < rows; ++i) {
        // A quarter on drive Q:, which does not exist.
        const std::wstring command =
            (i % 4 == 0 ? L"Q:\\gone\\tool" : L"C:\\windows\\system32\\tool") + std::to_wstring(i) + L".exe /start";
        const std::wstring name = L"Entry " + std::to_wstring(i);
        ::RegSetValueExW(run.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                         static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    }
    const HWND host = ::CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600,
                                        nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    core::WriteIni(core::MainIniPath, "Startup", "Indx", "0");  // the current user's view
    bench::SilentPrompts prompts;
    startup::Frm_Startup logic(prompts);
    double gap = 0;
    {
        startup::StartupPageWindow page(logic, prompts);
        const int64_t created = platform::ClockTicks();
        page.Create(host);
        std::printf("startup: page made in %.1f ms\n", Ms(platform::ClockTicks() - created));
        GapMeter meter;
        // The start timer loads the view; then a column click sorts it.
        for (int i = 0; i < 200 && logic.Rows().size() < static_cast<size_t>(rows); ++i) {
            platform::PumpPendingMessages();
            platform::WaitForMessages(10);
        }
        logic.ColumnClick(1);
        platform::PumpPendingMessages();
        gap = Measured("startup", meter);
        std::printf("startup: %zu rows\n", logic.Rows().size());
        page.Close();
    }
    ::DestroyWindow(host);
    return gap;
}

// The meter's floor: a thread that only waits for messages.
double IdleGap() {
    GapMeter meter;
    for (const uint64_t end = platform::TickCount() + 1000; platform::TickCount() < end;) {
        platform::PumpPendingMessages();
        platform::WaitForMessages(50);
    }
    return Measured("idle (the meter's floor)", meter);
}

int Argument(int argc, wchar_t** argv, int index, int otherwise) {
    return argc > index ? std::max(1, _wtoi(argv[index])) : otherwise;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int tops = Argument(argc, argv, 1, 100);
    const int cleanFiles = Argument(argc, argv, 2, 20000);
    const int privacyFiles = Argument(argc, argv, 3, 20000);
    const int startupRows = Argument(argc, argv, 4, 200);
    ::CreateDirectoryW(L"C:\\bench-settings", nullptr);
    core::SetSettingsPaths("C:\\bench-settings");
    junk::LoadDefaultTypes();

    IdleGap();
    const double scan = ScanGap(tops);
    const double clean = CleanGap(cleanFiles);
    const double privacy = PrivacyGap(privacyFiles);
    const double update = UpdateGap();
    const double startup = StartupGap(startupRows);
    const double worst = std::max({scan, clean, privacy, update, startup});
    std::printf(
        "scan_gap_ms=%.1f clean_gap_ms=%.1f privacy_gap_ms=%.1f update_gap_ms=%.1f startup_gap_ms=%.1f "
        "worst_gap_ms=%.1f\n",
        scan, clean, privacy, update, startup, worst);
    return 0;
}
