#include "formats/code_tables.h"

#include <array>

#include "formats/export_file.h"

namespace korvanta {

namespace {

// Centimetres: codes 0 to 3 are fractions, 4 to 7 whole centimetres.
constexpr std::array<std::string_view, 8> kPathLengths{"0.1", "0.125", "0.2", "0.5",
                                                       "1",   "2",     "5",   "10"};

}  // namespace

std::optional<std::string_view> PathLengthText(std::int32_t code) {
  if (code < 0 || code >= static_cast<std::int32_t>(kPathLengths.size())) return std::nullopt;
  return kPathLengths[static_cast<std::size_t>(code)];
}

std::string_view BackgroundText(std::int32_t code) { return code == 0 ? "On" : "Off"; }

std::optional<std::string_view> DataModeText(std::int32_t code) {
  switch (code) {
    case 0:
      return "%T";
    case 1:
      return "ABS";
    case 2:
      return "E(S)";
    default:
      return std::nullopt;
  }
}

}  // namespace korvanta
