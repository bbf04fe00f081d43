#include "startup/frm_all_prop.h"

#include "core/general.h"
#include "platform/startup_sources.h"
#include "platform/system_info.h"
#include "startup/program_info.h"

namespace startup {
namespace {

namespace sys = platform::startup_sources;

constexpr char kNoItems[] = "There are no startup items.";

}  // namespace

Frm_AllProp::Frm_AllProp(core::Prompts& prompts, StartupLocations where)
    : prompts_(prompts), where_(std::move(where)) {}

const char* Frm_AllProp::GroupTitle(int source) {
    static const char* const titles[kSourceCount] = {"Registry\\All Users\\Run",    "Registry\\All Users\\RunOnce",
                                                     "Registry\\Current User\\Run", "Registry\\Current User\\RunOnce",
                                                     "All Users\\Startup Folder",   "Current User\\Startup Folder"};
    return source >= 0 && source < kSourceCount ? titles[source] : "";
}

void Frm_AllProp::Tm_Load_Timer() {
    LoadGroups();
    if (rows.empty()) {
        reportEnabled = false;
        rows.push_back({false, kNoItems, ""});
    }
}

void Frm_AllProp::LoadGroups() {
    rows.clear();
    itemsNumber = 0;
    for (int source = 0; source < kSourceCount; ++source) {
        int found = 0;
        const std::vector<StartupEntry> entries = LoadSource(where_, source, &found);
        itemsNumber += found;
        if (entries.empty()) continue;
        rows.push_back({true, GroupTitle(source), ""});
        for (const StartupEntry& entry : entries) {
            const std::string path = ResolveProgramPath(entry.command);
            rows.push_back({false, entry.name, sys::FileExists(path) ? path : std::string(), StatusText(entry)});
        }
    }
    labelText = "Startup items number : " + std::to_string(itemsNumber);
}

void Frm_AllProp::WriteReport() {
    core::FileDialogOptions options;
    options.filter = "Text File (*.txt)|*.txt| All Files |*.*";
    options.defaultExtension = "txt";
    const std::string chosen = prompts_.SaveFile(options);
    if (!core::HasText(chosen)) return;
    const std::string fileName = ReportFileName(chosen);
    // The dialog asked about the name it was given; ask about the one used.
    if (fileName != chosen && sys::FileExists(fileName)) {
        if (prompts_.Message(fileName + " already exists.\r\nDo you want to replace it?", "Clarimo",
                             core::PromptIcon::Exclamation, core::PromptButtons::YesNo) != core::PromptAnswer::Yes)
            return;
    }
    std::vector<ReportLine> lines;
    for (const AllPropRow& row : rows) lines.push_back({row.header, row.text, row.status});
    const std::string text = "\xEF\xBB\xBF" + ReportText(platform::ComputerName(), platform::UserName(), itemsNumber,
                                                         lines, sys::NowDateTimeText());
    if (!sys::WriteWholeFile(fileName, text))
        prompts_.Message("The report could not be written to " + fileName + ".", "Clarimo",
                         core::PromptIcon::Exclamation);
}

}  // namespace startup
