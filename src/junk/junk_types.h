// The junk file types list and the skipped folders, kept in "Fts.ini", and
// the junk switches of section Jnk in "Qxs.ini".
#pragma once

#include <string>
#include <vector>

namespace junk {

// One row of the "Files Types:" list.
struct JunkType {
    std::string Pattern;  // matched against bare file names
    std::string Description;
    bool Checked = false;  // takes part in scans

    bool operator==(const JunkType&) const = default;
};

// The fourteen types of a first start, in order; all checked but "thumbs.db".
const std::vector<JunkType>& DefaultJunkTypes();

// Types 1..tln of "Fts.ini" whose pattern is not blank.
std::vector<JunkType> LoadTypeList();
// Writes tln and entries 1..n; higher entries of a longer earlier list stay.
void SaveTypeList(const std::vector<JunkType>& types);
// The default list, written to "Fts.ini" at once.
std::vector<JunkType> LoadDefaultTypes();
// LoadTypeList, or LoadDefaultTypes when tln is 0 (first start, lost file).
std::vector<JunkType> ChkDefLoad();

// Skipped folders 1..skn of "Fts.ini" that are not blank.
std::vector<std::string> LoadSkipList();
void SaveSkipList(const std::vector<std::string>& folders);

// The text a scan starts with: the checked, non-blank patterns of
// "Fts.ini" joined by ";", then ";*.lnk".
extern std::string JunkPatterns;
void BuildJunkPatterns();
// True when no checked type contributed to JunkPatterns.
bool JunkPatternsEmpty();

// The junk switches as a scan reads them (section Jnk of "Qxs.ini").
struct JunkScanSwitches {
    bool ScanShortcuts = true;  // ish: default 1, out of range 0
    bool SkipProtected = true;  // Hr: default 1, out of range 1
    bool SkipDapFolder = true;  // SkpDap: default 1, out of range 1
    bool SkipRecent = false;    // Age: files changed in the last 24 hours; default 0
};
JunkScanSwitches ReadScanSwitches();

}  // namespace junk
