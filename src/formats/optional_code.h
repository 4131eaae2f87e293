// An integer code field that may lie past the end of a file that ended early.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "formats/export_file.h"

namespace korvanta {

// The code, or nothing when the file ended before it: a missing code leaves its cell as the
// template has it instead of showing the meaning of 0.
inline std::optional<std::int32_t> ReadOptionalCode(ExportFile& file, std::string_view field) {
  const std::int32_t code = file.ReadInteger(field);
  if (file.EndedEarly()) return std::nullopt;
  return code;
}

}  // namespace korvanta
