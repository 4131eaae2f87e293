// The office applications' lock files: whether a workbook is open in one before it is
// replaced.
#pragma once

#include <filesystem>
#include <optional>

namespace korvanta::workbook {

// The lock file that shows an office application holds the workbook open ("~$NAME" for
// Excel, ".~lock.NAME#" for LibreOffice, beside it), or nothing when there is none.
std::optional<std::filesystem::path> OfficeLockFile(const std::filesystem::path& path);

}  // namespace korvanta::workbook
