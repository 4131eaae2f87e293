#include "formats/export_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "formats/export_text.h"
#include "support/export_reader.h"
#include "support/files.h"
#include "support/paths.h"

namespace korvanta {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// An export file over `text` that collects its warnings.
struct Reader : test::ExportReader {
  explicit Reader(std::string_view text, std::optional<FieldLimit> field_limit = std::nullopt)
      : ExportReader(text, "sample.pht", field_limit) {}
};

TEST(ExportFileWhiteSpace, IntegerLineSwallowsBlankLinesBeforeAWholeLine) {
  Reader r("  12  \n\n   \n  padded line\nnext\n");
  EXPECT_EQ(r.file.ReadInteger("sample_number"), 12);
  EXPECT_EQ(r.file.ReadLine("sample_id"), "padded line");
  EXPECT_EQ(r.file.ReadLine("after"), "next");
  EXPECT_TRUE(r.file.AtEnd());
  EXPECT_THAT(r.warnings, IsEmpty());
}

TEST(ExportFileWhiteSpace, WholeLineAfterWholeLineIsTakenAsItStands) {
  Reader r("1\n\n  two\n\tthree \n");
  EXPECT_EQ(r.file.ReadLine("method_str"), "1");
  EXPECT_EQ(r.file.ReadLine("sample_name"), "");
  EXPECT_EQ(r.file.ReadLine("a"), "  two");
  EXPECT_EQ(r.file.ReadLine("b"), "\tthree ");
  EXPECT_FALSE(r.file.EndedEarly());
}

TEST(ExportFileWhiteSpace, CommonHeadWithAnEmptySampleName) {
  Reader r("4\n2\n0\n\n3\n");
  EXPECT_EQ(r.file.ReadInteger("method_type"), 4);
  EXPECT_EQ(r.file.ReadInteger("measurement_type"), 2);
  EXPECT_EQ(r.file.ReadLine("method_str"), "0");
  EXPECT_EQ(r.file.ReadLine("sample_name"), "");
  EXPECT_EQ(r.file.ReadInteger("pathlength"), 3);
}

TEST(ExportFileWhiteSpace, TokensSplitAtWhiteSpaceAndSwallowWhatFollows) {
  Reader r("0.512 0.633\t-0.001\n\n  tail line\n");
  EXPECT_EQ(r.file.ReadToken("a"), "0.512");
  EXPECT_EQ(r.file.ReadToken("b"), "0.633");
  EXPECT_EQ(r.file.ReadToken("c"), "-0.001");
  EXPECT_EQ(r.file.ReadLine("d"), "tail line");
}

TEST(ExportFileWhiteSpace, NumberFollowedByTextLeavesTheTextForTheNextRead) {
  Reader r("3abc\n2.5xyz\n");
  EXPECT_EQ(r.file.ReadInteger("a"), 3);
  EXPECT_EQ(r.file.ReadToken("b"), "abc");
  EXPECT_FLOAT_EQ(r.file.ReadFloat("c"), 2.5F);
  EXPECT_EQ(r.file.ReadLine("d"), "xyz");
  EXPECT_THAT(r.warnings, IsEmpty());
}

TEST(ExportFileWhiteSpace, LastLineWithoutLineFeed) {
  Reader r("7\nlast line");
  EXPECT_EQ(r.file.ReadInteger("n"), 7);
  EXPECT_EQ(r.file.ReadLine("name"), "last line");
  EXPECT_TRUE(r.file.AtEnd());
  EXPECT_FALSE(r.file.EndedEarly());
}

TEST(ExportFileWhiteSpace, LineNumbersFollowTheReads) {
  Reader r("1\n\n\nname\n2\n");
  EXPECT_EQ(r.file.LineNumber(), 1);
  r.file.ReadInteger("a");
  EXPECT_EQ(r.file.LineNumber(), 4);
  r.file.ReadLine("b");
  EXPECT_EQ(r.file.LineNumber(), 5);
}

TEST(ExportFileLineEnds, CrLfAndCrReadLikeLf) {
  for (const std::string text :
       {"5\r\n\r\n name\r\nA B\r\n1.5\r\n", "5\r\r name\rA B\r1.5\r", "5\n\r\n name\rA B\r\n1.5"}) {
    SCOPED_TRACE(testing::PrintToString(text));
    Reader r(text);
    EXPECT_EQ(r.file.ReadInteger("a"), 5);
    EXPECT_EQ(r.file.ReadLine("b"), "name");
    EXPECT_EQ(r.file.LineNumber(), 4);
    EXPECT_EQ(r.file.ReadToken("c"), "A");
    EXPECT_EQ(r.file.ReadToken("d"), "B");
    EXPECT_FLOAT_EQ(r.file.ReadFloat("e"), 1.5F);
    EXPECT_TRUE(r.file.AtEnd());
  }
}

TEST(ExportFileEncoding, Windows1252IsConverted) {
  Reader r("Probe M\xFCller \x80 \x96 \x9F\n");
  EXPECT_EQ(r.file.ReadLine("sample_name"), "Probe M\u00FCller \u20AC \u2013 \u0178");
}

TEST(ExportFileEncoding, ValidUtf8IsKeptAndByteOrderMarkDropped) {
  Reader r(
      "\xEF\xBB\xBF"
      "4\nM\u00FCller \u00B5g/ml\n");
  EXPECT_EQ(r.file.ReadInteger("method_type"), 4);
  EXPECT_EQ(r.file.ReadLine("sample_name"), "M\u00FCller \u00B5g/ml");
}

TEST(ExportFileEncoding, CharactersACellCannotHoldAreDropped) {
  Reader r(
      std::string("a\x01"
                  "b\0c\td\x1B"
                  "e\xEF\xBF\xBE"
                  "f\n",
                  14));
  EXPECT_EQ(r.file.ReadLine("name"), "abc\tdef");
}

// Quoted file content ends at a character boundary: after 40 characters, and before the first
// control character.
TEST(ExportFileEncoding, ExcerptsEndBetweenCharacters) {
  const std::string a40(40, 'a');
  const std::string smiles40 = [] {
    std::string text;
    for (int i = 0; i < 40; ++i) text += "\xf0\x9f\x99\x82";
    return text;
  }();
  const std::vector<std::pair<std::string, std::string>> cases{
      {"abc", "\"abc\""},
      {"", "\"\""},
      {a40, "\"" + a40 + "\""},
      {a40 + "b", "\"" + a40 + "...\""},
      {smiles40, "\"" + smiles40 + "\""},
      {smiles40 + "\xc3\xa9", "\"" + smiles40 + "...\""},
      {"ab\x01"
       "cd",
       "\"ab...\""},
      {"ab\tcd", "\"ab...\""},
      {"ab\x7f"
       "cd",
       "\"ab...\""},
      {"ab\xc2\x85"
       "cd",
       "\"ab...\""},  // U+0085, a C1 control
      {"a\xc2\xa0"
       "b",
       "\"a\xc2\xa0"
       "b\""},  // U+00A0 is no control
  };
  for (const auto& [text, quoted] : cases) {
    EXPECT_EQ(QuotedExcerpt(text), quoted) << testing::PrintToString(text);
  }
}

TEST(ExportFileEarlyEnd, OneWarningNamesTheFirstMissingFieldAndItsLine) {
  Reader r("4\n2\n");
  EXPECT_EQ(r.file.ReadInteger("method_type"), 4);
  EXPECT_EQ(r.file.ReadInteger("measurement_type"), 2);
  EXPECT_FALSE(r.file.EndedEarly());
  EXPECT_EQ(r.file.ReadLine("method_str"), "");
  EXPECT_EQ(r.file.ReadInteger("pathlength"), 0);
  EXPECT_EQ(r.file.ReadToken("dilution_factor"), "");
  EXPECT_EQ(r.file.ReadFloat("wavelength"), 0.0F);
  EXPECT_EQ(r.file.ReadCount("wl_number", 10), 0);
  EXPECT_TRUE(r.file.EndedEarly());
  ASSERT_EQ(r.warnings.size(), 1U);
  EXPECT_THAT(r.warnings[0],
              AllOf(HasSubstr("sample.pht"), HasSubstr("method_str"), HasSubstr("line 3")));
}

TEST(ExportFileEarlyEnd, MissingFieldAfterALastLineWithoutLineFeed) {
  Reader r("4\n0.5");
  r.file.ReadInteger("a");
  r.file.ReadToken("b");
  r.file.ReadToken("c");
  ASSERT_EQ(r.warnings.size(), 1U);
  EXPECT_THAT(r.warnings[0], AllOf(HasSubstr("c"), HasSubstr("line 3")));
}

TEST(ExportFileEarlyEnd, EmptyFile) {
  Reader r("");
  EXPECT_EQ(r.file.ReadInteger("method_type"), 0);
  EXPECT_TRUE(r.file.EndedEarly());
  ASSERT_EQ(r.warnings.size(), 1U);
  EXPECT_THAT(r.warnings[0], AllOf(HasSubstr("method_type"), HasSubstr("line 1")));
}

TEST(ExportFileNumbers, TextWhereANumberBelongsGivesZeroAndReadsOn) {
  Reader r("abc\nx.y\n7\n2.5\n");
  EXPECT_EQ(r.file.ReadInteger("pathlength"), 0);
  EXPECT_EQ(r.file.ReadFloat("wavelength"), 0.0F);
  EXPECT_EQ(r.file.ReadInteger("wl_number"), 7);
  EXPECT_FLOAT_EQ(r.file.ReadFloat("wavelength"), 2.5F);
  ASSERT_EQ(r.warnings.size(), 2U);
  EXPECT_THAT(r.warnings[0],
              AllOf(HasSubstr("pathlength"), HasSubstr("line 1"), HasSubstr("\"abc\"")));
  EXPECT_THAT(r.warnings[1], AllOf(HasSubstr("wavelength"), HasSubstr("line 2")));
  EXPECT_FALSE(r.file.EndedEarly());
}

TEST(ExportFileNumbers, IntegersSaturateAndTakeASign) {
  Reader r("99999999999\n-99999999999\n+7\n-0\n");
  EXPECT_EQ(r.file.ReadInteger("a"), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(r.file.ReadInteger("b"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(r.file.ReadInteger("c"), 7);
  EXPECT_EQ(r.file.ReadInteger("d"), 0);
}

TEST(ExportFileNumbers, FloatsInEveryDecimalForm) {
  Reader r("260\n320.5\n-1.5e2\n.5\n7.\n1e\n1E+2\n");
  EXPECT_EQ(r.file.ReadFloat("a"), 260.0F);
  EXPECT_EQ(r.file.ReadFloat("b"), 320.5F);
  EXPECT_EQ(r.file.ReadFloat("c"), -150.0F);
  EXPECT_EQ(r.file.ReadFloat("d"), 0.5F);
  EXPECT_EQ(r.file.ReadFloat("e"), 7.0F);
  EXPECT_EQ(r.file.ReadFloat("f"), 1.0F);  // a bare exponent mark is not part of the number
  EXPECT_EQ(r.file.ReadToken("g"), "e");
  EXPECT_EQ(r.file.ReadFloat("h"), 100.0F);
}

TEST(ExportFileNumbers, FloatsOutOfRangeSaturate) {
  Reader r("1e999\n-123456789e40\n1e-999\n0.0000000000000000000000000000000000000000000000001\n");
  EXPECT_EQ(r.file.ReadFloat("a"), FLT_MAX);
  EXPECT_EQ(r.file.ReadFloat("b"), -FLT_MAX);
  EXPECT_EQ(r.file.ReadFloat("c"), 0.0F);
  EXPECT_EQ(r.file.ReadFloat("d"), 0.0F);
}

TEST(ExportFileNumbers, LeadingNumberConversions) {
  EXPECT_EQ(TextToInteger("3abc"), 3);
  EXPECT_EQ(TextToInteger("abc"), 0);
  EXPECT_EQ(TextToInteger("  -12x"), -12);
  EXPECT_EQ(TextToInteger(""), 0);
  EXPECT_EQ(TextToInteger("123456789012"), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(TextToFloat(" 2.5e1x"), 25.0F);
  EXPECT_EQ(TextToFloat("-.5"), -0.5F);
  EXPECT_EQ(TextToFloat("abc"), 0.0F);
  EXPECT_EQ(TextToFloat("-"), 0.0F);
}

TEST(ExportFileCounts, NegativeCountsAreZeroAndTooLargeOnesRefused) {
  Reader r("-3\n10\n11\n");
  EXPECT_EQ(r.file.ReadCount("sample_number", 10), 0);
  ASSERT_EQ(r.warnings.size(), 1U);
  EXPECT_THAT(r.warnings[0], AllOf(HasSubstr("sample_number"), HasSubstr("line 1")));
  EXPECT_EQ(r.file.ReadCount("wl_number", 10), 10);
  try {
    r.file.ReadCount("wl_number", 10);
    FAIL() << "a count above the limit was accepted";
  } catch (const ExportFileError& error) {
    EXPECT_THAT(error.what(), AllOf(HasSubstr("sample.pht"), HasSubstr("wl_number"),
                                    HasSubstr("line 3"), HasSubstr("11")));
  }
}

TEST(ExportFileLimits, FieldsUpToTheLimitAreKeptLongerOnesRefused) {
  constexpr FieldLimit kLimit{32767, "a cell"};
  const std::string fits(kLimit.characters, 'a');
  const std::string wide_fits = [&] {
    std::string s;
    for (std::size_t i = 0; i < kLimit.characters; ++i) s += "\u00E4";
    return s;
  }();
  Reader ok(fits + "\n" + wide_fits + "\n" + fits + "\n", kLimit);
  EXPECT_EQ(ok.file.ReadLine("a").size(), kLimit.characters);
  EXPECT_EQ(ok.file.ReadLine("b"), wide_fits);
  EXPECT_EQ(ok.file.ReadToken("c").size(), kLimit.characters);

  Reader long_line("1\n" + fits + "a\n", kLimit);
  long_line.file.ReadLine("method_str");
  EXPECT_THAT([&] { long_line.file.ReadLine("sample_name"); },
              testing::ThrowsMessage<ExportFileError>(
                  "sample.pht, line 2: sample_name is longer than the 32,767 characters a cell "
                  "can hold."));
  Reader long_token("x " + fits + "a\n", kLimit);
  long_token.file.ReadToken("a");
  EXPECT_THROW(long_token.file.ReadToken("wl_value"), ExportFileError);

  // Without a limit, what the file holds is taken whole.
  Reader unlimited(fits + "a\n");
  EXPECT_EQ(unlimited.file.ReadLine("sample_name").size(), kLimit.characters + 1);
}

TEST(ExportFileLimits, BinaryJunkNeverCrashesAndEnds) {
  std::mt19937 random(42);
  std::string junk(64 * 1024, '\0');
  for (auto& ch : junk) ch = static_cast<char>(random() & 0xFF);
  Reader r(junk);
  int reads = 0;
  while (!r.file.AtEnd() && reads < 1'000'000) {
    switch (reads++ % 4) {
      case 0:
        r.file.ReadInteger("i");
        break;
      case 1:
        r.file.ReadFloat("f");
        break;
      case 2:
        for (const char ch : r.file.ReadToken("t")) EXPECT_TRUE(ch == '\t' || ch < 0 || ch >= 0x20);
        break;
      default:
        for (const char ch : r.file.ReadLine("l")) EXPECT_TRUE(ch == '\t' || ch < 0 || ch >= 0x20);
        break;
    }
  }
  EXPECT_TRUE(r.file.AtEnd());
}

TEST(ExportFileBytes, UnreadableFilesAreReportedByPath) {
  test::TempDir dir;
  const auto missing = dir / "missing.pht";
  EXPECT_THAT([&] { ExportFile::ReadBytes(missing); },
              testing::ThrowsMessage<ExportFileError>(
                  HasSubstr("Can not open export file: " + missing.string())));
  EXPECT_THROW(ExportFile::ReadBytes(dir.path()), ExportFileError);
  test::WriteFile(dir / "a.pht", std::string("4\r\n\0\xFF", 5));
  EXPECT_EQ(ExportFile::ReadBytes(dir / "a.pht"), std::string("4\r\n\0\xFF", 5));
}

}  // namespace
}  // namespace korvanta
