// The startup page's logic: the rows of one view, their check marks, the
// view switch with its change prompt, Apply, the item menu and the saved
// display settings. The window class draws this state and forwards events.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/prompts.h"
#include "platform/throttled_pump.h"
#include "platform/window_handle.h"
#include "startup/program_info.h"
#include "startup/startup_model.h"
#include "startup/startup_store.h"

namespace startup {

struct StartupRow {
    StartupEntry entry;
    bool kept = false;      // listed from the keeping file
    bool checked = true;    // the check mark as the user set it
    bool baseline = true;   // whether the entry is in Windows, as of the last load or apply
    bool conflict = false;  // kept, and an active entry of the same Name has another command
    std::string listKey;    // unique within the list
    // Null until the worker has read it.
    ProgramInfoPtr program;
};

// The item menu as PreparePopup sets it.
struct PopupState {
    std::string toggleCaption;  // "Disable" / "Enable"
    bool toggleEnabled = false;
    bool deleteEnabled = false;
    bool runEnabled = false;
    bool folderEnabled = false;
    std::string propertiesCaption;  // "Properties" / "All Properties"
};

class Frm_Startup {
public:
    explicit Frm_Startup(core::Prompts& prompts, StartupLocations where = StartupLocations::System());

    // Set by the window: open the two modal windows, redraw after a change.
    std::function<void()> onAddProgram;
    std::function<void()> onAllProperties;
    std::function<void()> onChanged;
    // Called after each step of Apply (tests stop the apply there).
    StepHook applyStepHook;
    // ready is called on the worker thread when program information waits
    // for DrainProgramInfo(); the window posts itself a message.
    void WatchProgramInfo(std::function<void()> ready);
    // On the interface thread: hands what the worker has read to the rows.
    void DrainProgramInfo();
    // The rows' program information is in; false while the worker reads.
    bool ProgramInfoComplete() const { return pendingInfo_.empty(); }
    platform::WindowHandle owner = nullptr;

    // The one-shot start timer: reads the saved settings and loads the view.
    void Tm_Start_Timer();
    // Closing the page: saves the display settings.
    void Form_Unload();

    // The view selector: 0 "Current User", 1 "All Users".
    int SelectorIndex() const { return selectorIndex_; }
    std::string SelectorText() const { return ViewText(static_cast<View>(selectorIndex_)); }
    // The user picked a view (also the start timer).
    void Cmb_View_Click(int index);
    void ReloadView();
    void Mnu_Pop_Refresh_Click();

    // Make the rows of a view from what LoadView has just read.
    void LoadAllUsers();
    void LoadCurrentUser();
    void LoadDisabled(View view);
    bool ItemExists(const std::string& name) const;
    void ShowSummary();
    void ShowSelected();
    void SortList(int order, int column);
    void ColumnClick(int column);

    // -1 selects nothing.
    void SelectRow(int row);
    int SelectedRow() const { return selectedRow_; }
    // The check box of a row (or the toggle entry); false when refused.
    bool SetRowChecked(int row, bool checked);

    PopupState PreparePopup() const;
    void Mnu_Pop_Toggle_Click();
    void Mnu_Pop_AddProgram_Click();
    void Mnu_Pop_Delete_Click();
    void Mnu_Pop_Run_Click();
    void Mnu_Pop_Folder_Click();
    void Mnu_Pop_Properties_Click();
    void SetViewMode(int mode);

    void ApplyChanges();
    int ChangedState() const;
    void DeleteItem(int row, bool removeFromList);

    const std::vector<StartupRow>& Rows() const { return rows_; }
    int ShownView() const { return shownView_; }
    int SortOrder() const { return sortOrder_; }
    int SortColumn() const { return sortColumn_; }
    int ViewMode() const { return viewMode_; }
    bool SkipChangeCheck() const { return skipChangeCheck_; }
    void SetSkipChangeCheck(bool skip) { skipChangeCheck_ = skip; }
    const StartupLocations& Locations() const { return where_; }

    // Runs the reading of a load: on a worker while this thread pumps.
    platform::WaitingRunner runWaiting = platform::RunWhilePumping;

    // Captions and the picture of the summary area; an empty picture path
    // means the default program picture.
    std::string caption1 = "Loading...";
    std::string caption2 = "Startup Items For : N/A";
    std::string picturePath;
    bool applyEnabled = true;
    bool selectorEnabled = true;
    bool toolsEnabled = true;
    // The page's balloon: empty when hidden.
    std::string balloonText;
    bool balloonIsError = false;

private:
    void Changed();
    void LoadView(View view);
    void LoadActive();
    void AddRow(const StartupEntry& entry, bool kept);
    void TakeSnapshot();
    bool RefuseConflict(const StartupRow& row);
    bool RefusePolicy(const StartupRow& row);
    void RefreshConflicts();
    void RequestProgramInfo();
    // The selected row's program; read now when the worker has not yet.
    ProgramInfoPtr SelectedProgram() const;

    core::Prompts& prompts_;
    StartupLocations where_;
    std::vector<StartupRow> rows_;
    std::vector<StartupEntry> active_;  // the active entries of the last load
    // What the worker of a load read: the view's active entries and its
    // keeping file (none when unreadable).
    struct ViewReading {
        std::vector<StartupEntry> active;
        std::optional<std::vector<StartupEntry>> kept;
    };
    ViewReading reading_;
    bool loading_ = false;
    bool reloadWanted_ = false;
    int selectorIndex_ = 1;
    int shownView_ = -1;
    bool skipChangeCheck_ = true;
    std::vector<bool> checkSnapshot_;
    int checkedCountSnapshot_ = 0;
    int rowCountSnapshot_ = 0;
    int sortOrder_ = 1;
    int sortColumn_ = 1;
    int viewMode_ = 3;
    bool switchingGuard_ = false;
    int selectedRow_ = -1;
    // Per command, for the page's life (Refresh reads again): sorting and
    // switching views do no file system work.
    std::map<std::string, ProgramInfoPtr> programInfo_;
    std::set<std::string> pendingInfo_;
    std::unique_ptr<ProgramInfoLoader> loader_;
};

}  // namespace startup
