#include "cli/input_list.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "driver/data_types.h"
#include "driver/path_rules.h"

namespace korvanta::cli {
namespace {

namespace fs = std::filesystem;

bool IsExportFileName(const fs::path& path) {
  const auto extension = LowerCaseExtension(path.filename().string());
  return extension && FindDataTypeByExtension(*extension) != nullptr;
}

// The export-file entries of `folder`; false when the folder cannot be read.
template <typename Iterator>
bool CollectExportFiles(const fs::path& folder, bool recursive, std::vector<std::string>& found) {
  std::error_code error;
  Iterator entries(folder, fs::directory_options::skip_permission_denied, error);
  for (; !error && entries != Iterator(); entries.increment(error)) {
    const fs::directory_entry& entry = *entries;
    std::error_code ignored;
    // Subfolders are searched, not converted, when searching recursively.
    if (recursive && entry.is_directory(ignored)) continue;
    if (IsExportFileName(entry.path())) found.push_back(entry.path().string());
  }
  return !error;
}

}  // namespace

std::vector<Input> ExpandInputs(const std::vector<std::string>& given, bool recursive) {
  std::vector<Input> inputs;
  for (const auto& path : given) {
    std::error_code error;
    if (!fs::is_directory(path, error)) {
      inputs.push_back({path, {}});
      continue;
    }
    std::vector<std::string> found;
    const bool readable =
        recursive ? CollectExportFiles<fs::recursive_directory_iterator>(path, true, found)
                  : CollectExportFiles<fs::directory_iterator>(path, false, found);
    std::sort(found.begin(), found.end());
    if (!readable) {
      inputs.push_back({path, "Can not read folder: " + path});
    } else if (found.empty()) {
      inputs.push_back({path, "no export files in this folder"});
    }
    for (auto& file : found) inputs.push_back({std::move(file), {}});
  }
  return inputs;
}

}  // namespace korvanta::cli
