#include "update/update_rules.h"

#include <charconv>
#include <system_error>

#include "core/maker.h"

namespace update {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

bool IsHostNameChar(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '.' || c == '_';
}

bool IsIpv6Char(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ':' || c == '.';
}

}  // namespace

std::optional<double> ParseDecimal(std::string_view text) {
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Digits with at most one "." and at least one digit; no exponent, no
    // "inf" or "nan", nothing that a locale could read differently.
    size_t digits = 0;
    size_t dots = 0;
    for (const char c : text) {
        if (IsDigit(c))
            ++digits;
        else if (c == '.')
            ++dots;
        else
            return std::nullopt;
    }
    if (digits == 0 || dots > 1) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return negative ? -value : value;
}

double ReadDecimal(std::string_view text, double Default) { return ParseDecimal(text).value_or(Default); }

std::string DecimalText(double value) {
    // Fixed notation: ParseDecimal takes no exponent. The longest fixed text
    // of a double has about 330 characters.
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::fixed);
    if (error != std::errc()) return "0";
    return std::string(buffer, end);
}

double OwnVersion() { return ReadDecimal(core::maker::kVersionText, 0); }
double OwnBuild() { return core::maker::kUpdateCompareBuild; }

bool IsNewerRelease(double version, double build) { return version > OwnVersion() || build > OwnBuild(); }

std::optional<WebAddress> ParseWebAddress(std::string_view address) {
    for (const char c : address) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F || c == '\\') return std::nullopt;
    }
    const size_t schemeEnd = address.find("://");
    if (schemeEnd == std::string_view::npos) return std::nullopt;
    WebAddress parsed;
    const std::string_view scheme = address.substr(0, schemeEnd);
    if (EqualsNoCase(scheme, "https")) {
        parsed.scheme = "https";
        parsed.port = 443;
    } else if (EqualsNoCase(scheme, "http")) {
        parsed.scheme = "http";
        parsed.port = 80;
    } else {
        return std::nullopt;
    }
    std::string_view rest = address.substr(schemeEnd + 3);
    const size_t authorityEnd = rest.find_first_of("/?#");
    std::string_view authority = rest.substr(0, authorityEnd);
    parsed.rest = authorityEnd == std::string_view::npos ? std::string() : std::string(rest.substr(authorityEnd));
    // A user part ("http://127.0.0.1@elsewhere/") only serves to mislead.
    if (authority.find('@') != std::string_view::npos) return std::nullopt;

    std::string_view host;
    std::string_view port;
    if (!authority.empty() && authority.front() == '[') {
        const size_t close = authority.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        host = authority.substr(0, close + 1);
        for (const char c : host.substr(1, host.size() - 2))
            if (!IsIpv6Char(c)) return std::nullopt;
        if (host.size() <= 2) return std::nullopt;
        const std::string_view after = authority.substr(close + 1);
        if (!after.empty()) {
            if (after.front() != ':') return std::nullopt;
            port = after.substr(1);
            if (port.empty()) return std::nullopt;
        }
    } else {
        const size_t colon = authority.find(':');
        host = authority.substr(0, colon);
        if (colon != std::string_view::npos) {
            port = authority.substr(colon + 1);
            if (port.empty()) return std::nullopt;
        }
        if (host.empty()) return std::nullopt;
        for (const char c : host)
            if (!IsHostNameChar(c)) return std::nullopt;
    }
    if (!port.empty()) {
        // Only the plain decimal form: "00008" would be one server to these
        // rules and possibly another to the system's own address reader.
        if (port.size() > 5 || port.front() == '0') return std::nullopt;
        int number = 0;
        const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), number);
        if (error != std::errc() || end != port.data() + port.size() || number < 1 || number > 65535)
            return std::nullopt;
        parsed.port = number;
    }
    parsed.host = std::string(host);
    return parsed;
}

bool IsLoopbackHost(std::string_view host) { return host == "127.0.0.1" || EqualsNoCase(host, "localhost"); }

std::string DescriptionFileAddress(std::string_view serverSetting) {
    const std::string makerAddress = std::string("https://") + core::maker::kWebHost + core::maker::kUpdateFilePath;
    std::string_view base = TrimBlanks(serverSetting);
    while (!base.empty() && base.back() == '/') base.remove_suffix(1);
    if (base.empty()) return makerAddress;
    const auto parsed = ParseWebAddress(base);
    if (!parsed || parsed->rest.find_first_of("?#") != std::string::npos) return makerAddress;
    if (parsed->scheme == "http" && !IsLoopbackHost(parsed->host)) return makerAddress;
    return std::string(base) + core::maker::kUpdateFilePath;
}

bool IsOfferableDownload(std::string_view address, std::string_view descriptionAddress) {
    const auto parsed = ParseWebAddress(address);
    if (!parsed) return false;
    if (parsed->scheme == "https") return true;
    const auto source = ParseWebAddress(descriptionAddress);
    return source && source->scheme == "http" && IsLoopbackHost(source->host) &&
           EqualsNoCase(parsed->host, source->host) && parsed->port == source->port;
}

}  // namespace update
