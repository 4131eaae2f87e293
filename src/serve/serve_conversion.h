// One uploaded export file converted in the request's private folder into the outputs asked,
// read back into memory for the answer.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "driver/conversion.h"

namespace korvanta::serve {

struct Upload {
  std::string display_name;  // the client's file name, see DisplayName()
  std::string bytes;
};

struct UploadResult {
  bool converted = false;
  std::string data_type;  // "Protein UV", or the type alone where it has no variants
  std::string report;     // the .xlsx, when asked and converted
  std::string asm_document;
  // The command's own words, without its "<input>: " prefix.
  std::string error;
  std::vector<std::string> warnings;
};

// The upload is stored under a name of the server's own with the display name's extension;
// the display name is the one the report and the messages show.
UploadResult ConvertUpload(const Upload& upload, const ConversionSettings& settings,
                           const std::filesystem::path& folder);

}  // namespace korvanta::serve
