// SHA-1 against the published test vectors, and version 5 UUIDs against the RFC's example.
#include "asm/name_uuid.h"

#include <gtest/gtest.h>

#include "asm/sha1.h"

namespace korvanta {
namespace {

TEST(Sha1, GivesThePublishedDigests) {
  const std::string abc_two_blocks = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
  const struct {
    std::string input;
    std::string_view digest;
  } cases[] = {
      {"", "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
      {"abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
      // 56 bytes: the length no longer fits the first padded block.
      {abc_two_blocks, "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
      {std::string(1000000, 'a'), "34aa973cd4c4daa4f61eeb2bdbad27316534016f"},
      // 64 bytes: exactly one block, padding in a block of its own.
      {std::string(64, 'a'), "0098ba824b5c16427bd7a1122a5a442a25ec644d"},
  };
  for (const auto& c : cases) EXPECT_EQ(Sha1Hex(c.input), c.digest) << c.input.size();
}

TEST(NameUuid, GivesTheRfcExampleAndTellsNamesApart) {
  constexpr Uuid kDnsNamespace = {0x6b, 0xa7, 0xb8, 0x10, 0x9d, 0xad, 0x11, 0xd1,
                                  0x80, 0xb4, 0x00, 0xc0, 0x4f, 0xd4, 0x30, 0xc8};
  EXPECT_EQ(NameUuid(kDnsNamespace, "www.example.com"), "2ed6657d-e927-568b-95e1-2665a8aea6a2");
  EXPECT_EQ(NameUuid(kAsmIdentifierNamespace, "a/S1"), NameUuid(kAsmIdentifierNamespace, "a/S1"));
  EXPECT_NE(NameUuid(kAsmIdentifierNamespace, "a/S1"), NameUuid(kAsmIdentifierNamespace, "b/S1"));
  EXPECT_NE(NameUuid(kAsmIdentifierNamespace, "a/S1"), NameUuid(kDnsNamespace, "a/S1"));
}

}  // namespace
}  // namespace korvanta
