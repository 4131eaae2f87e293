#include "workbook/office_lock_files.h"

#include <system_error>

namespace korvanta::workbook {

std::optional<std::filesystem::path> OfficeLockFile(const std::filesystem::path& path) {
  const std::string name = path.filename().string();
  if (name.empty()) return std::nullopt;
  const std::filesystem::path folder = path.parent_path();
  // Excel's owner file and LibreOffice's lock file, both beside the workbook.
  for (const std::string& lock_name : {"~$" + name, ".~lock." + name + "#"}) {
    std::error_code error;
    const std::filesystem::path lock = folder / lock_name;
    if (std::filesystem::exists(lock, error)) return lock;
  }
  return std::nullopt;
}

}  // namespace korvanta::workbook
