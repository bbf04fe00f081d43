#include "startup/frm_startup.h"

#include <algorithm>

#include "core/cls_file_folder.h"
#include "core/general.h"
#include "core/settings.h"
#include "platform/handles.h"
#include "platform/startup_sources.h"

namespace startup {
namespace {

namespace sys = platform::startup_sources;

constexpr char kTitle[] = "Clarimo";

int CompareText(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; };
        const int d = lower(a[i]) - lower(b[i]);
        if (d != 0) return d;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

std::string ConflictMessage(const std::string& name) {
    return "The active item \"" + name +
           "\" has the same name but another command. Enabling or deleting this disabled copy would replace or "
           "remove that active item, so it is left as it is.";
}

std::string UnreadableKeepingFileMessage(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return "Clarimo can't read \"" + path.substr(slash == std::string::npos ? 0 : slash + 1) +
           "\", where it keeps the disabled items of this view. Another program may be using it, or it is "
           "damaged. Nothing was changed; try again later.";
}

std::string PolicyMessage(const std::string& name) {
    return "The item \"" + name + "\" is set by a system policy. Clarimo shows it but can't change it.";
}

std::string NotKeepableMessage(const std::string& name) {
    return "The item \"" + name +
           "\" holds data that is not text, so Clarimo can't keep it while it is disabled. It stays active.";
}

}  // namespace

Frm_Startup::Frm_Startup(core::Prompts& prompts, StartupLocations where)
    : prompts_(prompts), where_(std::move(where)) {}

void Frm_Startup::Changed() {
    if (onChanged) onChanged();
}

void Frm_Startup::Tm_Start_Timer() {
    const std::string& ini = core::MainIniPath;
    const DisplaySettings s =
        ReadDisplaySettings(core::ReadIni(ini, "Startup", "Srt", "1"), core::ReadIni(ini, "Startup", "Col", "1"),
                            core::ReadIni(ini, "Startup", "Indx", "1"), core::ReadIni(ini, "Startup", "Cv", "4"));
    sortOrder_ = s.sortOrder;
    sortColumn_ = s.sortColumn;
    viewMode_ = s.viewMode;
    Cmb_View_Click(s.viewIndex);
}

void Frm_Startup::Form_Unload() {
    const std::string& ini = core::MainIniPath;
    if (ini.empty()) return;
    core::WriteIni(ini, "Startup", "Indx", std::to_string(selectorIndex_));
    core::WriteIni(ini, "Startup", "Srt", std::to_string(sortOrder_));
    core::WriteIni(ini, "Startup", "Col", std::to_string(sortColumn_));
    core::WriteIni(ini, "Startup", "Cv", std::to_string(viewMode_));
}

void Frm_Startup::Cmb_View_Click(int index) {
    selectorIndex_ = index == 0 ? 0 : 1;
    if (switchingGuard_) return;
    ReloadView();
}

void Frm_Startup::Mnu_Pop_Refresh_Click() {
    // Programs may have come or gone since they were read.
    programInfo_.clear();
    ReloadView();
}

void Frm_Startup::WatchProgramInfo(std::function<void()> ready) {
    loader_ = std::make_unique<ProgramInfoLoader>(std::move(ready));
    loader_->Request(std::vector<std::string>(pendingInfo_.begin(), pendingInfo_.end()));
}

void Frm_Startup::RequestProgramInfo() {
    std::vector<std::string> wanted;
    for (StartupRow& row : rows_) {
        if (row.program) continue;
        const auto known = programInfo_.find(row.entry.command);
        if (known != programInfo_.end())
            row.program = known->second;
        else if (pendingInfo_.insert(row.entry.command).second)
            wanted.push_back(row.entry.command);
    }
    if (wanted.empty()) return;
    if (!loader_) loader_ = std::make_unique<ProgramInfoLoader>();
    loader_->Request(wanted);
}

void Frm_Startup::DrainProgramInfo() {
    if (!loader_) return;
    bool any = false;
    for (auto& [command, info] : loader_->TakeResults()) {
        pendingInfo_.erase(command);
        programInfo_[command] = info;
        any = true;
    }
    if (!any) return;
    RequestProgramInfo();
    if (selectedRow_ >= 0) ShowSelected();
    Changed();
}

ProgramInfoPtr Frm_Startup::SelectedProgram() const {
    // Not kept: the worker's reading, icons and all, fills the row later.
    const StartupRow& row = rows_[selectedRow_];
    return row.program ? row.program : std::make_shared<const ProgramInfo>(ReadProgramInfo(row.entry.command, false));
}

void Frm_Startup::ReloadView() {
    if (!skipChangeCheck_ && shownView_ >= 0) {
        const bool changed =
            ChangedState() != checkedCountSnapshot_ || static_cast<int>(rows_.size()) != rowCountSnapshot_;
        if (changed && selectorIndex_ != shownView_) {
            switchingGuard_ = true;
            selectorIndex_ = shownView_;
            Changed();
            const std::string text = std::string("The settings in ") + ViewText(static_cast<View>(shownView_)) +
                                     " has changed.\r\nDo you want to save the changes ?";
            const auto answer =
                prompts_.Message(text, kTitle, core::PromptIcon::Exclamation, core::PromptButtons::YesNo);
            if (answer == core::PromptAnswer::Yes)
                ApplyChanges();
            else
                skipChangeCheck_ = true;
            switchingGuard_ = false;
            selectorIndex_ = shownView_ == 0 ? 1 : 0;
        }
    }
    LoadView(static_cast<View>(selectorIndex_));
}

void Frm_Startup::LoadView(View view) {
    // This thread pumps while the sources are read: a load asked for
    // meanwhile (a view switch, an Apply, F5) makes this one read again, in
    // the view chosen by then.
    if (loading_) {
        reloadWanted_ = true;
        return;
    }
    loading_ = true;
    const struct Done {
        bool& loading;
        ~Done() { loading = false; }
    } done{loading_};
    balloonText.clear();
    caption1 = "Loading Items...";
    Changed();
    for (;;) {
        reloadWanted_ = false;
        reading_ = {};
        // Registry keys, folders, shortcuts and the keeping file wait on the
        // system (a folder on a share): a worker reads them.
        platform::RunWaiting(runWaiting, [this, view] {
            const platform::ComApartment apartment;  // for the shortcuts
            for (int source : SourcesOf(view))
                for (StartupEntry& entry : LoadSource(where_, source)) reading_.active.push_back(std::move(entry));
            reading_.kept = LoadKeepingFile(where_.KeepingFile(view));
        });
        if (!reloadWanted_) break;
        view = static_cast<View>(selectorIndex_);
    }
    if (view == View::CurrentUser)
        LoadCurrentUser();
    else
        LoadAllUsers();
    LoadDisabled(view);
    shownView_ = static_cast<int>(view);
    RequestProgramInfo();
    SortList(sortOrder_, sortColumn_);
    TakeSnapshot();
    skipChangeCheck_ = false;
    selectedRow_ = -1;
    ShowSummary();
    Changed();
}

void Frm_Startup::TakeSnapshot() {
    checkSnapshot_.clear();
    checkedCountSnapshot_ = 0;
    for (const StartupRow& row : rows_) {
        checkSnapshot_.push_back(row.checked);
        if (row.checked) ++checkedCountSnapshot_;
    }
    rowCountSnapshot_ = static_cast<int>(rows_.size());
}

void Frm_Startup::AddRow(const StartupEntry& entry, bool kept) {
    StartupRow row;
    row.entry = entry;
    row.kept = kept;
    row.checked = row.baseline = !kept;
    row.conflict = kept && ConflictsWithActive(entry, active_);
    row.listKey = entry.originKey + std::to_string(rows_.size());
    rows_.push_back(std::move(row));
}

void Frm_Startup::LoadAllUsers() { LoadActive(); }

void Frm_Startup::LoadCurrentUser() { LoadActive(); }

void Frm_Startup::LoadActive() {
    rows_.clear();
    active_ = std::move(reading_.active);
    // The old selection is no row of the new list.
    selectedRow_ = -1;
    for (const StartupEntry& entry : active_) AddRow(entry, false);
}

void Frm_Startup::LoadDisabled(View view) {
    if (!reading_.kept) {
        balloonText = UnreadableKeepingFileMessage(where_.KeepingFile(view));
        balloonIsError = true;
        return;
    }
    for (size_t index : VisibleKeptEntries(active_, *reading_.kept)) AddRow((*reading_.kept)[index], true);
}

bool Frm_Startup::ItemExists(const std::string& name) const {
    return std::any_of(rows_.begin(), rows_.end(), [&](const StartupRow& r) { return SameText(r.entry.name, name); });
}

void Frm_Startup::ShowSummary() {
    caption1 = "Startup Items : " + std::to_string(rows_.size());
    caption2 = "Startup Items For : " + SelectorText();
    picturePath.clear();
}

void Frm_Startup::ShowSelected() {
    if (selectedRow_ < 0 || selectedRow_ >= static_cast<int>(rows_.size())) {
        ShowSummary();
        return;
    }
    const StartupRow& row = rows_[selectedRow_];
    caption1 = row.entry.name;
    caption2 = "Target : " + row.entry.command;
    picturePath = row.program && row.program->exists ? row.program->path : std::string();
}

void Frm_Startup::SortList(int order, int column) {
    sortOrder_ = order == 2 ? 2 : 1;
    sortColumn_ = column == 2 ? 2 : 1;
    const std::string selectedKey = selectedRow_ >= 0 ? rows_[selectedRow_].listKey : std::string();
    std::stable_sort(rows_.begin(), rows_.end(), [this](const StartupRow& a, const StartupRow& b) {
        const std::string& ta = sortColumn_ == 1 ? a.entry.name : a.entry.command;
        const std::string& tb = sortColumn_ == 1 ? b.entry.name : b.entry.command;
        const int c = CompareText(ta, tb);
        return sortOrder_ == 1 ? c < 0 : c > 0;
    });
    selectedRow_ = -1;
    for (size_t i = 0; i < rows_.size(); ++i)
        if (!selectedKey.empty() && rows_[i].listKey == selectedKey) selectedRow_ = static_cast<int>(i);
    Changed();
}

void Frm_Startup::ColumnClick(int column) {
    const int current = column == sortColumn_ ? sortOrder_ : 0;
    SortList(NextSortOrder(current), column);
}

void Frm_Startup::SelectRow(int row) {
    selectedRow_ = (row >= 0 && row < static_cast<int>(rows_.size())) ? row : -1;
    if (selectedRow_ < 0)
        ShowSummary();
    else
        ShowSelected();
    Changed();
}

void Frm_Startup::RefreshConflicts() {
    for (StartupRow& row : rows_) row.conflict = row.kept && ConflictsWithActive(row.entry, active_);
}

bool Frm_Startup::RefuseConflict(const StartupRow& row) {
    if (!row.kept || !ConflictsWithActive(row.entry, active_)) return false;
    prompts_.Message(ConflictMessage(row.entry.name), kTitle, core::PromptIcon::Exclamation);
    return true;
}

bool Frm_Startup::RefusePolicy(const StartupRow& row) {
    if (!row.entry.policy) return false;
    prompts_.Message(PolicyMessage(row.entry.name), kTitle, core::PromptIcon::Exclamation);
    return true;
}

bool Frm_Startup::SetRowChecked(int row, bool checked) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return false;
    StartupRow& r = rows_[row];
    if (r.checked == checked) return true;
    if (RefusePolicy(r)) return false;
    if (checked && RefuseConflict(r)) return false;
    if (!checked && !r.kept && !CanKeep(r.entry)) {
        prompts_.Message(NotKeepableMessage(r.entry.name), kTitle, core::PromptIcon::Exclamation);
        return false;
    }
    r.checked = checked;
    Changed();
    return true;
}

