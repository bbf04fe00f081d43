// The rules of the update check that need no operating system: where the
// description file comes from, which download addresses may be offered, how
// its numbers are read and written, and when a release counts as newer.
// Portable, so they also run under the sanitizers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace update {

// A decimal number with "." as separator, whatever the user's locale: the
// description file is written once for everyone. Blanks around it are
// allowed; anything else ("2,2", "2.2 beta", "") is not a number.
std::optional<double> ParseDecimal(std::string_view text);
// ParseDecimal, or Default when text is not a number.
double ReadDecimal(std::string_view text, double Default);
// The shortest text that reads back as value, with "." as separator
// ("2.2", "3", "13").
std::string DecimalText(double value);

// The program's own release as the update check compares it.
double OwnVersion();
double OwnBuild();
// Component-wise against fixed limits: newer when the version is above the
// program's version or the build above its build.
bool IsNewerRelease(double version, double build);

// An http or https address split into its parts (scheme in lower case).
struct WebAddress {
    std::string scheme;
    std::string host;  // as written (IPv6 with its brackets)
    int port = 0;      // the scheme's port when none is written
    std::string rest;  // path, query and fragment, "" or starting with "/", "?" or "#"
};
// Only http:// and https:// addresses with a host and no user part; no
// blanks, control characters, backslashes or non-ASCII bytes anywhere.
std::optional<WebAddress> ParseWebAddress(std::string_view address);
// "127.0.0.1" or "localhost" (any case).
bool IsLoopbackHost(std::string_view host);

// The description file's address: the value of the Server setting (a base
// address) followed by the file's path on the server, or the maker's https
// address when the setting is empty or not acceptable (plain http is
// accepted only for a loopback host).
std::string DescriptionFileAddress(std::string_view serverSetting);

// Whether a download address read from the description file may be offered
// and handed on: any https address, or an http address on the very loopback
// server (host and port) the description file came from.
bool IsOfferableDownload(std::string_view address, std::string_view descriptionAddress);

}  // namespace update
