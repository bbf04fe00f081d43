// The maker's addresses, defined once for every part of the program.
#pragma once

namespace core::maker {

inline constexpr char kProgramName[] = "Clarimo";
inline constexpr char kVersionText[] = "2.1";
inline constexpr int kMajorVersion = 2;
inline constexpr int kMinorVersion = 1;
inline constexpr int kBuild = 15;
// The build number the update check compares a published release's build
// with; the update description files count builds apart from kBuild.
inline constexpr int kUpdateCompareBuild = 12;

inline constexpr char kWebHost[] = "www.clarimo.example";
inline constexpr char kWebSite[] = "https://www.clarimo.example";
inline constexpr char kContactEmail[] = "support@clarimo.example";
// Pages of the maker's web site, relative to kWebSite.
inline constexpr char kHomePagePath[] = "/programs/qx/index.html";
inline constexpr char kUpdateFilePath[] = "/updates/qxupdt.qdt";

}  // namespace core::maker
