// The catalogue of malformed export files and files that are none: each case with everything
// the user is told, the way the conversion ends, and what becomes of an earlier report at the
// output path. Every case runs through the driver with the test Host, through the korvanta
// command, whose exit status and lines on stderr are checked too, and through its --json
// summary; every text is valid UTF-8.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cctype>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "robustness/conversion_outcome.h"
#include "robustness/export_layouts.h"
#include "support/files.h"
#include "support/paths.h"
#include "workbook/cell_address.h"
#include "workbook/workbook.h"

namespace korvanta::test {
namespace {

namespace fs = std::filesystem;

// "{path}" in an expected text stands for the full path of the export file. A text that ends
// in "..." is expected as the start of the line.
struct BadExport {
  std::string name;
  std::string file_name;
  std::optional<std::string> content;  // nothing: there is no such file
  bool completed = false;              // a finished report, or a refusal that keeps the earlier one
  std::vector<std::string> messages;
  std::vector<std::string> warnings;
  std::optional<std::string> sample_name;  // B5 of a finished report, where it matters
};

const ExportLayout& Photometry() { return ExportLayoutOf("Photometry"); }
const std::string kPht = "a Photometry";

std::string Repeated(char c, std::size_t count) { return std::string(count, c); }
std::string Repeated(std::string_view text, std::size_t count) {
  std::string repeated;
  for (std::size_t i = 0; i < count; ++i) repeated += text;
  return repeated;
}

std::string EndsEarly(const std::string& file, const std::string& field, int line) {
  return file + " ends early: " + field + " (line " + std::to_string(line) +
         ") and everything after it are missing; their cells are left empty.";
}

std::string TooMany(const std::string& file, const std::string& field, int line,
                    const std::string& count) {
  return file + ", line " + std::to_string(line) + ": " + field + " is " + count +
         ", more than a report can hold (at most ...";
}

std::string Negative(const std::string& file, const std::string& field, int line,
                     const std::string& count) {
  return file + ", line " + std::to_string(line) + ": " + field + " is negative (" + count +
         "); 0 is used.";
}

std::string TooLong(const std::string& file, const std::string& field, int line) {
  return file + ", line " + std::to_string(line) + ": " + field +
         " is longer than the 32,767 characters a cell can hold.";
}

std::string NotANumber(const std::string& file, const std::string& field, int line,
                       const std::string& shown) {
  return file + ", line " + std::to_string(line) + ": " + field + " is not a number (\"" + shown +
         "\"); 0 is used.";
}

std::string NotExport(const std::string& file, const std::string& type, const std::string& found) {
  return file + " is not " + type + " export file: " + found + ".";
}

BadExport Refused(std::string name, std::string file_name, std::optional<std::string> content,
                  std::vector<std::string> messages, std::vector<std::string> warnings = {}) {
  return {std::move(name),     std::move(file_name), std::move(content), false,
          std::move(messages), std::move(warnings),  std::nullopt};
}

BadExport Finished(std::string name, std::string file_name, std::string content,
                   std::vector<std::string> warnings,
                   std::optional<std::string> sample_name = std::nullopt) {
  return {std::move(name),     std::move(file_name),  std::move(content), true, {},
          std::move(warnings), std::move(sample_name)};
}

// A count line set to `count` in the layout of `variant`.
BadExport HugeCount(const std::string& variant, const std::string& field,
                    const std::string& count) {
  const ExportLayout& layout = ExportLayoutOf(variant);
  std::string file = "huge." + std::string(layout.extension);
  std::string name = "Huge" + field;
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  for (const char c : variant) {
    if (std::isalnum(static_cast<unsigned char>(c))) name += c;
  }
  return Refused(name, file, layout.With(field, count),
                 {TooMany(file, field, layout.LineOf(field), count)});
}

std::vector<BadExport> Catalogue() {
  const ExportLayout& pht = Photometry();
  const std::string whole = pht.Text();
  const int name_line = pht.LineOf("sample_name");
  const int count_line = pht.LineOf("sample_number");
  std::vector<BadExport> cases;

  // Nothing a report could be made of.
  cases.push_back(
      Refused("Missing", "missing.pht", std::nullopt, {"Can not open export file: {path}"}));
  cases.push_back(Refused("UnknownExtension", "plate.txt", whole, {"Invalid file extension."}));
  cases.push_back(Refused("NoExtension", "plate", whole, {"Invalid file extension."}));

  // Files that are not export files: refused before anything is asked or written.
  const std::vector<std::pair<std::string, std::string>> types{
      {"pro", "a Protein"}, {"con", "a Concentration"}, {"nuc", "a DNA/RNA"}, {"tsc", "a Kinetics"},
      {"od", "an OD600"},   {"pht", "a Photometry"},    {"tm", "a TM"},       {"wsc", "a WL Scan"}};
  for (const auto& [ext, type] : types) {
    const std::string file = "empty." + ext;
    cases.push_back(
        Refused("Empty_" + ext, file, "", {NotExport(file, type, "the file is empty")}));
  }
  cases.push_back(Refused("ByteOrderMarkOnly", "bom_only.pht", "\xef\xbb\xbf",
                          {NotExport("bom_only.pht", kPht, "the file is empty")}));
  const std::string blank = "the file holds nothing but white space";
  cases.push_back(
      Refused("BlankLines", "blank.pht", "\n\n\n", {NotExport("blank.pht", kPht, blank)}));
  cases.push_back(
      Refused("OnlySpaces", "spaces.pht", "   \t  ", {NotExport("spaces.pht", kPht, blank)}));
  cases.push_back(
      Refused("CrOnlyBlankLines", "cr.pht", "\r\r\r\r", {NotExport("cr.pht", kPht, blank)}));
  const std::string zip =
      "line 1 holds \"PK...\" where a number is expected. The file is a zip archive, such as an "
      "Excel workbook";
  cases.push_back(Refused("RenamedWorkbook", "plate.pht", ReadFile(TemplateDir() / "photomet.xlsx"),
                          {NotExport("plate.pht", kPht, zip)}));
  cases.push_back(Refused("ZipInsteadOfText", "zip.pht", std::string("PK\x03\x04\x14\x00", 6),
                          {NotExport("zip.pht", kPht, zip)}));
  // D0 CF are Windows-1252 letters; the control character 0x11 ends the excerpt.
  cases.push_back(Refused("OldExcelWorkbook", "old.pht",
                          std::string("\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1\x00\x00", 10),
                          {NotExport("old.pht", kPht,
                                     "line 1 holds \"\xc3\x90\xc3\x8f...\" where a number is "
                                     "expected. The file is an OLE compound file, such as an "
                                     "Excel 97-2003 workbook")}));
  cases.push_back(Refused("Pdf", "manual.pht",
                          "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n1 0 obj\n<< /Type /Catalog >>\nendobj\n",
                          {NotExport("manual.pht", kPht,
                                     "line 1 holds \"%PDF-1.4\" where a number is expected. The "
                                     "file is a PDF document")}));
  // 0x89 is Windows-1252 for U+2030; the CR LF after "PNG" ends line 1.
  cases.push_back(Refused("Png", "photo.pht",
                          std::string("\x89PNG\r\n\x1a\n\x00\x00\x00\x0dIHDR\x00\x00\x00\x01", 20),
                          {NotExport("photo.pht", kPht,
                                     "line 1 holds \"\xe2\x80\xb0PNG\" where a number is "
                                     "expected. The file is a PNG image")}));
  cases.push_back(Refused("Jpeg", "photo2.pht", std::string("\xff\xd8\xff\xe0\x00\x10JFIF\x00", 11),
                          {NotExport("photo2.pht", kPht,
                                     "line 1 holds \"\xc3\xbf\xc3\x98\xc3\xbf\xc3\xa0...\" where "
                                     "a number is expected. The file is a JPEG image")}));
  // 0x95 and 0xFB are Windows-1252 for U+2022 and U+00FB; the control character 0x10 ends
  // the excerpt.
  cases.push_back(Refused(
      "RandomBytes", "noise.pht",
      std::string("\x95\xfb\x6c\x6a\x23\x65\x10\xb2\x0d\x47\xcb\x4b\xc5\x5f\x70\x8f"
                  "\x7d\xd2\x6e\xd8\x77\x9b\xb3\x4f\x7f\x0b\x13\x26\x38\x08\xb5\x0d"
                  "\xb7\xea\xec\xc2\xad\xdf\xee\x44\x59\xd6\x6c\x7e\x25\x37\xf5\xd3",
                  48),
      {NotExport("noise.pht", kPht,
                 "line 1 holds \"\xe2\x80\xa2\xc3\xbblj#e...\" where a number is expected")}));
  cases.push_back(Refused(
      "ControlBytes", "binary.pht", std::string("\x00\x01\x02\x03", 4),
      {NotExport("binary.pht", kPht, "line 1 holds a NUL byte where a number is expected")}));
  cases.push_back(
      Refused("ControlCharacterFirst", "bell.pht", "\x07" + whole,
              {NotExport("bell.pht", kPht,
                         "line 1 holds a control character where a number is expected")}));
  // 0x81 has no Windows-1252 character: it stays the C1 control it names, which ends the
  // excerpt.
  cases.push_back(Refused("HighBytes", "high.pht", "\xff\xfe\x80\x81",
                          {NotExport("high.pht", kPht,
                                     "line 1 holds \"\xc3\xbf\xc3\xbe\xe2\x82\xac...\" where a "
                                     "number is expected")}));
  cases.push_back(Refused("Utf16Text", "utf16.pht",
                          std::string("\xff\xfe"
                                      "4\x00\r\x00\n\x00"
                                      "2\x00",
                                      10),
                          {NotExport("utf16.pht", kPht,
                                     "line 1 holds \"\xc3\xbf\xc3\xbe"
                                     "4...\" where a number is expected")}));
  cases.push_back(Refused("TextNote", "readme.pro",
                          "Remember to export the plate as .pht!\nCall Anna about the standards.\n",
                          {NotExport("readme.pro", "a Protein",
                                     "line 1 holds \"Remember to export the plate as .pht!\" "
                                     "where a number is expected")}));
  // The excerpt ends after 40 characters, never inside one.
  cases.push_back(Refused("LongFirstLine", "long.nuc",
                          "\n\n  x" + Repeated("\xc3\xa9", 50) + "\n4\n",
                          {NotExport("long.nuc", "a DNA/RNA",
                                     "line 3 holds \"x" + Repeated("\xc3\xa9", 39) +
                                         "...\" where a number is expected")}));
  cases.push_back(Refused("NulInSampleName", "nul.pht",
                          pht.With("sample_name", std::string("DNA\0 plate", 10)),
                          {NotExport("nul.pht", kPht,
                                     "line " + std::to_string(name_line) +
                                         " holds a NUL byte where text is expected")}));
  cases.push_back(Refused("NulLine", "nul_line.pht", whole + std::string("\0\n", 2),
                          {NotExport("nul_line.pht", kPht,
                                     "line " + std::to_string(pht.fields.size() + 1) +
                                         " holds a NUL byte where text is expected")}));
  // An export file of another type opens with a number as every format does: the extension
  // names the type, and the fields are read as that type's.
  cases.push_back(Finished("KineticsNamedPhotometry", "kinetics.pht",
                           ExportLayoutOf("Kinetics").Text(), {}, "NADH oxidation"));

  // What may stand before and in the first field of a real export file.
  cases.push_back(Finished("BlankLinesBeforeTheFirstField", "lead.pht", "\n \r\n\t\n" + whole, {},
                           "DNA plate"));
  cases.push_back(
      Finished("SignedFirstField", "signed.pht", pht.With("method_type", "+4"), {}, "DNA plate"));
  cases.push_back(Finished("OneHugeLineOfDigits", "digits.pht", Repeated('7', 1 << 20),
                           {EndsEarly("digits.pht", "measurement_type", 2)}));

  // Text that is not UTF-8 is Windows-1252; valid UTF-8 stays as it is.
  cases.push_back(Finished("Windows1252SampleName", "latin.pht",
                           pht.With("sample_name", "Caf\xe9 \x80 5\xb5l"), {},
                           "Caf\xc3\xa9 \xe2\x82\xac 5\xc2\xb5l"));
  cases.push_back(Finished("Utf8SampleName", "utf8.pht",
                           pht.With("sample_name", "Caf\xc3\xa9 \xce\xbcl"), {},
                           "Caf\xc3\xa9 \xce\xbcl"));
  cases.push_back(Finished("TruncatedUtf8Sequence", "cut_utf8.pht",
                           pht.With("sample_name", "Caf\xc3"), {}, "Caf\xc3\x83"));
  cases.push_back(Finished("Utf8Surrogate", "surrogate.pht",
                           pht.With("sample_name", "x\xed\xa0\x80y"), {},
                           "x\xc3\xad\xc2\xa0\xe2\x82\xacy"));
  cases.push_back(Finished("ByteOrderMark", "bom.pht", "\xef\xbb\xbf" + whole, {}, "DNA plate"));
  cases.push_back(Finished("NonCharacterDropped", "ffff.pht",
                           pht.With("sample_name",
                                    "a\xef\xbf\xbf"
                                    "b"),
                           {}, "ab"));

  // Line ends of other systems read alike.
  cases.push_back(
      Finished("CrLineEnds", "cr_ends.pht", pht.Text(pht.fields.size(), "\r"), {}, "DNA plate"));
  cases.push_back(
      Finished("CrLfLineEnds", "crlf.pht", pht.Text(pht.fields.size(), "\r\n"), {}, "DNA plate"));
  cases.push_back(Finished("CrLfWithoutLastLineEnd", "crlf_open.pht",
                           pht.Text(pht.fields.size(), "\r\n", false), {}, "DNA plate"));

  // Counts the sheet cannot hold, and negative counts.
  cases.push_back(HugeCount("Photometry", "sample_number", "2147483647"));
  cases.push_back(HugeCount("Photometry", "wl_number", "1000000"));
  cases.push_back(HugeCount("Protein standard curve", "sample_number", "1048576"));
  cases.push_back(HugeCount("Protein standard curve", "wl_number", "16384"));
  cases.push_back(HugeCount("Protein standard curve", "std_number", "1048576"));
  cases.push_back(HugeCount("Protein UV", "sample_number", "1048576"));
  cases.push_back(HugeCount("Protein labelling", "sample_number", "1048576"));
  cases.push_back(HugeCount("Concentration", "sample_number", "1048576"));
  cases.push_back(HugeCount("DNA/RNA", "sample_number", "1048576"));
  cases.push_back(HugeCount("DNA/RNA", "wl_number", "2000000"));
  cases.push_back(HugeCount("DNA/RNA labelling", "sample_number", "1048576"));
  cases.push_back(HugeCount("Kinetics", "realmeasuredata", "1048576"));
  cases.push_back(HugeCount("TM", "realmeasurenumber", "1048576"));
  cases.push_back(HugeCount("WL Scan", "realmeasurenumber", "1048576"));
  cases.push_back(HugeCount("OD600 cell count", "sample_number", "1048576"));
  cases.push_back(HugeCount("OD600 optical density", "sample_number", "1048576"));
  cases.push_back(Refused("CountBeyondInt32", "overflow.pht",
                          pht.With("sample_number", "99999999999"),
                          {TooMany("overflow.pht", "sample_number", count_line, "2147483647")}));
  cases.push_back(Finished("NegativeSampleCount", "negative.pht", pht.With("sample_number", "-5"),
                           {Negative("negative.pht", "sample_number", count_line, "-5")}));
  cases.push_back(Finished("SmallestInt32Count", "minint.pht",
                           pht.With("sample_number", "-2147483648"),
                           {Negative("minint.pht", "sample_number", count_line, "-2147483648")}));
  {
    // No wavelengths: the wavelength lines are read as the fields after them, and the file
    // ends before the 280 samples the second wavelength now counts.
    const std::string file = "negative_wl.pht";
    cases.push_back(Finished("NegativeWavelengthCount", file, pht.With("wl_number", "-3"),
                             {Negative(file, "wl_number", pht.LineOf("wl_number"), "-3"),
                              EndsEarly(file, "sample_id", 19)}));
  }
  cases.push_back(Finished("CountNotANumber", "abc.pht", pht.With("sample_number", "abc"),
                           {NotANumber("abc.pht", "sample_number", count_line, "abc")}));
  // The quoted text ends after 40 characters, never inside one.
  cases.push_back(Finished("LongTextWhereACountBelongs", "long_count.pht",
                           pht.With("sample_number", "x" + Repeated("\xc3\xa9", 50)),
                           {NotANumber("long_count.pht", "sample_number", count_line,
                                       "x" + Repeated("\xc3\xa9", 39) + "...")}));

  // Fields longer than a cell: refused, naming the line.
  cases.push_back(Refused("OverlongSampleName", "long_name.pht",
                          pht.With("sample_name", Repeated('n', 32768)),
                          {TooLong("long_name.pht", "sample_name", name_line)}));
  cases.push_back(Finished("SampleNameOfACellsLength", "cell_name.pht",
                           pht.With("sample_name", Repeated('n', 32767)), {},
                           Repeated('n', 32767)));
  cases.push_back(
      Refused("OverlongToken", "long_token.pht", pht.With("dilution_factor", Repeated('7', 40000)),
              {TooLong("long_token.pht", "dilution_factor", pht.LineOf("dilution_factor"))}));
  cases.push_back(Refused("OverlongSampleId", "long_id.pht",
                          pht.With("sample_id", Repeated('i', 100000)),
                          {TooLong("long_id.pht", "sample_id", pht.LineOf("sample_id"))}));
  cases.push_back(Refused("OneHugeLineOfText", "text.pht", "4\n2\n" + Repeated('x', 1 << 20),
                          {TooLong("text.pht", "method_str", 3)}));

  // Codes the reports do not know.
  {
    const ExportLayout& od = ExportLayoutOf("OD600 cell count");
    cases.push_back(
        Refused("Od600UnitTwo", "unit.od", od.With("unit", "2"),
                {"Unknown OD600 unit \"2\" on line " + std::to_string(od.LineOf("unit")) +
                 ": expected 0 (optical density) or 1 (cell count)."}));
    const ExportLayout& wsc = ExportLayoutOf("WL Scan");
    cases.push_back(Refused("WlScanIntervalNine", "interval.wsc", wsc.With("sampleinterval", "9"),
                            {"Unknown sampling interval code 9 on line " +
                             std::to_string(wsc.LineOf("sampleinterval")) + ": expected 0 to 5."}));
    cases.push_back(Refused("WlScanIntervalNegative", "interval_neg.wsc",
                            wsc.With("sampleinterval", "-1"),
                            {"Unknown sampling interval code -1 on line " +
                             std::to_string(wsc.LineOf("sampleinterval")) + ": expected 0 to 5."}));
  }
  return cases;
}

bool Matches(const std::string& expected, const std::string& actual) {
  constexpr std::string_view kOpenEnd = "...";
  if (expected.ends_with(kOpenEnd)) {
    return actual.starts_with(expected.substr(0, expected.size() - kOpenEnd.size()));
  }
  return actual == expected;
}

void ExpectLines(const std::vector<std::string>& expected, const std::vector<std::string>& actual,
                 const std::string& what) {
  ASSERT_EQ(actual.size(), expected.size()) << what << ": " << testing::PrintToString(actual);
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_TRUE(Matches(expected[i], actual[i]))
        << what << "\n  expected: " << expected[i] << "\n  actual:   " << actual[i];
  }
}

std::vector<std::string> WithPath(std::vector<std::string> texts, const fs::path& input) {
  for (std::string& text : texts) {
    if (const auto at = text.find("{path}"); at != std::string::npos) {
      text.replace(at, 6, input.string());
    }
  }
  return texts;
}

// The command's lines about one input (it may add a summary of the whole run).
std::vector<std::string> LinesAbout(const fs::path& input, const std::vector<std::string>& lines) {
  std::vector<std::string> about;
  for (const std::string& line : lines) {
    if (line.starts_with(input.string() + ": ")) about.push_back(line);
  }
  return about;
}

// Valid UTF-8, as a strict JSON writer checks it.
bool IsValidUtf8(const std::string& text) {
  try {
    static_cast<void>(nlohmann::json(text).dump());
    return true;
  } catch (const nlohmann::json::type_error&) {
    return false;
  }
}

void ExpectValidUtf8(const std::vector<std::string>& texts, const std::string& what) {
  for (const std::string& text : texts) EXPECT_TRUE(IsValidUtf8(text)) << what << ": " << text;
}

// Test names, not bytes, in failure reports.
void PrintTo(const BadExport& bad, std::ostream* out) { *out << bad.name; }

std::string CaseName(const testing::TestParamInfo<BadExport>& param_info) {
  return param_info.param.name;
}

class BadExportFile : public testing::TestWithParam<BadExport> {
 protected:
  void SetUp() override {
    input_ = folder_ / GetParam().file_name;
    if (GetParam().content) WriteFile(input_, *GetParam().content);
  }
  TempDir folder_;
  fs::path input_;
};

TEST_P(BadExportFile, ThroughTheDriver) {
  const BadExport& bad = GetParam();
  const Outcome outcome = ConvertWithHost(folder_.path(), input_, TemplateDir());
  ExpectLines(WithPath(bad.messages, input_), outcome.messages, "messages");
  ExpectLines(WithPath(bad.warnings, input_), outcome.warnings, "warnings");
  ExpectValidUtf8(outcome.messages, "message");
  ExpectValidUtf8(outcome.warnings, "warning");
  EXPECT_TRUE(outcome.stray_files.empty()) << testing::PrintToString(outcome.stray_files);
  if (!bad.completed) {
    EXPECT_EQ(outcome.status, ConversionStatus::kFailed);
    EXPECT_TRUE(outcome.report == kEarlierReport);
    EXPECT_EQ(outcome.statuses.back(), "Conversion failed.");
    return;
  }
  EXPECT_EQ(outcome.status, ConversionStatus::kCompleted);
  EXPECT_EQ(outcome.statuses.back(), "Completed.");
  const auto report = workbook::Workbook::LoadFromMemory(outcome.report);
  EXPECT_EQ(report.ActiveSheet().Get({2, 1}), workbook::CellContent(bad.file_name));
  if (bad.sample_name) {
    EXPECT_EQ(report.ActiveSheet().Get({2, 5}), workbook::CellContent(*bad.sample_name));
  }
}

TEST_P(BadExportFile, ThroughTheCommand) {
  const BadExport& bad = GetParam();
  const fs::path report = folder_ / "command.xlsx";
  WriteFile(report, kEarlierReport);
  const CommandResult result =
      RunKorvanta({"convert", "--force", "--output", report.string(), "--template-dir",
                   TemplateDir().string(), input_.string()});
  std::vector<std::string> expected;
  for (const std::string& warning : WithPath(bad.warnings, input_)) {
    expected.push_back(input_.string() + ": warning: " + warning);
  }
  for (const std::string& message : WithPath(bad.messages, input_)) {
    expected.push_back(input_.string() + ": " + message);
  }
  if (bad.completed) expected.push_back(input_.string() + ": report written to " + report.string());
  ExpectLines(expected, LinesAbout(input_, result.lines), "command output");
  ExpectValidUtf8(result.lines, "command output");
  EXPECT_EQ(result.exit_status, bad.completed ? 0 : 1);
  EXPECT_EQ(ReadFile(report) == kEarlierReport, !bad.completed);
}

// --json carries the same texts, each valid UTF-8 as it stands (the parser refuses anything
// else), never patched with replacement characters.
TEST_P(BadExportFile, ThroughTheJsonSummary) {
  const BadExport& bad = GetParam();
  const fs::path report = folder_ / "json.xlsx";
  const fs::path summary = folder_ / "summary.json";
  const CommandResult result =
      RunKorvanta({"convert", "--json", "--force", "--output", report.string(), "--template-dir",
                   TemplateDir().string(), input_.string()},
                  summary);
  EXPECT_EQ(result.exit_status, bad.completed ? 0 : 1);
  const nlohmann::json document = nlohmann::json::parse(ReadFile(summary));
  const nlohmann::json& entry = document.at("inputs").at(0);
  std::vector<std::string> messages;
  if (!entry.at("error").is_null()) messages.push_back(entry.at("error"));
  ExpectLines(WithPath(bad.messages, input_), messages, "error");
  ExpectLines(WithPath(bad.warnings, input_), entry.at("warnings"), "warnings");
  EXPECT_EQ(entry.at("status"), bad.completed ? "converted" : "failed");
}

INSTANTIATE_TEST_SUITE_P(Catalogue, BadExportFile, testing::ValuesIn(Catalogue()), CaseName);

// A folder named like an export file cannot be read as one. (The command takes a folder as
// the export files in it.)
TEST(BadExportPath, AFolderInsteadOfAFile) {
  TempDir folder;
  const fs::path input = folder / "plate.pht";
  fs::create_directory(input);
  const Outcome outcome = ConvertWithHost(folder.path(), input, TemplateDir());
  EXPECT_EQ(outcome.status, ConversionStatus::kFailed);
  EXPECT_EQ(outcome.messages,
            std::vector<std::string>{"Can not open export file: " + input.string()});
  EXPECT_TRUE(outcome.report == kEarlierReport);

  const CommandResult result = RunKorvanta({"convert", input.string()});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(LinesAbout(input, result.lines),
            std::vector<std::string>{input.string() + ": no export files in this folder"});
}

// A named pipe is no file to read: opening it would wait for a writer for ever.
TEST(BadExportPath, ANamedPipe) {
  TempDir folder;
  const fs::path input = folder / "pipe.pht";
  ASSERT_EQ(::mkfifo(input.c_str(), 0600), 0);
  const Outcome outcome = ConvertWithHost(folder.path(), input, TemplateDir());
  EXPECT_EQ(outcome.status, ConversionStatus::kFailed);
  EXPECT_EQ(outcome.messages,
            std::vector<std::string>{"Can not open export file: " + input.string()});
  EXPECT_TRUE(outcome.report == kEarlierReport);
}

// Far larger than any export of the instrument (a sparse file: no disk space is used).
TEST(BadExportPath, AFileLargerThanAnyExport) {
  TempDir folder;
  const fs::path input = folder / "huge.pht";
  WriteFile(input, Photometry().Text());
  fs::resize_file(input, std::uintmax_t{600} << 20);
  const Outcome outcome = ConvertWithHost(folder.path(), input, TemplateDir());
  EXPECT_EQ(outcome.status, ConversionStatus::kFailed);
  EXPECT_EQ(
      outcome.messages,
      std::vector<std::string>{"The export file is too large to be an export of the instrument: " +
                               input.string()});
  EXPECT_TRUE(outcome.report == kEarlierReport);
}

// A file that opens but fails when read: its own memory as a process shows it, whose first
// page is never mapped.
TEST(BadExportPath, AFileThatFailsWhenRead) {
  if (!fs::exists("/proc/self/mem")) GTEST_SKIP() << "no /proc/self/mem on this system";
  TempDir folder;
  const fs::path input = folder / "unreadable.pht";
  fs::create_symlink("/proc/self/mem", input);
  const Outcome outcome = ConvertWithHost(folder.path(), input, TemplateDir());
  EXPECT_EQ(outcome.status, ConversionStatus::kFailed);
  EXPECT_EQ(outcome.messages,
            std::vector<std::string>{"Can not open export file: " + input.string()});
  EXPECT_TRUE(outcome.report == kEarlierReport);

  const fs::path report = folder / "command.xlsx";
  const CommandResult result = RunKorvanta({"convert", "-o", report.string(), input.string()});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(
      LinesAbout(input, result.lines),
      std::vector<std::string>{input.string() + ": Can not open export file: " + input.string()});
  EXPECT_FALSE(fs::exists(report));
}

}  // namespace
}  // namespace korvanta::test
