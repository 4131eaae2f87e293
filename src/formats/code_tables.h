// Code tables shared by several export formats.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace korvanta {

// Path-length codes from 4 on are whole centimetres, those below fractions of one.
inline constexpr std::int32_t kFirstWholePathLength = 4;

// Path length of code 0..7 in centimetres: "0.1", "0.125", "0.2", "0.5", "1", "2", "5", "10";
// nothing for another code.
std::optional<std::string_view> PathLengthText(std::int32_t code);

// Background setting: 0 "On", anything else "Off".
std::string_view BackgroundText(std::int32_t code);

// Data mode: 0 "%T", 1 "ABS", 2 "E(S)"; nothing for another code.
std::optional<std::string_view> DataModeText(std::int32_t code);

}  // namespace korvanta
