#include "formats/export_file_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/export_file.h"

namespace korvanta {
namespace {

// The message of the refusal, or nothing when the file passes.
std::string Refusal(std::string_view bytes) {
  try {
    CheckIsExportFile(bytes, "plate.pht", "Photometry");
  } catch (const ExportFileError& error) {
    return error.what();
  }
  return {};
}

// Whether the integer read takes the first field of `bytes` as a number, without a warning.
bool ReaderTakesANumber(std::string_view bytes) {
  std::vector<std::string> warnings;
  ExportFile file(bytes, "plate.pht", [&](const std::string& w) { warnings.push_back(w); });
  file.ReadInteger("method_type");
  return warnings.empty();
}

// The check refuses exactly the files whose first field the integer read cannot take as a
// number: blank lines, a byte-order mark, a sign and what follows the digits are the reader's.
TEST(ExportFileCheck, RefusesExactlyWhenTheReaderFindsNoNumberFirst) {
  const std::string bom = "\xef\xbb\xbf";
  const std::vector<std::string> taken{"4\n",     "  4\n",     "\n\n\t4\n",   "\r\n\r4\n",
                                       "\v\f4\n", bom + "4\n", bom + "\r\n4", "+4\n",
                                       "-1\n",    "4abc\n",    "4.5\n",       "99999999999\n"};
  const std::vector<std::string> refused{"",
                                         "\n",
                                         " \t\n",
                                         bom,
                                         "abc\n",
                                         "+\n",
                                         "-x\n",
                                         ".5\n",
                                         "\xa0\x34\n",
                                         bom + bom + "4\n",
                                         "\xef\xbc\x94\n",
                                         "\x01\x34\n",
                                         "x4\n"};
  for (const std::string& bytes : taken) {
    EXPECT_TRUE(ReaderTakesANumber(bytes)) << testing::PrintToString(bytes);
    EXPECT_EQ(Refusal(bytes), "") << testing::PrintToString(bytes);
  }
  for (const std::string& bytes : refused) {
    EXPECT_FALSE(ReaderTakesANumber(bytes)) << testing::PrintToString(bytes);
    EXPECT_NE(Refusal(bytes), "") << testing::PrintToString(bytes);
  }
}

TEST(ExportFileCheck, ANulByteAnywhereIsRefusedNamingItsLine) {
  EXPECT_EQ(Refusal(std::string("4\r\n2\r\n0\r\nA\0B\r\n", 14)),
            "plate.pht is not a Photometry export file: line 4 holds a NUL byte where text is "
            "expected.");
  EXPECT_EQ(Refusal(std::string("4\n2\n0\nSample\n4\n1\n\0", 18)),
            "plate.pht is not a Photometry export file: line 7 holds a NUL byte where text is "
            "expected.");
}

TEST(ExportFileCheck, TheLineNamedIsWhereTheFirstFieldStands) {
  EXPECT_EQ(Refusal("\r\n\r\n  Report of 12 May\r\n4\r\n"),
            "plate.pht is not a Photometry export file: line 3 holds \"Report of 12 May\" where "
            "a number is expected.");
}

}  // namespace
}  // namespace korvanta
