// The result list saved as text: one row a line, UTF-8, "full path TAB size
// in bytes TAB modified time (ISO 8601, UTC)", lines ending in CR LF.
#pragma once

#include <string>
#include <vector>

#include "junk/frm_junk.h"

namespace junk {

std::string ResultListText(const std::vector<ResultRow>& rows);
// Replaces path in one step (never half a list); false when it could not.
bool ExportResultList(const std::string& path, const std::vector<ResultRow>& rows);

}  // namespace junk
