// Startup model: every entry the keeping file can hold comes back as it was
// written; a registry origin read as valid names the key it was written
// for, in the hive its root names; a report name keeps the chosen name;
// numbers read back.
#include <map>
#include <tuple>

#include "fuzz_support.h"
#include "startup/startup_model.h"

namespace {

using startup::StartupEntry;

auto Fields(const StartupEntry& e) { return std::tie(e.name, e.command, e.originKey, e.valueType); }

}  // namespace

void FuzzOne(const uint8_t* data, size_t size) {
    if (size == 0) return;
    const uint8_t flags = data[0];
    const auto parts = fuzz::Parts(data + 1, size - 1, 5);
    const std::string name(parts[0]), command(parts[1]), key(parts[2]), chosen(parts[4]);

    // A written file read back through its sections.
    StartupEntry entry{name, command, key, 0};
    if (startup::IsRegistryOrigin(key)) entry.valueType = flags & 1 ? startup::kRegExpandSz : startup::kRegSz;
    const StartupEntry folderEntry{command, name, "C:\\Startup|" + std::to_string(flags), 0};
    std::map<std::pair<std::string, std::string>, std::string> file;
    for (const core::IniSection& section : startup::KeepingFileSections({entry, folderEntry}))
        for (const auto& [k, v] : section.entries) file[{section.name, k}] = v;
    const auto read = [&](const std::string& section, const std::string& k, const std::string& fallback) {
        const auto found = file.find({section, k});
        return found == file.end() ? fallback : found->second;
    };
    if (startup::CanKeep(entry) && startup::CanKeep(folderEntry)) {  // the page keeps only such entries
        std::vector<StartupEntry> expected;
        for (const StartupEntry& e : {entry, folderEntry})
            if (e.name.find_first_not_of(' ') != std::string::npos) expected.push_back(e);
        const auto back = startup::ParseKeepingFile(read);
        FUZZ_CHECK(back && back->size() == expected.size());
        for (size_t i = 0; i < back->size(); ++i) FUZZ_CHECK(Fields((*back)[i]) == Fields(expected[i]));
    }

    // A damaged count over a file without those entries reads as damaged or
    // as nothing, in bounded time.
    const auto damaged = [&](const std::string&, const std::string& k, const std::string& fallback) {
        return k == "kn" ? std::string(parts[3]) : fallback;
    };
    const auto fromDamaged = startup::ParseKeepingFile(damaged);
    FUZZ_CHECK(!fromDamaged || fromDamaged->empty());

    const startup::Hive hive = flags & 2 ? startup::Hive::CurrentUser : startup::Hive::LocalMachine;
    const startup::Origin written = startup::ParseOrigin(startup::RegistryOriginKey(hive, command, name), name);
    if (!command.empty() && !name.empty())
        FUZZ_CHECK(written.valid && written.hive == hive && written.keyPath == command);
    const startup::Origin parsed = startup::ParseOrigin(key, name);
    if (parsed.registry && parsed.valid) {  // any root other than the user's is the machine's
        const size_t slash = key.find('\\');
        FUZZ_CHECK(startup::SameText(key.substr(slash + 1), parsed.keyPath + "\\" + name));
        FUZZ_CHECK((parsed.hive == startup::Hive::CurrentUser) ==
                   startup::SameText(key.substr(0, slash), "HKEY_CURRENT_USER"));
    }

    const std::string report = startup::ReportFileName(chosen);
    FUZZ_CHECK(report == chosen || report == chosen + ".txt");
    if (const auto number = startup::ParseNumber(chosen))
        FUZZ_CHECK(startup::ParseNumber(std::to_string(*number)) == number);
}
