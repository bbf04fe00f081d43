#include "junk/command_line_text.h"

namespace junk {
namespace {

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return text;
}

// "D:" or "D:\" (any case): the drive letter, or 0.
char DriveLetter(const std::string& word) {
    if (word.size() < 2 || word.size() > 3 || word[1] != ':' || (word.size() == 3 && word[2] != '\\')) return 0;
    const char letter = Lower(word.substr(0, 1))[0];
    return letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 32) : 0;
}

CommandLineRequest Bad(const std::string& error) { return {CommandLineAction::Bad, {}, error}; }

}  // namespace

CommandLineRequest ParseCommandLine(const std::vector<std::string>& args) {
    if (args.empty() || args[0].empty() || args[0][0] != '/') return {};
    const std::string command = Lower(args[0]);
    if (command == "/?")
        return args.size() == 1 ? CommandLineRequest{CommandLineAction::Usage, {}, {}}
                                : Bad("/? takes no other argument.");
    CommandLineRequest request;
    if (command == "/scan")
        request.action = CommandLineAction::Scan;
    else if (command == "/clean")
        request.action = CommandLineAction::Clean;
    else
        return Bad("Unknown command: " + args[0]);
    for (size_t i = 1; i < args.size(); ++i) {
        const char letter = DriveLetter(args[i]);
        if (!letter) return Bad("Not a drive: " + args[i]);
        request.drives.push_back(letter);
    }
    return request;
}

std::string CommandLineUsage() {
    return "Usage: Clarimo.exe /scan [D: ...] | /clean [D: ...] | /?\r\n"
           "  /scan   lists the junk files found, one full path per line\r\n"
           "  /clean  removes them as set on the Options page, and lists those it could not remove\r\n"
           "  D:      the drives to search; none: every fixed drive\r\n"
           "Exit code: 0 done, 1 some files could not be removed, 2 bad arguments, 3 refused";
}

std::string OneLinePath(const std::string& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string line;
    line.reserve(path.size());
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            line += '<';
            line += kHex[byte >> 4];
            line += kHex[byte & 15];
            line += '>';
        } else {
            line += c;
        }
    }
    return line;
}

}  // namespace junk
