#include "reports/code_tables.h"

#include <array>

#include "driver/conversion.h"

namespace korvanta {

void WritePathLength(Conversion& c, workbook::Col col, int row, std::int32_t code) {
  // Fractions of a centimetre are numbers, whole centimetres integers.
  constexpr std::array<float, 4> kFractions{0.1F, 0.125F, 0.2F, 0.5F};
  constexpr std::array<std::int32_t, 4> kWhole{1, 2, 5, 10};
  if (code >= 0 && code <= 3) {
    c.WriteNumberCell(col, row, kFractions[static_cast<std::size_t>(code)]);
  } else if (code >= 4 && code <= 7) {
    c.WriteIntegerCell(col, row, kWhole[static_cast<std::size_t>(code - 4)]);
  }
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
