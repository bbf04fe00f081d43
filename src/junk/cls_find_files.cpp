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

ClsFindFiles::~ClsFindFiles() { CancelSearch(true); }

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
    if (stop) reader_.Close();
}

bool ClsFindFiles::Skipped(const std::string& folderWithSlash) const {
    if (skipKeys_.empty() && dapKey_.empty()) return false;
    const std::u32string key = FoldUtf8(folderWithSlash);
    if (std::find(skipKeys_.begin(), skipKeys_.end(), key) != skipKeys_.end()) return true;
    return !dapKey_.empty() && key == dapKey_;
}

void ClsFindFiles::FindFile(const std::string& patterns, const std::string& path) {
    // A nested call from an event handler would share the one search handle.
    if (cancelled_ || running_) return;
    running_ = true;
    const PatternList patternList(patterns);
    pump_.Restart();

    // Pending folders, last to be searched first: pushing each folder's
    // subfolders in reverse keeps the order of a recursive pre-order walk
    // without a call level per folder (long paths nest thousands deep).
    std::vector<std::string> pending{WithSlash(path)};
    std::vector<std::string> subfolders;
    while (!pending.empty() && !cancelled_) {
        // The real System32, once, in either build (see NativeSystemPath).
        const std::string folder = platform::NativeSystemPath(std::move(pending.back()));
        pending.pop_back();
        subfolders.clear();
        SearchFolder(patternList, folder, subfolders);
        if (!pump_.Tick()) cancelled_ = true;
        if (cancelled_) break;
        for (auto it = subfolders.rbegin(); it != subfolders.rend(); ++it) pending.push_back(std::move(*it));
    }
    running_ = false;
}

void ClsFindFiles::SearchFolder(const PatternList& patterns, const std::string& folder,
                                std::vector<std::string>& subfolders) {
    if (Skipped(folder)) return;
    if (!reader_.Open(folder)) return;
    platform::DirectoryEntry entry;
    while (!cancelled_ && reader_.Next(entry)) {
        if (FindPathChanged) FindPathChanged();
        if (!IsDotEntry(entry.name)) {
            if (entry.attributes & platform::kAttributeDirectory) {
                if (!(entry.attributes & platform::kAttributeReparsePoint)) {
                    CurrentFolder = folder + platform::ToUtf8(entry.name);
                    subfolders.push_back(CurrentFolder + '\\');
                }
            } else {
                FoldUtf16(entry.name, nameBuffer_);
                if (patterns.Match(nameBuffer_) >= 0) {
                    FoundFile = folder + platform::ToUtf8(entry.name);
                    FoundFileSize = entry.size;
                    FoundFileTime = entry.lastWriteTime;
                    FoundFileAttributes = entry.attributes;
                    if (FindResultChanged) FindResultChanged();
                }
            }
        }
        if (!pump_.Tick()) cancelled_ = true;
    }
    reader_.Close();
}

}  // namespace junk
