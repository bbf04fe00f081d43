#include "junk/cls_find_files.h"

#include <algorithm>

#include "core/cls_file_folder.h"
#include "core/registry_procs.h"
#include "core/settings.h"
#include "junk/junk_types.h"
#include "junk/pattern_match.h"
#include "platform/file_system.h"
#include "platform/utf.h"

namespace junk {
namespace {

std::string WithSlash(std::string path) {
    if (path.empty() || path.back() != '\\') path += '\\';
    return path;
}

bool IsDotEntry(std::wstring_view name) { return name == L"." || name == L".."; }

}  // namespace

ClsFindFiles::ClsFindFiles() = default;

ClsFindFiles::~ClsFindFiles() {
    CancelSearch(true);
    prefetch_.reset();  // joined before the skip rules it reads go
}

void ClsFindFiles::StartFind() {
    cancelled_ = false;
    skipFolders_ = LoadSkipList();
    skipKeys_.clear();
    for (const std::string& folder : skipFolders_)
        skipKeys_.push_back(FoldUtf8(WithSlash(platform::NativeSystemPath(folder))));
    // Files moved there were removed by an earlier clean: offering them
    // again would move them in circles.
    if (core::ReadIni(core::MainIniPath, "Options", "DType", "1") == "3") {
        const std::string move = platform::ResolvedPath(core::ReadIni(core::MainIniPath, "Options", "TMove", ""));
        if (!move.empty()) skipKeys_.push_back(FoldUtf8(WithSlash(move)));
    }
    dapFolder_.clear();
    dapKey_.clear();
    if (ReadScanSwitches().SkipDapFolder) {
        // A 32-bit program: its key is in the 32-bit view, whichever build reads it.
        const std::string value =
            core::ReadRegString(core::RegRoot::LocalMachine, "SOFTWARE\\SpeedBit\\Download Accelerator",
                                "TempDirectory", core::RegView::Bits32);
        if (!value.empty()) {
            dapFolder_ = core::ClsFileFolder().GetLongFilename(value);
            dapKey_ = FoldUtf8(WithSlash(dapFolder_));
        }
    }
}

void ClsFindFiles::CancelSearch(bool stop) {
    cancelled_ = stop;
    if (stop && prefetch_) prefetch_->Stop();
}

bool ClsFindFiles::Skipped(const std::string& folderWithSlash) const {
    if (skipKeys_.empty() && dapKey_.empty()) return false;
    const std::u32string key = FoldUtf8(folderWithSlash);
    if (std::find(skipKeys_.begin(), skipKeys_.end(), key) != skipKeys_.end()) return true;
    return !dapKey_.empty() && key == dapKey_;
}

void ClsFindFiles::FindFile(const std::string& patterns, const std::string& path) {
    // A nested call from an event handler would report two trees at once.
    if (cancelled_ || running_) return;
    running_ = true;
    const PatternList patternList(patterns);
    pump_.Restart();
    // Two workers: under Wine a second one gains about a quarter, a third
    // would take the interface thread's share of two cores.
    prefetch_.emplace(path, [this](const std::string& folder) { return Skipped(folder); });
    // The start of a scan has read its settings: what waits is taken now,
    // so that stretch and the first interval never add up.
    if (!pump_.Pump()) cancelled_ = true;
    const auto pumpWhileWaiting = [this] {
        if (!pump_.TickNow()) cancelled_ = true;
        return !cancelled_;
    };
    while (!cancelled_) {
        const auto folder = prefetch_->Next(pumpWhileWaiting);
        if (!folder) break;
        Report(patternList, *folder);
        if (!pump_.Tick()) cancelled_ = true;
    }
    prefetch_.reset();  // joins the workers
    running_ = false;
}

void ClsFindFiles::Report(const PatternList& patterns, const platform::ListedFolder& folder) {
    for (const platform::ListedFolder::Entry& entry : folder.entries) {
        if (cancelled_) break;
        if (FindPathChanged) FindPathChanged();
        const std::wstring_view name = folder.Name(entry);
        if (entry.attributes & platform::kAttributeDirectory) {
            if (platform::ListedFolder::Descends(entry, name)) CurrentFolder = folder.path + platform::ToUtf8(name);
        } else if (!IsDotEntry(name)) {
            FoldUtf16(name, nameBuffer_);
            if (patterns.Match(nameBuffer_) >= 0) {
                FoundFile = folder.path + platform::ToUtf8(name);
                FoundFileSize = entry.size;
                FoundFileTime = entry.lastWriteTime;
                FoundFileAttributes = entry.attributes;
                if (FindResultChanged) FindResultChanged();
            }
        }
        if (!pump_.Tick()) cancelled_ = true;
    }
}

}  // namespace junk
