// General text: the program path of a command line is a piece of it that
// starts where the first ":\" has its drive letter and ends in ".exe" or
// ".ico"; HasText agrees with the path rules' blank test.
#include <string>

#include "core/general.h"
#include "core/path_text.h"
#include "fuzz_support.h"

void FuzzOne(const uint8_t* data, size_t size) {
    const std::string command(reinterpret_cast<const char*>(data), size);
    const std::string path = core::GetProgramPath(command);
    if (!path.empty()) {
        const size_t colon = command.find(":\\");
        FUZZ_CHECK(colon != std::string::npos && colon > 0);
        FUZZ_CHECK(command.compare(colon - 1, path.size(), path) == 0);
        const std::string_view tail = std::string_view(path).substr(path.size() - std::min<size_t>(4, path.size()));
        FUZZ_CHECK(fuzz::SameNoCase(tail, ".exe") || fuzz::SameNoCase(tail, ".ico"));
    }
    FUZZ_CHECK(core::HasText(command) == core::HasNonBlank(command));
}
