#include "processes/critical_process.h"

#include <array>

#include "core/path_text.h"
#include "platform/file_system.h"

namespace processes {
namespace {

constexpr std::array<const char*, 3> kKernelProcesses = {"SYSTEM", "IDLE", "REGISTRY"};
constexpr std::array<const char*, 6> kSystemPrograms = {"SMSS", "CSRSS", "WININIT", "WINLOGON", "SERVICES", "LSASS"};

template <size_t N>
bool Holds(const std::array<const char*, N>& names, const std::string& name) {
    for (const char* listed : names)
        if (name == listed) return true;
    return false;
}

}  // namespace

bool IsCriticalProcess(const std::string& name, const std::string& path, uint32_t processId,
                       const std::string& systemFolder) {
    // The idle process has no name at all in the system's snapshot.
    if (processId == 0) return true;
    std::string bare = platform::UpperCaseForComparison(name);
    if (Holds(kKernelProcesses, bare)) return processId == 4 || path.empty();
    if (bare.size() > 4 && bare.compare(bare.size() - 4, 4, ".EXE") == 0) bare.resize(bare.size() - 4);
    if (!Holds(kSystemPrograms, bare)) return false;
    return path.empty() ||
           platform::ComparablePath(core::ParentFolderText(path)) == platform::ComparablePath(systemFolder);
}

}  // namespace processes
