#include "formats/dye_table.h"

#include <array>

namespace korvanta {

namespace {

constexpr std::array<std::string_view, 12> kDyeNames = {
    "Alexa Fluor 350",
    "Alexa Fluor 405",
    "Alexa Fluor 488",
    "Alexa Fluor 647",
    "Cy3",
    "Cy5",
    "DyLight 649",
    "DyLight 488",
    "FITC",
    "Pacific Blue",
    "r-PE",
    "Texas Red",
};

}  // namespace

std::optional<std::string_view> DyeName(std::int32_t code) {
  if (code < 0 || code >= static_cast<std::int32_t>(kDyeNames.size())) return std::nullopt;
  return kDyeNames[static_cast<std::size_t>(code)];
}

}  // namespace korvanta
