// The dye names of the labelling methods; protein and nucleic-acid labelling share the codes.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace korvanta {

// Dye code 0..11 ("Alexa Fluor 350" .. "Texas Red"); nothing for another code, so the cell
// keeps what the template holds.
std::optional<std::string_view> DyeName(std::int32_t code);

}  // namespace korvanta
