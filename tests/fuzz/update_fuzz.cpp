// Update rules: a number read from the description file is written back as
// text that reads as the same number; no download address other than https,
// or plain http on the loopback server the description came from, is ever
// offered; the description's own address is https or loopback http.
#include <cmath>
#include <string>

#include "fuzz_support.h"
#include "update/update_rules.h"

namespace {

bool StartsNoCase(std::string_view text, std::string_view prefix) {
    return fuzz::SameNoCase(text.substr(0, prefix.size()), prefix);
}

bool IsPlainAscii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) <= 0x20 || static_cast<unsigned char>(c) >= 0x7F || c == '\\') return false;
    return true;
}

// Host and port of an "http://" address, the port as a number (80 when none).
std::pair<std::string, long> HttpServer(std::string_view address) {
    std::string_view authority = address.substr(7);
    authority = authority.substr(0, authority.find_first_of("/?#"));
    const size_t colon = authority.find(':');
    std::string host(authority.substr(0, colon));
    for (char& c : host) c = fuzz::Lower(c);
    const std::string port(colon == authority.npos ? "80" : authority.substr(colon + 1));
    return {host, port.size() > 0 && port.size() < 8 ? std::strtol(port.c_str(), nullptr, 10) : -1};
}

bool IsLoopbackHttp(std::string_view address) {
    if (!StartsNoCase(address, "http://")) return false;
    const std::string host = HttpServer(address).first;
    return host == "127.0.0.1" || host == "localhost";
}

}  // namespace

void FuzzOne(const uint8_t* data, size_t size) {
    const auto parts = fuzz::Parts(data, size, 2);

    if (const auto number = update::ParseDecimal(parts[0])) {
        FUZZ_CHECK(std::isfinite(*number));
        FUZZ_CHECK(update::ParseDecimal(update::DecimalText(*number)) == *number);
    }

    const std::string description = update::DescriptionFileAddress(parts[1]);
    FUZZ_CHECK(IsPlainAscii(description) && description.ends_with("/updates/qxupdt.qdt"));
    FUZZ_CHECK(StartsNoCase(description, "https://") || IsLoopbackHttp(description));

    for (const std::string_view source : {std::string_view(description), parts[1]}) {
        if (!update::IsOfferableDownload(parts[0], source)) continue;
        FUZZ_CHECK(IsPlainAscii(parts[0]));
        if (StartsNoCase(parts[0], "https://")) continue;
        FUZZ_CHECK(StartsNoCase(parts[0], "http://") && IsLoopbackHttp(source));
        FUZZ_CHECK(HttpServer(parts[0]) == HttpServer(source));
    }
}
