#include "junk/undo_log.h"

#include <algorithm>

#include "core/cls_file_folder.h"
#include "core/settings.h"
#include "platform/atomic_file.h"
#include "platform/file_probe.h"
#include "platform/file_system.h"

namespace junk {
namespace {

constexpr const char* kHeader = "[Undo]\r\nFolder=";

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

bool ToNumber(const std::string& text, uint64_t& value) {
    if (text.empty() || text.size() > 20) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return true;
}

std::string EntryLine(size_t number, const MovedFile& file) {
    return std::to_string(number) + "=" + file.Original + "|" + file.MovedName + "|" + std::to_string(file.Size) + "|" +
           std::to_string(file.Time) + "\r\n";
}

// A move that was not marked done happened when the file is in the move
// folder, as recorded, and no longer in its place.
bool MovedUnmarked(const std::string& folder, const MovedFile& file) {
    const auto moved = platform::FindEntry(folder + file.MovedName);
    return moved && moved->size == file.Size && platform::ProbePath(file.Original) == platform::PathState::Absent;
}

}  // namespace

std::string UndoLogPath() {
    const std::string& settings = core::MainIniPath;
    return settings.substr(0, settings.rfind('\\') + 1) + "Undo.ini";
}

bool UndoLogWriter::Begin(const std::string& folderWithSlash) {
    count_ = 0;
    return platform::ReplaceFileContent(path_, kHeader + folderWithSlash + "\r\n");
}

bool UndoLogWriter::Moving(const MovedFile& file) {
    if (!platform::AppendFileContent(path_, EntryLine(count_ + 1, file))) return false;
    ++count_;
    return true;
}

bool UndoLogWriter::Moved() {
    return count_ > 0 && platform::AppendFileContent(path_, std::to_string(count_) + "Done=1\r\n");
}

UndoRecord ReadUndoLog(const std::string& path) {
    UndoRecord record;
    std::string text;
    if (!platform::ReadWholeFile(path, text)) return record;
    text.erase(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);  // an unfinished line
    for (std::string line : Split(text, '\n')) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = line.substr(0, equals), value = line.substr(equals + 1);
        uint64_t number = 0;
        if (key == "Folder") {
            record.Folder = value;
        } else if (key.size() > 4 && key.ends_with("Done") && ToNumber(key.substr(0, key.size() - 4), number)) {
            if (number >= 1 && number <= record.Files.size()) record.Files[number - 1].Done = true;
        } else if (ToNumber(key, number) && number == record.Files.size() + 1) {
            const std::vector<std::string> parts = Split(value, '|');
            MovedFile file;
            if (parts.size() != 4 || !ToNumber(parts[2], file.Size) || !ToNumber(parts[3], file.Time)) break;
            file.Original = parts[0];
            file.MovedName = parts[1];
            record.Files.push_back(std::move(file));
        }
    }
    return record;
}

bool HasMovedFiles(const std::string& path) {
    const UndoRecord record = ReadUndoLog(path);
    return std::any_of(record.Files.begin(), record.Files.end(),
                       [&](const MovedFile& file) { return file.Done || MovedUnmarked(record.Folder, file); });
}

UndoOutcome UndoLastClean(const std::string& path) {
    const UndoRecord record = ReadUndoLog(path);
    UndoOutcome outcome;
    std::string waiting;
    size_t kept = 0;
    const core::ClsFileFolder files;
    for (const MovedFile& file : record.Files) {
        if (!file.Done && !MovedUnmarked(record.Folder, file)) continue;  // never moved
        const std::string moved = record.Folder + file.MovedName;
        const auto entry = platform::FindEntry(moved);
        // Another file of that name (put there later) is not the user's.
        const bool there = entry && !entry->isFolder() && entry->size == file.Size;
        if (there && platform::ProbePath(file.Original) == platform::PathState::Absent &&
            files.MoveFile(moved, file.Original)) {
            ++outcome.Restored;
            continue;
        }
        ++outcome.NotRestored;
        if (!there) continue;
        ++kept;
        waiting += EntryLine(kept, file) + std::to_string(kept) + "Done=1\r\n";
    }
    if (kept == 0)
        platform::RemoveFile(path);
    else
        platform::ReplaceFileContent(path, kHeader + record.Folder + "\r\n" + waiting);
    return outcome;
}

}  // namespace junk
