#include "asm/sha1.h"

#include <bit>

namespace korvanta {
namespace {

constexpr std::size_t kBlockBytes = 64;

std::uint32_t BigEndianWord(const std::uint8_t* bytes) {
  return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
         (std::uint32_t{bytes[2]} << 8) | std::uint32_t{bytes[3]};
}

void CompressBlock(std::array<std::uint32_t, 5>& state, const std::uint8_t* block) {
  std::array<std::uint32_t, 80> words{};
  for (std::size_t t = 0; t < 16; ++t) words[t] = BigEndianWord(block + 4 * t);
  for (std::size_t t = 16; t < 80; ++t) {
    words[t] = std::rotl(words[t - 3] ^ words[t - 8] ^ words[t - 14] ^ words[t - 16], 1);
  }
  auto [a, b, c, d, e] = state;
  for (std::size_t t = 0; t < 80; ++t) {
    std::uint32_t mix = 0;
    std::uint32_t constant = 0;
    if (t < 20) {
      mix = (b & c) | (~b & d);
      constant = 0x5A827999;
    } else if (t < 40) {
      mix = b ^ c ^ d;
      constant = 0x6ED9EBA1;
    } else if (t < 60) {
      mix = (b & c) | (b & d) | (c & d);
      constant = 0x8F1BBCDC;
    } else {
      mix = b ^ c ^ d;
      constant = 0xCA62C1D6;
    }
    const std::uint32_t next = std::rotl(a, 5) + mix + e + constant + words[t];
    e = d;
    d = c;
    c = std::rotl(b, 30);
    b = a;
    a = next;
  }
  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
  state[4] += e;
}

}  // namespace

Sha1Digest Sha1(std::string_view bytes) {
  std::array<std::uint32_t, 5> state = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  std::size_t whole = bytes.size() / kBlockBytes * kBlockBytes;
  for (std::size_t offset = 0; offset < whole; offset += kBlockBytes) {
    CompressBlock(state, data + offset);
  }
  // The tail, the 0x80 marker and the length in bits fill one or two last blocks.
  std::array<std::uint8_t, 2 * kBlockBytes> tail{};
  const std::size_t rest = bytes.size() - whole;
  for (std::size_t i = 0; i < rest; ++i) tail[i] = data[whole + i];
  tail[rest] = 0x80;
  const std::size_t tail_size = rest + 9 <= kBlockBytes ? kBlockBytes : 2 * kBlockBytes;
  const std::uint64_t bits = static_cast<std::uint64_t>(bytes.size()) * 8;
  for (std::size_t i = 0; i < 8; ++i) {
    tail[tail_size - 1 - i] = static_cast<std::uint8_t>(bits >> (8 * i));
  }
  for (std::size_t offset = 0; offset < tail_size; offset += kBlockBytes) {
    CompressBlock(state, tail.data() + offset);
  }
  Sha1Digest digest{};
  for (std::size_t i = 0; i < digest.size(); ++i) {
    digest[i] = static_cast<std::uint8_t>(state[i / 4] >> (24 - 8 * (i % 4)));
  }
  return digest;
}

std::string Sha1Hex(std::string_view bytes) {
  constexpr std::string_view kDigits = "0123456789abcdef";
  std::string text;
  for (const std::uint8_t byte : Sha1(bytes)) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

}  // namespace korvanta
