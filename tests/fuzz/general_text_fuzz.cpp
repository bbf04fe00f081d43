// General text: the program path of a command line is a piece of it that
// starts where the first ":\" has its drive letter and ends in ".exe" or
// ".ico"; HasText agrees with the path rules' blank test.
#include <string>

#include "core/general.h"
#include "core/path_text.h"
#include "fuzz_support.h"

namespace {

bool EndsWithExtension(std::string_view path) {
    if (path.size() < 4) return false;
    std::string tail(path.substr(path.size() - 4));
    for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return tail == ".exe" || tail == ".ico";
}

}  // namespace

void FuzzOne(const uint8_t* data, size_t size) {
    const std::string command(reinterpret_cast<const char*>(data), size);
    const std::string path = core::GetProgramPath(command);
    if (!path.empty()) {
        const size_t colon = command.find(":\\");
        FUZZ_CHECK(colon != std::string::npos && colon > 0);
        FUZZ_CHECK(command.compare(colon - 1, path.size(), path) == 0);
        FUZZ_CHECK(EndsWithExtension(path));
    }
    FUZZ_CHECK(core::HasText(command) == core::HasNonBlank(command));
}
