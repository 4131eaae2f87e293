#include "serve/serve_conversion.h"

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>

#include "driver/path_rules.h"
#include "serve/serve_host.h"

namespace korvanta::serve {
namespace {

namespace fs = std::filesystem;

bool WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// The server's folder is nobody's business, and the client's file has no path but its name:
// where the conversion names the stored file's path, the client's name stands instead.
void ShowClientName(UploadResult& result, const std::string& stored, const std::string& name) {
  using Json = nlohmann::json;
  ReplaceAll(result.error, stored, name);
  for (std::string& warning : result.warnings) ReplaceAll(warning, stored, name);
  ReplaceAll(result.asm_document, Json(stored).dump(),
             Json(name).dump(-1, ' ', false, Json::error_handler_t::replace));
}

}  // namespace

UploadResult ConvertUpload(const Upload& upload, const ConversionSettings& settings,
                           const fs::path& folder) {
  UploadResult result;
  const fs::path input = folder / ("input" + fs::path(upload.display_name).extension().string());
  if (!WriteFile(input, upload.bytes)) {
    result.error = "Can not store " + upload.display_name + " for its conversion.";
    return result;
  }
  const std::string report = (folder / "report.xlsx").string();
  ServeHost host(report);
  Conversion conversion(host, settings);
  conversion.SetExportPath(input.string());
  conversion.SetExportFileName(upload.display_name);
  conversion.SetAsmPath(AsmDocumentPath(report));
  result.converted = conversion.OnConvert() == ConversionStatus::kCompleted;

  const ReportSummary& summary = conversion.Summary();
  result.data_type = summary.variant.empty() ? summary.data_type : summary.variant;
  result.warnings = summary.warnings;
  result.error = summary.error;
  if (result.error.empty() && !result.converted && !host.messages().empty()) {
    result.error = host.messages().front();
  }
  if (result.converted) {
    if (settings.formats.report) result.report = ReadFile(report);
    if (settings.formats.asm_document) {
      result.asm_document = ReadFile(conversion.Paths().asm_path);
    }
  }
  ShowClientName(result, input.string(), upload.display_name);
  return result;
}

}  // namespace korvanta::serve
