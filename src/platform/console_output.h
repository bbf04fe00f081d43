// What a run without windows prints. The program is built for the GUI
// subsystem, so it has standard handles only when its starter passed them
// (a pipe, a file); otherwise it prints to the console of the process that
// started it, if any.
#pragma once

#include <string>
#include <vector>

#include "platform/handles.h"

namespace platform {

class ConsoleOutput {
public:
    ConsoleOutput();
    ConsoleOutput(const ConsoleOutput&) = delete;
    ConsoleOutput& operator=(const ConsoleOutput&) = delete;

    // One line each, "\r\n" added: to a console through WriteConsoleW, to a
    // pipe or file as UTF-8.
    void Out(const std::string& line) const { Write(out_, line); }
    void Err(const std::string& line) const { Write(err_, line); }

private:
    static void Write(HANDLE stream, const std::string& line);

    HANDLE out_ = nullptr;  // standard handles are the process's, not ours to close
    HANDLE err_ = nullptr;
    UniqueHandle console_;  // the parent's console, when attached
};

// The words of the program's command line after its own name.
std::vector<std::string> CommandLineArguments();

}  // namespace platform
