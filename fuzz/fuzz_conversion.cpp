// One whole conversion per input: the first byte picks the data type (and with it the report
// writer), the rest is the export file. The run goes through the driver with the test Host,
// in a folder on the memory file system where there is one, with the built templates.
//
// Whatever the file holds, the conversion ends in one of two ways: "Completed." with a report
// the engine reads back, or a message to the user and no report at all.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include "driver/conversion.h"
#include "driver/data_types.h"
#include "support/test_host.h"
#include "workbook/workbook.h"

namespace {

namespace fs = std::filesystem;

void Require(bool condition) {
  if (!condition) std::abort();
}

fs::path g_folder;
fs::path g_templates;

void RemoveFolder() {
  std::error_code ignored;
  fs::remove_all(g_folder, ignored);
}

fs::path MakeFolder() {
  std::error_code ignored;
  const fs::path shm("/dev/shm");
  const fs::path base = fs::is_directory(shm, ignored) ? shm : fs::temp_directory_path();
  std::string pattern = (base / "korvanta-fuzz-XXXXXX").string();
  Require(::mkdtemp(pattern.data()) != nullptr);
  return pattern;
}

void WriteBytes(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  Require(static_cast<bool>(out));
}

std::size_t FolderEntries() {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(g_folder)) ++count;
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const char* templates = std::getenv("KORVANTA_TEMPLATE_DIR");
  g_templates = templates != nullptr ? templates : KORVANTA_TEMPLATE_DIR;
  g_folder = MakeFolder();
  std::atexit(RemoveFolder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto types = korvanta::DataTypes();
  const korvanta::DataType& type = types[data[0] % types.size()];
  const fs::path input = g_folder / ("fuzz." + std::string(type.extension));
  const fs::path output = g_folder / "report.xlsx";
  std::error_code ignored;
  fs::remove(output, ignored);
  WriteBytes(input, std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));

  korvanta::test::RecordingHost host;
  host.output_path = output.string();
  korvanta::ConversionSettings settings;
  settings.template_dir = g_templates;
  settings.fixed_time = korvanta::test::kFixedTime;
  korvanta::Conversion conversion(host, settings);
  conversion.SetExportPath(input.string());
  const korvanta::ConversionStatus status = conversion.OnConvert();

  if (status == korvanta::ConversionStatus::kCompleted) {
    Require(host.messages.empty());
    Require(!host.statuses.empty() && host.statuses.back() == "Completed.");
    korvanta::workbook::Workbook::Load(output);
    Require(FolderEntries() == 2);
  } else {
    // Nothing is cancelled here: the Host always names a fresh output path.
    Require(status == korvanta::ConversionStatus::kFailed);
    Require(!host.messages.empty());
    Require(!fs::exists(output, ignored));
    Require(FolderEntries() == 1);
  }
  fs::remove(input, ignored);
  return 0;
}