PopupState Frm_Startup::PreparePopup() const {
    PopupState state;
    if (selectedRow_ < 0) {
        state.toggleCaption = "Disable";
        state.propertiesCaption = "All Properties";
        return state;
    }
    state.toggleCaption = rows_[selectedRow_].checked ? "Disable" : "Enable";
    state.toggleEnabled = state.deleteEnabled = !rows_[selectedRow_].entry.policy;
    state.runEnabled = state.folderEnabled = true;
    state.propertiesCaption = "Properties";
    return state;
}

void Frm_Startup::Mnu_Pop_Toggle_Click() {
    if (selectedRow_ < 0) return;
    SetRowChecked(selectedRow_, !rows_[selectedRow_].checked);
}

void Frm_Startup::Mnu_Pop_AddProgram_Click() {
    if (onAddProgram) onAddProgram();
}

void Frm_Startup::Mnu_Pop_Delete_Click() {
    if (selectedRow_ < 0) return;
    if (RefusePolicy(rows_[selectedRow_]) || RefuseConflict(rows_[selectedRow_])) return;
    const auto answer =
        prompts_.Message("Are you sure you want to remove this program from the list ?", "Confirm Item Delete",
                         core::PromptIcon::Information, core::PromptButtons::YesNo);
    if (answer != core::PromptAnswer::Yes) return;
    DeleteItem(selectedRow_, true);
    skipChangeCheck_ = true;
}

