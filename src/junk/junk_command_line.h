// The junk cleaner run from the command line ("/scan", "/clean"): no window,
// the page's own scan and clean with the stored settings, results printed.
#pragma once

#include "junk/command_line_text.h"

namespace platform {
class ConsoleOutput;
}

namespace junk {

// Held by a running "/clean": two cleans of the same files would report
// each other's removals as failures.
inline constexpr char kJunkCleanMutexName[] = "ClarimoJunkCommandLineClean";

// Exit codes of a run.
enum CommandLineExit : int { AllWell = 0, SomeFilesStayed = 1, BadArguments = 2, Refused = 3 };

// Runs a Scan, Clean, Usage or Bad request with the settings beside the
// executable; returns the exit code.
int RunJunkCommandLine(const CommandLineRequest& request, const platform::ConsoleOutput& output);

}  // namespace junk
