#include "core/startup_shutdown.h"

#include <charconv>
#include <limits>
#include <utility>

#include "core/maker.h"
#include "core/settings.h"
#include "platform/mutex.h"
#include "platform/process_exit.h"
#include "platform/ui.h"

namespace core {

platform::NamedMutex InstanceMutex;
platform::NamedMutex AppMutex;

namespace {

constexpr char kMainSection[] = "Main";
constexpr char kRunMarkerKey[] = "Trm";

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace

void PreventCrash() { platform::SuppressFaultDialog(); }

// The exit code is what GetExitCodeProcess answers for the running process
// (its BOOL result, 1).
void EndProcess() { platform::ExitProcessNow(1); }

void MarkRunning(const std::string& mainIniPath) { WriteIni(mainIniPath, kMainSection, kRunMarkerKey, "0"); }

void MarkOrderlyEnd(const std::string& mainIniPath) { WriteIni(mainIniPath, kMainSection, kRunMarkerKey, "1"); }

int IntegerOr(std::string_view text, int fallback) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return fallback;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (text.front() == '+') text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return fallback;
    return value;
}

Frm_Sp::Frm_Sp(Prompts& prompts, std::string programFolder, std::function<void(int)> applyTheme,
               std::function<void()> showMainWindow, std::function<void()> unload)
    : prompts_(prompts),
      programFolder_(std::move(programFolder)),
      applyTheme_(std::move(applyTheme)),
      showMainWindow_(std::move(showMainWindow)),
      unload_(std::move(unload)) {}

std::string Frm_Sp::TitleText() {
    std::string text = maker::kProgramName;
    text.append(" ").append(maker::kVersionText);
    return text;
}

std::string Frm_Sp::BuildText() {
    std::string text = "Build (";
    text.append(std::to_string(maker::kBuild)).append(")");
    return text;
}

std::string Frm_Sp::StatusText() { return "Loading Settings"; }

bool Frm_Sp::Form_Load() {
    platform::InitCommonControls();

    platform::NamedMutex first = platform::NamedMutex::Create(kAppMutexName, true);
    if (first.AlreadyExisted()) {
        // For a mutex that already exists the initial ownership is not
        // granted: releasing fails harmlessly, closing drops the handle.
        first.Release();
        first.Close();
        prompts_.Message("Can,t open another copy of Clarimo", "Clarimo", PromptIcon::Exclamation);
        return false;
    }
    InstanceMutex = std::move(first);

    // The global paths are set by the timer; this one is built here.
    const std::string mainIni = WithSlash(programFolder_) + "Qxs.ini";
    if (IntegerOr(ReadIni(mainIni, kMainSection, kRunMarkerKey, "1"), 1) == 0) {
        std::string warning = "Clarimo was not closed correctlly in last time\r\n";
        warning.append("if there is a problem with this program please contact me at :\r\n");
        warning.append(maker::kContactEmail);
        prompts_.Message(warning, "Clarimo", PromptIcon::Exclamation);
    }

    AppMutex = platform::NamedMutex::Create(kAppMutexName, false);
    return true;
}

void Frm_Sp::Tm_Timer() {
    // Off first: the main window's load may let other messages (and so a
    // second tick) run before this one ends.
    if (!tmEnabled_) return;
    tmEnabled_ = false;

    SetSettingsPaths(programFolder_);

    int theme = IntegerOr(ReadIni(MainIniPath, "Options", "Thm", "0"), 0);
    if (theme < 0 || theme > 5) theme = 0;
    if (applyTheme_) applyTheme_(theme);

    if (showMainWindow_) showMainWindow_();
    if (unload_) unload_();
}

bool WindowUnloads::Register(std::string_view name, std::function<void()> unload, std::function<void()> saveSettings) {
    for (size_t i = 0; i < kOrder.size(); ++i) {
        if (kOrder[i] != name) continue;
        entries_[i] = Entry{std::move(unload), std::move(saveSettings), false};
        return true;
    }
    return false;
}

void WindowUnloads::UnloadAll() {
    for (Entry& entry : entries_) {
        if (!entry.unload || entry.unloaded) continue;
        entry.unloaded = true;
        // The shut-down must reach its end whatever one window does.
        try {
            entry.unload();
        } catch (...) {
        }
    }
}

void WindowUnloads::SaveAll() const {
    for (const Entry& entry : entries_) {
        if (!entry.saveSettings) continue;
        try {
            entry.saveSettings();
        } catch (...) {
        }
    }
}

void SaveMainWindowState(int currentPage, bool compactView, std::optional<WindowPosition> position) {
    std::string page = " ";
    page.append(std::to_string(currentPage));
    WriteIni(MainIniPath, kMainSection, "Cb", page);
    WriteIni(MainIniPath, kMainSection, "Vmode", compactView ? "1" : "0");
    if (!position) return;
    WriteIni(MainIniPath, kMainSection, "WinX", std::to_string(position->x));
    WriteIni(MainIniPath, kMainSection, "WinY", std::to_string(position->y));
}

std::optional<WindowPosition> StoredMainWindowPosition() {
    constexpr int kNone = std::numeric_limits<int>::min();
    const int x = IntegerOr(ReadIni(MainIniPath, kMainSection, "WinX", ""), kNone);
    const int y = IntegerOr(ReadIni(MainIniPath, kMainSection, "WinY", ""), kNone);
    if (x == kNone || y == kNone) return std::nullopt;
    return WindowPosition{x, y};
}

void UnloadMainWindow(const MainWindowUnload& mainWindow) {
    const auto appendToCaption = [&](std::string_view text) {
        if (mainWindow.appendToCaption) mainWindow.appendToCaption(text);
    };
    appendToCaption(" -.");
    // Every window's settings and the run marker: one replace of each file.
    SettingsBatch batch;
    SaveMainWindowState(mainWindow.currentPage, mainWindow.compactView, mainWindow.position);
    if (mainWindow.otherWindows) mainWindow.otherWindows->UnloadAll();
    appendToCaption(".");
    AppMutex.Release();
    PreventCrash();
    appendToCaption(".");
    MarkOrderlyEnd(MainIniPath);
    batch.Commit();
    if (mainWindow.endProcess)
        mainWindow.endProcess();
    else
        EndProcess();
}

void SaveAtSessionEnd(int currentPage, bool compactView, const WindowUnloads* otherWindows,
                      std::optional<WindowPosition> position) {
    SettingsBatch batch;
    SaveMainWindowState(currentPage, compactView, position);
    if (otherWindows) otherWindows->SaveAll();
    MarkOrderlyEnd(MainIniPath);
}

}  // namespace core
