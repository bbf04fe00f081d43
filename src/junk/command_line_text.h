// What a windowless run of the junk cleaner was asked for, and how it prints
// paths. Portable.
#pragma once

#include <string>
#include <vector>

namespace junk {

enum class CommandLineAction { Window, Scan, Clean, Usage, Bad };

struct CommandLineRequest {
    CommandLineAction action = CommandLineAction::Window;
    std::vector<char> drives;  // upper-case letters, in the order given; none: the fixed drives
    std::string error;         // why the arguments are bad
};

// args: the words after the program's name. No word, or a first word that
// does not start with "/", opens the window as before.
CommandLineRequest ParseCommandLine(const std::vector<std::string>& args);

std::string CommandLineUsage();

// A path on one line: each control character (below U+0020, and U+007F) is
// written as "<XX>" with its two hex digits. "<" and ">" cannot be part of a
// Windows file name, so the form cannot be mistaken for a real name.
std::string OneLinePath(const std::string& path);

}  // namespace junk