void Frm_Startup::Mnu_Pop_Run_Click() {
    if (selectedRow_ < 0) return;
    const ProgramInfoPtr program = SelectedProgram();
    if (!sys::FileExists(program->path)) {
        prompts_.Message("Can't open selected progeam, This program is not exists.", kTitle,
                         core::PromptIcon::Exclamation);
        return;
    }
    core::ClsFileFolder().OpenFileFolder(owner, program->path);
}

void Frm_Startup::Mnu_Pop_Folder_Click() {
    if (selectedRow_ < 0) return;
    const core::ClsFileFolder files;
    const ProgramInfoPtr program = SelectedProgram();
    const std::string folder = program->path.empty() ? std::string() : files.GetFolderName(program->path);
    if (!sys::FolderExists(folder)) {
        prompts_.Message("Can't open the progeam folder, Program folder is not exists.", kTitle,
                         core::PromptIcon::Exclamation);
        return;
    }
    files.OpenFileFolder(owner, folder);
}

void Frm_Startup::Mnu_Pop_Properties_Click() {
    if (selectedRow_ < 0) {
        if (onAllProperties) onAllProperties();
        return;
    }
    const ProgramInfoPtr program = SelectedProgram();
    if (!sys::FileExists(program->path)) {
        prompts_.Message("Can't display program properties dialog, This program is not exists.", kTitle,
                         core::PromptIcon::Exclamation);
        return;
    }
    core::ClsFileFolder().ShowProperties(program->path, owner);
}

