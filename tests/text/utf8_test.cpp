#include "text/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace korvanta::text {
namespace {

TEST(Utf8, DecodesEachLengthAndRefusesWhatIsNotUtf8) {
  struct Case {
    std::string text;
    std::size_t length;  // 0: refused
    char32_t code_point;
  };
  const Case cases[] = {
      {"A", 1, U'A'},
      {"\xC3\xA9", 2, U'\u00E9'},
      {"\xE2\x82\xAC", 3, U'\u20AC'},
      {"\xF0\x9F\x98\x80", 4, U'\U0001F600'},
      {"\xC0\x81", 0, 0},          // overlong
      {"\xE0\x80\xAF", 0, 0},      // overlong
      {"\xED\xA0\x80", 0, 0},      // surrogate
      {"\xF4\x90\x80\x80", 0, 0},  // past U+10FFFF
      {"\xE2\x82", 0, 0},          // cut short
      {"\xE2\x41\xAC", 0, 0},      // continuation missing
      {"\x80", 0, 0},              // stray continuation byte
  };
  for (const Case& c : cases) {
    char32_t code_point = 0;
    const std::size_t length = DecodeUtf8(c.text, 0, code_point);
    EXPECT_EQ(length, c.length) << c.text;
    if (length != 0) {
      EXPECT_EQ(code_point, c.code_point) << c.text;
    }
  }
}

TEST(Utf8, EncodingAndDecodingAreInverse) {
  for (const char32_t code_point :
       {U'\0', U'\x7F', U'\x80', U'\u07FF', U'\u0800', U'\uFFFD', U'\U00010000', U'\U0010FFFF'}) {
    std::string text;
    AppendUtf8(text, code_point);
    char32_t decoded = 0;
    EXPECT_EQ(DecodeUtf8(text, 0, decoded), text.size());
    EXPECT_EQ(decoded, code_point);
  }
}

}  // namespace
}  // namespace korvanta::text
