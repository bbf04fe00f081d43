// Starts a program as a real child process and collects what it prints.
#pragma once

#include <cstdint>
#include <string>

namespace testing_support {

struct ProgramResult {
    bool started = false;
    bool timedOut = false;  // the child was killed after the time limit
    uint32_t exitCode = 0;
    std::string output;  // standard output and standard error, as bytes
};

// Runs commandLine (UTF-8) and waits up to timeoutMs for it to end; on
// time-out the child is killed.
ProgramResult RunProgram(const std::string& commandLine, uint32_t timeoutMs);

}  // namespace testing_support
