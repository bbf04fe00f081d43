#include "core/settings.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "core/ini_text.h"
#include "platform/atomic_file.h"
#include "platform/ini_file.h"

namespace core {

std::string MainIniPath;
std::string FtsIniPath;
std::string AssIniPath;
std::string CssIniPath;

void SetSettingsPaths(const std::string& programFolder) {
    std::string folder = programFolder;
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    MainIniPath = folder + "Qxs.ini";
    AssIniPath = folder + "Ass.ini";
    CssIniPath = folder + "Css.ini";
    FtsIniPath = folder + "Fts.ini";
}

namespace {

using PendingWrite = SettingsBatch::Write;

// The writes gathered by the outermost SettingsBatch alive.
std::vector<PendingWrite>* pendingWrites = nullptr;

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// Applies the writes to one file's text and replaces it once.
bool StoreWrites(const std::string& file, const std::vector<const PendingWrite*>& writes) {
    std::optional<platform::IniFileText> content = platform::ReadIniFileText(file);
    if (!content) return false;  // never replace what could not be read
    for (const PendingWrite* write : writes) {
        std::optional<std::string> text =
            SetIniValue(content->text, write->section, write->key, QuoteIniValue(write->value));
        if (text) content->text = std::move(*text);
    }
    return platform::WriteIniFileText(file, *content);
}

}  // namespace

std::string ReadIni(const std::string& FileName, const std::string& Section, const std::string& Key,
                    const std::string& Default) {
    if (pendingWrites) {
        for (auto it = pendingWrites->rbegin(); it != pendingWrites->rend(); ++it)
            if (SameText(it->file, FileName) && SameText(it->section, Section) && SameText(it->key, Key))
                return it->value;
    }
    return platform::ReadIniValue(FileName, Section, Key, Default);
}

void WriteIni(const std::string& FileName, const std::string& Section, const std::string& Key,
              const std::string& Value) {
    PendingWrite write{FileName, Section, Key, Value};
    if (pendingWrites)
        pendingWrites->push_back(std::move(write));
    else
        StoreWrites(FileName, {&write});
}

SettingsBatch::SettingsBatch() {
    if (pendingWrites) return;  // an outer batch stores these writes
    pendingWrites = &writes_;
    owner_ = true;
}

SettingsBatch::~SettingsBatch() { Commit(); }

void SettingsBatch::Commit() {
    if (!owner_) return;
    pendingWrites = nullptr;
    owner_ = false;
    std::vector<PendingWrite> writes = std::move(writes_);
    std::vector<bool> stored(writes.size(), false);
    for (size_t i = 0; i < writes.size(); ++i) {
        if (stored[i]) continue;
        std::vector<const PendingWrite*> sameFile;
        for (size_t j = i; j < writes.size(); ++j) {
            if (stored[j] || !SameText(writes[j].file, writes[i].file)) continue;
            sameFile.push_back(&writes[j]);
            stored[j] = true;
        }
        StoreWrites(writes[i].file, sameFile);
    }
}

bool ReplaceIniFile(const std::string& FileName, const std::vector<IniSection>& sections) {
    const std::optional<std::string> bytes = IniFileBytes(sections);
    return bytes && platform::ReplaceFileContent(FileName, *bytes);
}

}  // namespace core
