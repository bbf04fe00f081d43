// Shows the junk page in a window of its own, in one of its states, for
// screenshots:  junk_page_host.exe ready|scanning|results|clean|options [types]
// It makes a small tree with junk in it, maps it as a test drive and ticks it.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "core/cls_file_folder.h"
#include "core/results_tally.h"
#include "core/settings.h"
#include "junk/frm_clean_options_window.h"
#include "junk/frm_junk_window.h"
#include "platform/handles.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/test_drive.h"

namespace {

junk::FrmJunkWindow* page = nullptr;
bool cleanToo = false;

// Tells the screenshot script that the state to show is on screen.
void SignalReady() {
    ::UpdateWindow(::GetDesktopWindow());
    testing_support::WriteFile("C:\\clarimo\\shot-ready.txt", "1");
}

void CALLBACK ReadySoon(HWND window, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(window, id);
    SignalReady();
}

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && page && page->OnCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
    if (message == WM_DESTROY) ::PostQuitMessage(0);
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// The button strip passes the page's buttons on, as the main window must.
LRESULT CALLBACK StripProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_COMMAND && page && page->OnCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
    return ::DefSubclassProc(window, message, wParam, lParam);
}

void CALLBACK TickSomeResults(HWND window, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(window, id);
    junk::Frm_Junk& logic = page->Logic();
    for (size_t i = 0; i < logic.LvResult.size(); i += 2) logic.LvResult[i].Checked = true;
    logic.Changed();
    if (cleanToo)
        page->OnCommand(junk::FrmJunkWindow::kCleanButtonId, BN_CLICKED);
    else
        ::SetTimer(window, 2, 700, ReadySoon);
}

testing_support::ScriptedPrompts* optionsPrompts = nullptr;

void CALLBACK OpenOptions(HWND window, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(window, id);
    junk::FrmCleanOptionsWindow options(*optionsPrompts);
    options.ShowModal(window, [](HWND dialog) { ::SetTimer(dialog, 2, 700, ReadySoon); });
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"ready";
    cleanToo = mode == L"clean";
    platform::ComApartment com;
    testing_support::TempFolder settings, tree;
    core::SetSettingsPaths(settings.path());
    core::WriteIni(core::MainIniPath, "Options", "ConDlg", "0");
    testing_support::MakeFolder(tree / "Documents\\Old reports");
    testing_support::MakeFolder(tree / "Work\\build");
    const char* files[] = {"~WRL0003.tmp",
                           "setup.log.bak",
                           "Documents\\report.doc.old",
                           "Documents\\Old reports\\q1.bak",
                           "Work\\build\\app.dmp",
                           "Work\\build\\cache.tmp",
                           "Work\\notes.txt",
                           "thumbs.db",
                           "Work\\\xD0\xBE\xD1\x82\xD1\x87\xD1\x91\xD1\x82.tmp"};
    for (const char* f : files) testing_support::WriteFile(tree / f, std::string(1500, 'x'));
    testing_support::TestDrive drive(tree.path());

    WNDCLASSW wc{};
    wc.lpfnWndProc = HostProcedure;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"JunkPageHost";
    ::RegisterClassW(&wc);
    HWND host = ::CreateWindowExW(0, L"JunkPageHost", L"Clarimo 2.1 - Junk Files", WS_OVERLAPPEDWINDOW, 20, 20, 760,
                                  600, nullptr, nullptr, wc.hInstance, nullptr);
    RECT client;
    ::GetClientRect(host, &client);
    HWND area = ::CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                  client.right, client.bottom - 50, host, nullptr, nullptr, nullptr);
    HWND strip = ::CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, client.bottom - 50,
                                   client.right, 50, host, nullptr, nullptr, nullptr);
    ::SetWindowSubclass(strip, StripProcedure, 1, 0);
    ::SetWindowSubclass(area, StripProcedure, 1, 0);
    HWND resultStrip =
        ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_NOPREFIX, 10, 15, 420, 22, strip, nullptr, nullptr, nullptr);

    testing_support::ScriptedPrompts prompts;
    junk::FrmJunkWindow junkPage(prompts);
    page = &junkPage;
    junkPage.Create(area);
    ::SetParent(junkPage.ScanButton(), strip);
    ::SetParent(junkPage.CleanButton(), strip);
    ::MoveWindow(junkPage.ScanButton(), client.right - 210, 10, 95, 30, TRUE);
    ::MoveWindow(junkPage.CleanButton(), client.right - 105, 10, 95, 30, TRUE);
    ::SendMessageW(resultStrip, WM_SETFONT, ::SendMessageW(junkPage.ScanButton(), WM_GETFONT, 0, 0), TRUE);
    junk::Frm_Junk& logic = junkPage.Logic();
    logic.ShowResult = [&] {
        const uint64_t count = core::CleanedCount, size = core::CleanedSize;
        if (logic.ResultListEmptied()) logic.Cmd_Scan_Click();
        const std::string text =
            "  Cleaned Space : " + core::ClsFileFolder().CalcSize(size) + ", Files : " + std::to_string(count);
        ::SetWindowTextA(resultStrip, text.c_str());
        ::ShowWindow(resultStrip, SW_SHOW);
        ::SetTimer(host, 2, 700, ReadySoon);
    };
    for (auto& row : logic.LvDrives) row.Checked = row.Key[0] == drive.letter() + 32;
    logic.Tm_Timer();
    logic.Changed();
    ::ShowWindow(host, SW_SHOW);
    ::UpdateWindow(host);

    if (mode == L"scanning") {
        // Hold the scan after three results, as a long scan looks.
        auto handler = logic.Find.FindResultChanged;
        logic.Find.FindResultChanged = [&] {
            handler();
            if (logic.LvResult.size() != 3) return;
            logic.Time_Timer();
            logic.Time_Timer();
            logic.Find.Pump().Pump();
            ::SetTimer(host, 2, 700, ReadySoon);
            MSG msg;
            while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            ::PostQuitMessage(0);
        };
    }
    if (mode == L"ready") ::SetTimer(host, 2, 700, ReadySoon);
    if (mode != L"ready" && mode != L"options")
        ::PostMessageW(host, WM_COMMAND, MAKEWPARAM(junk::FrmJunkWindow::kScanButtonId, BN_CLICKED), 0);
    if (mode == L"results" || mode == L"clean") ::SetTimer(host, 1, 1500, TickSomeResults);
    if (mode == L"options") {
        core::WriteIni(core::MainIniPath, "Jnk", "Slt", argc > 2 ? "1" : "0");
        optionsPrompts = &prompts;
        // Opened from the running message loop, as the options page does.
        ::SetTimer(host, 3, 500, OpenOptions);
    }
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (::IsDialogMessageW(host, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    page = nullptr;
    return 0;
}
