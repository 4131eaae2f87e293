// SHA-1 (FIPS 180-4), the hash of name-based identifiers and of an export file's content.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvanta {

using Sha1Digest = std::array<std::uint8_t, 20>;

Sha1Digest Sha1(std::string_view bytes);
// The digest in lower-case hexadecimal, 40 characters.
std::string Sha1Hex(std::string_view bytes);

}  // namespace korvanta