void Frm_Startup::SetViewMode(int mode) {
    viewMode_ = (mode >= 0 && mode <= 3) ? mode : 3;
    Changed();
}

int Frm_Startup::ChangedState() const {
    int count = 0;
    for (const StartupRow& row : rows_)
        if (row.checked) ++count;
    for (size_t p = 0; p < checkSnapshot_.size() && p < rows_.size(); ++p)
        if (rows_[p].checked != checkSnapshot_[p]) return 10000;
    return count;
}

void Frm_Startup::ApplyChanges() {
    applyEnabled = selectorEnabled = toolsEnabled = false;
    Changed();

    // Only the rows whose mark differs from what Windows holds are touched:
    // rewriting an untouched entry could change its type or its shortcut.
    std::vector<PendingChange> changes;
    std::vector<size_t> changedRows;
    for (size_t i = 0; i < rows_.size(); ++i) {
        StartupRow& row = rows_[i];
        if (row.checked == row.baseline) continue;
        if (row.checked && row.kept && ConflictsWithActive(row.entry, active_)) {
            row.checked = false;
            continue;
        }
        changes.push_back({row.entry, !row.checked});
        changedRows.push_back(i);
    }
    const View view = static_cast<View>(shownView_ < 0 ? selectorIndex_ : shownView_);
    const auto applied = ApplyStartupChanges(where_, view, changes, applyStepHook);
    applyEnabled = selectorEnabled = toolsEnabled = true;
    if (!applied) {
        // The marks stay, so the same Apply can be tried again.
        prompts_.Message(UnreadableKeepingFileMessage(where_.KeepingFile(view)), kTitle, core::PromptIcon::Exclamation);
        Changed();
        return;
    }
    const std::vector<ChangeOutcome>& outcomes = *applied;

    int failures = 0;
    std::vector<std::string> notKeepable, occupied;
    for (size_t c = 0; c < changes.size(); ++c) {
        StartupRow& row = rows_[changedRows[c]];
        switch (outcomes[c]) {
            case ChangeOutcome::Done:
                if (row.checked) {
                    active_.push_back(changes[c].entry);
                } else {
                    const auto it = std::find_if(active_.begin(), active_.end(), [&](const StartupEntry& e) {
                        return e.originKey == row.entry.originKey && e.name == row.entry.name;
                    });
                    if (it != active_.end()) active_.erase(it);
                }
                row.baseline = row.checked;
                row.kept = !row.checked;
                row.entry = changes[c].entry;
                break;
            case ChangeOutcome::NotKeepable:
                row.checked = row.baseline;
                notKeepable.push_back(row.entry.name);
                break;
            case ChangeOutcome::Occupied:
                row.checked = row.baseline;
                occupied.push_back(row.entry.name);
                break;
            case ChangeOutcome::Failed:
                // Show what Windows holds now, never a change that did not happen.
                row.checked = row.baseline;
                ++failures;
                break;
        }
    }
    RefreshConflicts();
    for (const std::string& name : notKeepable)
        prompts_.Message(NotKeepableMessage(name), kTitle, core::PromptIcon::Exclamation);
    for (const std::string& name : occupied)
        prompts_.Message(ConflictMessage(name), kTitle, core::PromptIcon::Exclamation);
    if (failures > 0) {
        balloonText = failures == 1 ? "1 item could not be changed. The list shows it as it is now."
                                    : std::to_string(failures) +
                                          " items could not be changed. The list shows them as they are now.";
        balloonIsError = true;
    } else {
        balloonText.clear();
    }
    skipChangeCheck_ = true;
    Changed();
}

void Frm_Startup::DeleteItem(int row, bool removeFromList) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    const StartupRow& r = rows_[row];
    const View view = static_cast<View>(shownView_ < 0 ? selectorIndex_ : shownView_);
    const bool gone = r.kept ? DeleteKeptEntry(where_, view, r.entry) : DeleteActiveEntry(r.entry);
    if (!gone) {
        balloonText = "\"" + r.entry.name + "\" could not be removed.";
        balloonIsError = true;
    } else if (removeFromList) {
        if (!r.kept) {
            const auto it = std::find_if(active_.begin(), active_.end(), [&](const StartupEntry& e) {
                return e.originKey == r.entry.originKey && e.name == r.entry.name;
            });
            if (it != active_.end()) active_.erase(it);
        }
        rows_.erase(rows_.begin() + row);
        selectedRow_ = -1;
        RefreshConflicts();
    }
    ShowSummary();
    Changed();
}

}  // namespace startup
