// Shared by the libFuzzer programs: a failed property aborts, so libFuzzer
// keeps the input; one input may use at most 10 ms of CPU time.
// Included once per program: it defines the libFuzzer entry point.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string_view>
#include <vector>

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace fuzz {

// The input cut into exactly `count` parts at NUL bytes (missing ones
// empty), the last one taking the rest.
inline std::vector<std::string_view> Parts(const uint8_t* data, size_t size, size_t count) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> parts;
    for (size_t nul; parts.size() + 1 < count; rest = nul == rest.npos ? "" : rest.substr(nul + 1))
        parts.push_back(rest.substr(0, nul = rest.find('\0')));
    parts.push_back(rest);
    return parts;
}

// ASCII letters in either case are the same, as in Windows' names.
inline char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
inline bool SameNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

}  // namespace fuzz

// Each program defines this: one input, its properties checked.
void FuzzOne(const uint8_t* data, size_t size);

// No input may take more than 10 ms of CPU time. A slow input is slow every
// time, while a single spike comes from the shared machine: only an input
// slow three times over fails.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto now = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
    };
    double ms = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const double start = now();
        FuzzOne(data, size);
        if ((ms = now() - start) <= 10.0) return 0;
    }
    std::fprintf(stderr, "one input took %.1f ms\n", ms);
    std::abort();
}
