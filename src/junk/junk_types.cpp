#include "junk/junk_types.h"

#include "core/general.h"
#include "core/settings.h"
#include "junk/junk_text.h"

namespace junk {
namespace {

int ToInt(const std::string& text, int fallback) {
    try {
        size_t used = 0;
        const long long value = std::stoll(text, &used);
        return value > 1000000 ? 1000000 : value < -1000000 ? -1000000 : static_cast<int>(value);
    } catch (...) {
        return fallback;
    }
}

int ReadCount(const char* key) { return ToInt(core::ReadIni(core::FtsIniPath, "Main", key, "0"), 0); }

bool ReadSwitch(const char* key, int outOfRange) {
    const int value = ToInt(core::ReadIni(core::MainIniPath, "Jnk", key, "1"), outOfRange);
    return (value < 0 || value > 1 ? outOfRange : value) == 1;
}

}  // namespace

std::string JunkPatterns;

const std::vector<JunkType>& DefaultJunkTypes() {
    static const std::vector<JunkType> defaults = {
        {"*.temp", "Temporary Files", true},
        {"*.tmp", "Temporary Files", true},
        {"*.~*", "Temporary Files", true},
        {"~*.*", "Temporary Files", true},
        {"*.??~", "Temporary Files", true},
        {"*.---", "Temporary Files", true},
        {"*.$$$", "Temporary Files", true},
        {"*.bak", "Temporary backup files", true},
        {"*.old", "Temporary backup files", true},
        {"*.chk", "Scan Disk Error Files", true},
        {"scandisk.log", "Scan Disk Log File", true},
        {"*.dmp", "Memory Dump Files", true},
        {"*.gid", "Windows Help Index Files", true},
        {"thumbs.db", "Thumbnails Created By Windows", false},
    };
    return defaults;
}

std::vector<JunkType> LoadTypeList() {
    std::vector<JunkType> types;
    const int n = ReadCount("tln");
    for (int i = 1; i <= n; ++i) {
        const std::string number = std::to_string(i);
        JunkType type;
        type.Pattern = core::ReadIni(core::FtsIniPath, "TypeList", number + "Typ", "");
        type.Description = core::ReadIni(core::FtsIniPath, "TypeList", number + "Dsc", "");
        type.Checked = ToInt(core::ReadIni(core::FtsIniPath, "TypeList", number + "Tval", "0"), 0) == 1;
        if (core::HasText(type.Pattern)) types.push_back(std::move(type));
    }
    return types;
}

void SaveTypeList(const std::vector<JunkType>& types) {
    core::SettingsBatch batch;  // the count and its entries in one replace
    core::WriteIni(core::FtsIniPath, "Main", "tln", std::to_string(types.size()));
    for (size_t i = 0; i < types.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        core::WriteIni(core::FtsIniPath, "TypeList", number + "Typ", types[i].Pattern);
        core::WriteIni(core::FtsIniPath, "TypeList", number + "Dsc", types[i].Description);
        core::WriteIni(core::FtsIniPath, "TypeList", number + "Tval", types[i].Checked ? "1" : "0");
    }
}

std::vector<JunkType> LoadDefaultTypes() {
    SaveTypeList(DefaultJunkTypes());
    return DefaultJunkTypes();
}

std::vector<JunkType> ChkDefLoad() { return ReadCount("tln") != 0 ? LoadTypeList() : LoadDefaultTypes(); }

std::vector<std::string> LoadSkipList() {
    std::vector<std::string> folders;
    const int m = ReadCount("skn");
    for (int j = 1; j <= m; ++j) {
        std::string folder = core::ReadIni(core::FtsIniPath, "SkipList", std::to_string(j) + "skf", "");
        if (core::HasText(folder)) folders.push_back(std::move(folder));
    }
    return folders;
}

void SaveSkipList(const std::vector<std::string>& folders) {
    core::SettingsBatch batch;
    core::WriteIni(core::FtsIniPath, "Main", "skn", std::to_string(folders.size()));
    for (size_t j = 0; j < folders.size(); ++j)
        core::WriteIni(core::FtsIniPath, "SkipList", std::to_string(j + 1) + "skf", folders[j]);
}

void BuildJunkPatterns() {
    const int n = ReadCount("tln");
    JunkPatterns.clear();
    for (int i = 1; i <= n; ++i) {
        const std::string number = std::to_string(i);
        if (ToInt(core::ReadIni(core::FtsIniPath, "TypeList", number + "Tval", "0"), 0) != 1) continue;
        const std::string pattern = core::ReadIni(core::FtsIniPath, "TypeList", number + "Typ", "");
        if (!core::HasText(pattern)) continue;
        JunkPatterns += pattern;
        if (i != n) JunkPatterns += ';';
    }
    if (!JunkPatterns.empty() && JunkPatterns.back() == ';') JunkPatterns.pop_back();
    JunkPatterns += ";*.lnk";
}

bool JunkPatternsEmpty() { return JunkPatterns == ";*.lnk"; }

JunkScanSwitches ReadScanSwitches() {
    JunkScanSwitches switches;
    switches.ScanShortcuts = ReadSwitch("ish", 0);
    switches.SkipProtected = ReadSwitch("Hr", 1);
    switches.SkipDapFolder = ReadSwitch("SkpDap", 1);
    switches.SkipRecent = core::ReadIni(core::MainIniPath, "Jnk", "Age", "0") == "1";
    return switches;
}

}  // namespace junk
