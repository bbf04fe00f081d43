#include "junk/result_export.h"

#include "platform/atomic_file.h"
#include "platform/locale_format.h"

namespace junk {

std::string ResultListText(const std::vector<ResultRow>& rows) {
    std::string text;
    for (const ResultRow& row : rows)
        text += row.Key + '\t' + std::to_string(row.Size) + '\t' + platform::IsoDateTimeText(row.Time) + "\r\n";
    return text;
}

bool ExportResultList(const std::string& path, const std::vector<ResultRow>& rows) {
    return platform::ReplaceFileContent(path, ResultListText(rows));
}

}  // namespace junk
