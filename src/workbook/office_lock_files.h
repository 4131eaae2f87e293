// The office applications' lock files: whether a workbook is open in one before it is
// replaced.
#pragma once

#include <filesystem>

namespace korvanta::workbook {

// True when an office application's lock file lies beside the workbook ("~$NAME" for Excel,
// ".~lock.NAME#" for LibreOffice): the application holds it open.
bool IsWorkbookOpen(const std::filesystem::path& path);

}  // namespace korvanta::workbook
