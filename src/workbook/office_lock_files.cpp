#include "workbook/office_lock_files.h"

#include <system_error>

namespace korvanta::workbook {

bool IsWorkbookOpen(const std::filesystem::path& path) {
  const std::string name = path.filename().string();
  if (name.empty()) return false;
  const std::filesystem::path folder = path.parent_path();
  std::error_code error;
  // Excel's owner file and LibreOffice's lock file, both beside the workbook.
  return std::filesystem::exists(folder / ("~$" + name), error) ||
         std::filesystem::exists(folder / (".~lock." + name + "#"), error);
}

}  // namespace korvanta::workbook
