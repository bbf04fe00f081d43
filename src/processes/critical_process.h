// The processes Windows cannot run without: ending one of them stops or
// restarts the whole system, so the process page never ends them.
#pragma once

#include <cstdint>
#include <string>

namespace processes {

// System, Idle and Registry are the kernel's own: recognised by name with
// identifier 0 or 4, or with no image path. smss, csrss, wininit, winlogon,
// services and lsass by name (".exe" optional, any case) when their image
// lies in systemFolder, or when their path is unknown: a program of the
// same name elsewhere is an ordinary one.
bool IsCriticalProcess(const std::string& name, const std::string& path, uint32_t processId,
                       const std::string& systemFolder);

}  // namespace processes
