// Name-based UUIDs (RFC 9562 version 5, SHA-1): the same namespace and name always give the
// same identifier, different names practically never the same one.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvanta {

using Uuid = std::array<std::uint8_t, 16>;

// The namespace of the identifiers in Korvanta's ASM documents.
inline constexpr Uuid kAsmIdentifierNamespace = {0x24, 0xb7, 0x50, 0xf9, 0x28, 0xc1, 0x40, 0x81,
                                                 0x87, 0xc4, 0xd6, 0x37, 0x41, 0xbc, 0x86, 0x3e};

// "2ed6657d-e927-568b-95e1-2665a8aea6a2": the version 5 UUID of `name` in `name_space`.
std::string NameUuid(const Uuid& name_space, std::string_view name);

}  // namespace korvanta
