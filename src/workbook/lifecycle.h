// Where an output workbook stands before it is written: already open in an office
// application, or free to be replaced.
#pragma once

#include <filesystem>

namespace korvanta::workbook {

// True when an office application holds the workbook open: its lock file beside it
// ("~$NAME" for Excel, ".~lock.NAME#" for LibreOffice), or on Windows an exclusive open
// that fails.
bool IsWorkbookOpen(const std::filesystem::path& path);

}  // namespace korvanta::workbook
