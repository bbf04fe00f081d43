#include "core/settings.h"

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

std::string ReadIni(const std::string& FileName, const std::string& Section, const std::string& Key,
                    const std::string& Default) {
    return platform::ReadIniValue(FileName, Section, Key, Default);
}

void WriteIni(const std::string& FileName, const std::string& Section, const std::string& Key,
              const std::string& Value) {
    platform::WriteIniValue(FileName, Section, Key, QuoteIniValue(Value));
}

bool ReplaceIniFile(const std::string& FileName, const std::vector<IniSection>& sections) {
    const std::optional<std::string> bytes = IniFileBytes(sections);
    return bytes && platform::ReplaceFileContent(FileName, *bytes);
}

}  // namespace core
