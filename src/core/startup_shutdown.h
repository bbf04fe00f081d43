// The two ends of a run: the start-up form's logic (single-instance lock,
// unclean-exit warning, settings paths, theme, main window) and the shut-down
// that the main window's unload runs (view state saved, other windows
// unloaded in a fixed order, lock released, run marked as ended, process
// ended at once).
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/prompts.h"

namespace platform {
class NamedMutex;
}

namespace core {

// Name of the lock that keeps two copies from running on the same settings.
inline constexpr char kAppMutexName[] = "QXv2mtx";

// The lock's two handles. InstanceMutex is taken (and owned by the main
// thread) first and stays open for the life of the process; AppMutex is the
// second handle, released by the shut-down.
extern platform::NamedMutex InstanceMutex;
extern platform::NamedMutex AppMutex;

// Faults during the rest of the shut-down end the process without the
// system's fault dialog.
void PreventCrash();
// Ends the process at once (exit code 1); no further window message runs.
[[noreturn]] void EndProcess();

// The run marker `Trm` of section `Main`: "0" while the program runs, "1"
// after an orderly end. A "0" found at start-up means the last run crashed
// or was killed.
void MarkRunning(const std::string& mainIniPath);
void MarkOrderlyEnd(const std::string& mainIniPath);

// The whole text as an integer, blanks around it allowed; fallback for
// anything else ("abc", "", "1x", out of range).
int IntegerOr(std::string_view text, int fallback);

// The start-up form: the program's first window.
class Frm_Sp {
public:
    static constexpr int kTmInterval = 1;  // ms

    // programFolder: where the settings files live (the executable's folder).
    // applyTheme gets the theme index 0..5; showMainWindow loads and shows the
    // main window without waiting; unload closes the start-up window.
    Frm_Sp(Prompts& prompts, std::string programFolder, std::function<void(int)> applyTheme,
           std::function<void()> showMainWindow, std::function<void()> unload);

    // Caption and labels of the start-up window.
    static std::string TitleText();   // "Clarimo 2.1"
    static std::string BuildText();   // "Build (15)"
    static std::string StatusText();  // "Loading Settings"

    // Runs before the window is shown. False when another copy is running:
    // the refusal has been shown and the caller ends the program at once,
    // with no window and no setting written.
    bool Form_Load();

    // The timer Tm: enabled when the form is created, runs once.
    bool TmEnabled() const { return tmEnabled_; }
    void Tm_Timer();

private:
    Prompts& prompts_;
    std::string programFolder_;
    std::function<void(int)> applyTheme_;
    std::function<void()> showMainWindow_;
    std::function<void()> unload_;
    bool tmEnabled_ = true;
};

// The unload steps of the program's other windows. Each window registers
// under its own name when it is created; the shut-down runs them in the
// fixed order of kOrder, whatever the order they registered in.
class WindowUnloads {
public:
    static constexpr std::array<std::string_view, 17> kOrder = {
        "Frm_About",   "Frm_AddNewProg", "Frm_AllProp", "Frm_Clean_Options", "Frm_EditType", "Frm_Junk",
        "Frm_NewType", "Frm_Options",    "Frm_Privacy", "FrmPrivacyProg",    "FrmProg",      "Frm_Startup",
        "Frm_Tasks",   "FrmProcMenus",   "ToolTip",     "FrmDonate",         "FrmCookies"};

    // unload runs the window's own unload logic (it saves its settings);
    // saveSettings, when given, saves them without unloading (Windows is
    // ending the session). False, and nothing registered, when name is not one
    // of kOrder; a second registration under a name replaces the first.
    bool Register(std::string_view name, std::function<void()> unload, std::function<void()> saveSettings = {});

    // Runs each registered unload once, in kOrder. A failing unload does not
    // stop the others.
    void UnloadAll();
    // Runs each registered saveSettings, in kOrder.
    void SaveAll() const;

private:
    struct Entry {
        std::function<void()> unload;
        std::function<void()> saveSettings;
        bool unloaded = false;
    };
    std::array<Entry, kOrder.size()> entries_;
};

// The main window's top-left corner on the screen, saved as WinX and WinY.
struct WindowPosition {
    int x = 0;
    int y = 0;
};

// What the shut-down needs from the main window.
struct MainWindowUnload {
    std::function<void(std::string_view)> appendToCaption;
    int currentPage = 0;                     // saved as Cb
    bool compactView = false;                // saved as Vmode
    std::optional<WindowPosition> position;  // saved as WinX, WinY when known
    WindowUnloads* otherWindows = nullptr;
    std::function<void()> endProcess;  // EndProcess when empty (tests pass their own)
};

// The main window's unload: caption + " -.", Cb and Vmode saved, the other
// windows unloaded, ".", AppMutex released, PreventCrash, ".", Trm = "1",
// then the process ends. Settings go to MainIniPath.
void UnloadMainWindow(const MainWindowUnload& mainWindow);

// Cb (decimal text after one blank, " 3") and Vmode ("1" compact, "0" full),
// and WinX, WinY (decimal) when the position is known.
void SaveMainWindowState(int currentPage, bool compactView, std::optional<WindowPosition> position = std::nullopt);

// The position the main window was closed at; nullopt when WinX or WinY is
// missing or no integer (the window is then centred).
std::optional<WindowPosition> StoredMainWindowPosition();

// Windows is logging off or shutting down: an orderly end that skips the
// unload. Saves what the shut-down saves (Cb, Vmode, the position, each
// other window's settings) and writes Trm = "1".
void SaveAtSessionEnd(int currentPage, bool compactView, const WindowUnloads* otherWindows,
                      std::optional<WindowPosition> position = std::nullopt);

}  // namespace core
