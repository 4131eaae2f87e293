// Where an output workbook stands before it is written: already open in an office
// application, or free to be replaced.
#pragma once

#include <filesystem>
#include <optional>

namespace korvanta::workbook {

// The lock file that shows an office application holds the workbook open ("~$NAME" for
// Excel, ".~lock.NAME#" for LibreOffice, beside it), or nothing when there is none.
std::optional<std::filesystem::path> OfficeLockFile(const std::filesystem::path& path);

}  // namespace korvanta::workbook
