#include "startup/startup_model.h"

#include <algorithm>

namespace startup {
namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

bool IsPlainFileName(std::string_view file) {
    return !file.empty() && file.find_first_of("\\/:|") == std::string_view::npos && file != "." && file != "..";
}

// A damaged "kn" must not keep the page reading for hours.
constexpr long long kMaxKeptEntries = 10000;

}  // namespace

const char* ViewText(View view) { return view == View::CurrentUser ? "Current User" : "All Users"; }

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

bool EndsWithText(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && SameText(text.substr(text.size() - suffix.size()), suffix);
}

std::string TrimBlanks(std::string_view text) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t'; };
    size_t begin = 0, end = text.size();
    while (begin < end && isSpace(text[begin])) ++begin;
    while (end > begin && isSpace(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

bool SameEntry(const StartupEntry& a, const StartupEntry& b) {
    return SameText(a.name, b.name) && SameText(TrimBlanks(a.command), TrimBlanks(b.command));
}

bool SameOrigin(const StartupEntry& a, const StartupEntry& b) {
    const Origin x = ParseOrigin(a.originKey, a.name), y = ParseOrigin(b.originKey, b.name);
    if (!x.valid || !y.valid || x.registry != y.registry || !SameText(a.name, b.name)) return false;
    if (x.registry) return x.hive == y.hive && SameText(x.keyPath, y.keyPath);
    return SameText(x.folder, y.folder) && SameText(x.file, y.file);
}

std::string KeptFileName(const StartupEntry& entry) {
    return entry.keptFile.empty() ? ParseOrigin(entry.originKey, entry.name).file : entry.keptFile;
}

bool ApprovedValueIsOff(const std::vector<uint8_t>& data) { return !data.empty() && (data[0] & 1) != 0; }

std::string StatusText(const StartupEntry& entry) {
    if (entry.policy) return "Policy";
    return entry.offByWindows ? "Disabled by Windows" : "";
}

bool IsRegistryOrigin(std::string_view originKey) {
    return originKey.size() >= 4 && SameText(originKey.substr(0, 4), "hkey");
}

Origin ParseOrigin(std::string_view originKey, std::string_view name) {
    Origin origin;
    if (IsRegistryOrigin(originKey)) {
        origin.registry = true;
        const size_t slash = originKey.find('\\');
        if (slash == std::string_view::npos) return origin;
        origin.hive =
            SameText(originKey.substr(0, slash), "HKEY_CURRENT_USER") ? Hive::CurrentUser : Hive::LocalMachine;
        const std::string_view rest = originKey.substr(slash + 1);
        // rest = key path + "\" + name
        if (name.empty() || rest.size() <= name.size() + 1 || !EndsWithText(rest, name)) return origin;
        const size_t cut = rest.size() - name.size() - 1;
        if (rest[cut] != '\\') return origin;
        origin.keyPath = std::string(rest.substr(0, cut));
        origin.valid = true;
        return origin;
    }
    const size_t bar = originKey.find('|');
    origin.folder = std::string(originKey.substr(0, bar));
    const size_t fileBar = bar == std::string_view::npos ? bar : originKey.find('|', bar + 1);
    origin.file =
        fileBar == std::string_view::npos ? std::string(name) + ".lnk" : std::string(originKey.substr(fileBar + 1));
    // Only a plain file name: a damaged line must not point elsewhere.
    origin.valid = !origin.folder.empty() && !name.empty() && IsPlainFileName(origin.file);
    return origin;
}

std::string RegistryOriginKey(Hive hive, std::string_view keyPath, std::string_view valueName) {
    return std::string(hive == Hive::CurrentUser ? kHkcuPrefix : kHklmPrefix) + std::string(keyPath) + "\\" +
           std::string(valueName);
}

std::string FolderOriginKey(std::string_view folder, int position, std::string_view otherFile) {
    std::string key = std::string(folder) + "|" + std::to_string(position);
    if (!otherFile.empty()) key.append(1, '|').append(otherFile);
    return key;
}

bool IsTextType(uint32_t valueType) { return valueType == kRegSz || valueType == kRegExpandSz; }

bool CanKeep(const StartupEntry& entry) {
    if (IsRegistryOrigin(entry.originKey) && !IsTextType(entry.valueType)) return false;
    // A profile line ends at the line break: such a text would come back cut.
    const auto breaks = [](const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; };
    return !breaks(entry.name) && !breaks(entry.command) && !breaks(entry.originKey);
}

std::optional<long long> ParseNumber(std::string_view text) {
    const std::string t = TrimBlanks(text);
    if (t.empty() || t.size() > 18) return std::nullopt;
    size_t i = 0;
    const bool negative = t[0] == '-';
    if (t[0] == '-' || t[0] == '+') i = 1;
    if (i == t.size()) return std::nullopt;
    long long value = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return std::nullopt;
        value = value * 10 + (t[i] - '0');
    }
    return negative ? -value : value;
}

std::optional<std::vector<StartupEntry>> ParseKeepingFile(const IniReader& read) {
    std::vector<StartupEntry> entries;
    const auto count = ParseNumber(read("Main", "kn", ""));
    if (!count || *count < 0) return std::nullopt;
    const long long n = std::min(*count, kMaxKeptEntries);
    for (long long k = 1; k <= n; ++k) {
        const std::string index = std::to_string(k);
        StartupEntry entry;
        entry.name = read("Programs", "Prog" + index, "");
        if (IsBlank(entry.name)) continue;
        entry.command = read("Programs", "Command" + index, "");
        entry.originKey = read("Programs", "key" + index, "");
        if (IsRegistryOrigin(entry.originKey)) {
            const auto type = ParseNumber(read("Programs", "Type" + index, ""));
            entry.valueType =
                (type && IsTextType(static_cast<uint32_t>(*type))) ? static_cast<uint32_t>(*type) : kRegSz;
        } else {
            entry.valueType = 0;
            // Only a plain file name: a damaged line must not point elsewhere.
            const std::string file = read("Programs", "File" + index, "");
            if (IsPlainFileName(file) && !SameText(file, ParseOrigin(entry.originKey, entry.name).file))
                entry.keptFile = file;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<core::IniSection> KeepingFileSections(const std::vector<StartupEntry>& entries) {
    core::IniSection main{"Main", {{"kn", std::to_string(entries.size())}}};
    core::IniSection programs{"Programs", {}};
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string k = std::to_string(i + 1);
        const StartupEntry& e = entries[i];
        programs.entries.emplace_back("Prog" + k, e.name);
        programs.entries.emplace_back("Command" + k, e.command);
        programs.entries.emplace_back("key" + k, e.originKey);
        if (IsRegistryOrigin(e.originKey) && e.valueType != kRegSz)
            programs.entries.emplace_back("Type" + k, std::to_string(e.valueType));
        if (!IsRegistryOrigin(e.originKey) && !e.keptFile.empty())
            programs.entries.emplace_back("File" + k, e.keptFile);
    }
    return {main, programs};
}

std::vector<size_t> VisibleKeptEntries(const std::vector<StartupEntry>& active, const std::vector<StartupEntry>& kept) {
    std::vector<size_t> visible;
    for (size_t i = 0; i < kept.size(); ++i) {
        const bool back = std::any_of(active.begin(), active.end(), [&](const StartupEntry& a) {
            return SameOrigin(a, kept[i]) && SameEntry(a, kept[i]);
        });
        if (!back) visible.push_back(i);
    }
    return visible;
}

bool ConflictsWithActive(const StartupEntry& kept, const std::vector<StartupEntry>& active) {
    return std::any_of(active.begin(), active.end(),
                       [&](const StartupEntry& a) { return SameOrigin(a, kept) && !SameEntry(a, kept); });
}

DisplaySettings ReadDisplaySettings(const std::string& srt, const std::string& col, const std::string& indx,
                                    const std::string& cv) {
    DisplaySettings s;
    const auto order = ParseNumber(srt), column = ParseNumber(col);
    if (order && column && *order >= 1 && *order <= 2 && *column >= 1 && *column <= 2) {
        s.sortOrder = static_cast<int>(*order);
        s.sortColumn = static_cast<int>(*column);
    }
    const auto view = ParseNumber(indx);
    s.viewIndex = (view && (*view == 0 || *view == 1)) ? static_cast<int>(*view) : 1;
    const auto mode = ParseNumber(cv);
    s.viewMode = (mode && *mode >= 0 && *mode <= 3) ? static_cast<int>(*mode) : 3;
    return s;
}

int NextSortOrder(int currentOrder) { return currentOrder == 1 ? 2 : 1; }

std::string QuotePathForRun(const std::string& path, bool fileExists) {
    if (!fileExists || path.find(' ') == std::string::npos) return path;
    if (!path.empty() && path.front() == '"') return path;
    return "\"" + path + "\"";
}

std::string ReportFileName(const std::string& chosen) {
    if (EndsWithText(chosen, ".txt")) return chosen;
    const size_t slash = chosen.find_last_of("\\/");
    const std::string_view last = std::string_view(chosen).substr(slash == std::string::npos ? 0 : slash + 1);
    if (last.find('.') != std::string_view::npos) return chosen;
    return chosen + ".txt";
}

std::string ReportText(const std::string& computerName, const std::string& userName, int itemsNumber,
                       const std::vector<ReportLine>& rows, const std::string& dateTime) {
    std::string text;
    const auto line = [&text](const std::string& s) { text += s + "\r\n"; };
    line("Startup Programs Report");
    line("");
    line("Computer Name : " + computerName);
    line("User Name : " + userName);
    line("Startup Programs Number : " + std::to_string(itemsNumber));
    line("");
    for (const ReportLine& row : rows)
        line(row.header ? row.text : "  " + row.text + (row.status.empty() ? "" : " (" + row.status + ")"));
    line("Report Created By : Clarimo 2.0");
    line("");
    line(dateTime);
    return text;
}

}  // namespace startup
