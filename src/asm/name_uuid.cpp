#include "asm/name_uuid.h"

#include "asm/sha1.h"

namespace korvanta {

std::string NameUuid(const Uuid& name_space, std::string_view name) {
  std::string input(name_space.begin(), name_space.end());
  input += name;
  const Sha1Digest digest = Sha1(input);
  Uuid uuid{};
  for (std::size_t i = 0; i < uuid.size(); ++i) uuid[i] = digest[i];
  uuid[6] = static_cast<std::uint8_t>((uuid[6] & 0x0F) | 0x50);  // version 5
  uuid[8] = static_cast<std::uint8_t>((uuid[8] & 0x3F) | 0x80);  // the RFC's variant
  constexpr std::string_view kDigits = "0123456789abcdef";
  std::string text;
  for (std::size_t i = 0; i < uuid.size(); ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
    text += kDigits[uuid[i] >> 4];
    text += kDigits[uuid[i] & 0x0F];
  }
  return text;
}

}  // namespace korvanta
