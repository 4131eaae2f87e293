// The Protein and Concentration writers in process: the hand-over chain, every code table
// against the cells it feeds, summaries, and grown reports with many wavelengths, standards
// and samples.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/dye_table.h"
#include "formats/protein_code_tables.h"
#include "support/files.h"
#include "support/paths.h"
#include "support/test_host.h"
#include "workbook/workbook.h"

namespace korvanta {
namespace {

using test::ConvertFile;
using test::RecordingHost;
using test::TempDir;
using workbook::CellContent;
using workbook::EmptyCell;

// A standard-curve file: `wavelengths` wavelengths, `standards` standards (mode 0 only) and
// `samples` samples whose values name their place ("0.<sample><wavelength>").
struct CurveFile {
  std::string method_type = "1";
  std::string method = "1";
  std::string unit = "00";
  std::string mode = "0";
  int wavelengths = 1;
  int standards = 1;
  int samples = 1;

  std::string Text() const {
    std::string text = method_type + "\n0\n" + method + "\nname\n4\n1\n" + unit + "\n" +
                       std::to_string(standards) + "\n" + mode + "\n" +
                       std::to_string(wavelengths) + "\n";
    for (int j = 0; j < wavelengths; ++j) text += std::to_string(400 + j) + ".5\n";
    if (mode == "0") {
      for (int k = 0; k < standards; ++k) text += std::to_string(k * 100) + " 0.5\n";
    }
    text += "-0.01\n2.5\n";
    if (mode == "0") text += "0.999\n";
    text += std::to_string(samples) + "\n";
    for (int i = 1; i <= samples; ++i) {
      text += "id" + std::to_string(i) + "\n";
      for (int j = 1; j <= wavelengths; ++j)
        text += std::to_string(i) + "." + std::to_string(j) + " ";
      text += "7." + std::to_string(i) + " 9." + std::to_string(i) + "\n";
    }
    return text;
  }
};

const std::string kUvHead = "6\n0\n";
const std::string kUvBody =
    "Lysate\n4\n1\n0\n3\n260\n280\n320\n1.0\n1.0\n0\n1 2 3 4 5 6 7 8\n3\n1\nA\n0.1 0.2 0.3 x 2\n";
const std::string kLabellingFile =
    "6\n0\n2\nConjugate\n4\n1\n0\n4\n260\n280\n320\n495\n1.0\n1.0\n0\na b c\n8\n"
    "70000\n495\n71000\n0.3\n3\n1\nL1\n0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8\n";

struct Converted {
  test::ConversionRun run;
  RecordingHost host;
};

Converted Convert(const TempDir& dir, const std::string& file_name, const std::string& text,
                  const std::filesystem::path& templates = test::TemplateDir()) {
  test::WriteFile(dir / file_name, text);
  Converted converted;
  converted.run = ConvertFile(dir / file_name, dir / "out.xlsx", converted.host, templates);
  return converted;
}

CellContent TemplateCell(const std::string& name, int col, int row) {
  return workbook::Workbook::Load(test::TemplateDir() / name).ActiveSheet().Get({col, row});
}

CellContent Text(const char* text) { return CellContent(std::string(text)); }
CellContent Text(std::optional<std::string_view> text) {
  return CellContent(std::string(text.value_or("(no text in the table)")));
}

TEST(ProteinHandOver, UvAndLabellingFilesAskForTheOutputOnce) {
  TempDir dir;
  Converted uv = Convert(dir, "uv.pro", kUvHead + "1\n" + kUvBody);
  ASSERT_EQ(uv.run.status, ConversionStatus::kCompleted)
      << testing::PrintToString(uv.host.messages);
  EXPECT_EQ(uv.host.output_requests, 1);
  EXPECT_EQ(uv.run.summary.variant, "Protein UV");
  EXPECT_EQ(uv.run.summary.samples, 1);

  Converted labelling = Convert(dir, "dye.pro", kLabellingFile);
  ASSERT_EQ(labelling.run.status, ConversionStatus::kCompleted)
      << testing::PrintToString(labelling.host.messages);
  EXPECT_EQ(labelling.host.output_requests, 1);
  EXPECT_EQ(labelling.run.summary.data_type, "Protein");
  EXPECT_EQ(labelling.run.summary.variant, "Protein labelling");
  const auto sheet = workbook::Workbook::Load(dir / "out.xlsx");
  EXPECT_EQ(sheet.ActiveSheet().Get({6, 19}), Text("Dye(495)"));
  EXPECT_EQ(sheet.ActiveSheet().Get({2, 12}), Text("FITC"));
}

TEST(ProteinHandOver, MissingLabellingTemplateStopsBeforeTheSaveDialog) {
  TempDir dir;
  std::filesystem::create_directory(dir / "template");
  for (const char* name : {"brad.xlsx", "brad6.xlsx"}) {
    std::filesystem::copy_file(test::TemplateDir() / name, dir / "template" / name);
  }
  Converted converted = Convert(dir, "dye.pro", kLabellingFile, dir / "template");
  EXPECT_EQ(converted.run.status, ConversionStatus::kFailed);
  ASSERT_EQ(converted.host.messages.size(), 1u);
  EXPECT_EQ(converted.host.messages[0],
            "Can not find template file: " + (dir / "template/brad6_2.xlsx").string());
  EXPECT_EQ(converted.host.output_requests, 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "out.xlsx"));
}

TEST(ProteinHandOver, CancelAfterTheHandOverWritesNothing) {
  TempDir dir;
  test::WriteFile(dir / "dye.pro", kLabellingFile);
  RecordingHost host;
  ConversionSettings settings;
  settings.template_dir = test::TemplateDir();
  Conversion conversion(host, settings);
  conversion.SetExportPath((dir / "dye.pro").string());
  EXPECT_EQ(conversion.OnConvert(), ConversionStatus::kCancelled);
  EXPECT_EQ(host.output_requests, 1);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_TRUE(host.shown_workbooks.empty());
}

TEST(ProteinHandOver, ConcentrationFilesOfMethodTypeSixStayConcentration) {
  TempDir dir;
  CurveFile file;
  file.method_type = "6";
  Converted converted = Convert(dir, "c.con", file.Text());
  ASSERT_EQ(converted.run.status, ConversionStatus::kCompleted);
  EXPECT_EQ(converted.run.summary.variant, "Concentration");
  EXPECT_EQ(workbook::Workbook::Load(dir / "out.xlsx").ActiveSheet().Get({2, 9}), Text("STD"));
}

// Converts one file per code and reads the cell the code feeds; an unknown code keeps the
// template's cell.
class ProteinCodeCells : public testing::Test {
 protected:
  CellContent CellFor(const std::string& file_name, const std::string& text, int col, int row) {
    const Converted converted = Convert(dir_, file_name, text);
    EXPECT_EQ(converted.run.status, ConversionStatus::kCompleted) << text;
    return workbook::Workbook::Load(dir_ / "out.xlsx").ActiveSheet().Get({col, row});
  }
  TempDir dir_;
};

TEST_F(ProteinCodeCells, StandardCurveUnitsAndMethods) {
  for (const char* code : {"00", "09", "15"}) {
    CurveFile file;
    file.unit = code;
    EXPECT_EQ(CellFor("u.pro", file.Text(), 2, 8), Text(StandardCurveUnitText(code))) << code;
    EXPECT_EQ(CellFor("u.con", file.Text(), 2, 8), Text(StandardCurveUnitText(code))) << code;
  }
  for (const char* unknown : {"1", "16", "000"}) {
    CurveFile file;
    file.unit = unknown;
    EXPECT_EQ(CellFor("u.pro", file.Text(), 2, 8), TemplateCell("brad.xlsx", 2, 8)) << unknown;
  }
  for (const std::int32_t code : {1, 4}) {
    CurveFile file;
    file.method = std::to_string(code);
    EXPECT_EQ(CellFor("m.con", file.Text(), 2, 2), Text(StandardCurveMethodText(code)));
  }
  for (const char* unknown : {"0", "5", "x1"}) {
    CurveFile file;
    file.method = unknown;
    EXPECT_EQ(CellFor("m.pro", file.Text(), 2, 2), TemplateCell("brad.xlsx", 2, 2)) << unknown;
    EXPECT_EQ(CellFor("m.con", file.Text(), 2, 2), TemplateCell("concentration.xlsx", 2, 2));
  }
}

TEST_F(ProteinCodeCells, UvMethodsProteinsAndUnits) {
  for (const std::int32_t code : {1, 3, 4}) {
    EXPECT_EQ(CellFor("uv.pro", kUvHead + std::to_string(code) + "\n" + kUvBody, 2, 2),
              Text(ProteinUvMethodText(code)));
  }
  for (const char* unknown : {"0", "5", "abc"}) {
    EXPECT_EQ(CellFor("uv.pro", kUvHead + unknown + "\n" + kUvBody, 2, 2),
              TemplateCell("brad6.xlsx", 2, 2));
  }
  const std::string before_protein = "Lysate\n4\n1\n0\n0\n1.0\n1.0\n";
  for (const std::int32_t code : {0, 6, 7}) {
    const std::string text =
        kUvHead + "1\n" + before_protein + std::to_string(code) + "\n1 2 3 4 5 6 7 8\n0\n0\n";
    EXPECT_EQ(CellFor("uv.pro", text, 2, 11), ProteinTypeName(code)
                                                  ? Text(ProteinTypeName(code))
                                                  : TemplateCell("brad6.xlsx", 2, 11));
  }
  for (const char* code : {"0", "3"}) {
    const std::string text =
        kUvHead + "1\n" + before_protein + "0\n1 2 3 4 5 6 7 8\n" + code + "\n0\n";
    EXPECT_EQ(CellFor("uv.pro", text, 2, 12), Text(ProteinUvUnitText(code)));
  }
  for (const char* unknown : {"00", "03", "4"}) {
    const std::string text =
        kUvHead + "1\n" + before_protein + "0\n1 2 3 4 5 6 7 8\n" + unknown + "\n0\n";
    EXPECT_EQ(CellFor("uv.pro", text, 2, 12), TemplateCell("brad6.xlsx", 2, 12)) << unknown;
  }
}

TEST_F(ProteinCodeCells, LabellingDyesProteinsAndUnits) {
  const std::string head = "6\n0\n2\nx\n4\n1\n0\n4\n260\n280\n320\n650\n1\n1\n";
  for (const std::int32_t code : {0, 11, 12}) {
    const std::string text = head + "6\na b c\n" + std::to_string(code) + "\n1\n1\n1\n1\n0\n0\n";
    EXPECT_EQ(CellFor("dye.pro", text, 2, 12),
              DyeName(code) ? Text(DyeName(code)) : TemplateCell("brad6_2.xlsx", 2, 12));
    EXPECT_EQ(CellFor("dye.pro", text, 2, 11), Text(ProteinTypeName(6)));
  }
  for (const auto& [unit, cell] : std::vector<std::pair<const char*, CellContent>>{
           {"0", Text(ProteinUvUnitText("0"))},
           {"3", Text(ProteinUvUnitText("3"))},
           {"4", TemplateCell("brad6_2.xlsx", 2, 17)},
           {"01", TemplateCell("brad6_2.xlsx", 2, 17)}}) {
    const std::string text = head + "0\na b c\n0\n1\n1\n1\n1\n" + unit + "\n0\n";
    EXPECT_EQ(CellFor("dye.pro", text, 2, 17), cell) << unit;
  }
}

TEST(ProteinReport, SummaryNamesTheCalibration) {
  TempDir dir;
  CurveFile curve;
  curve.standards = 3;
  curve.samples = 4;
  curve.wavelengths = 2;
  Converted converted = Convert(dir, "c.pro", curve.Text());
  EXPECT_EQ(converted.run.summary.data_type, "Protein");
  EXPECT_EQ(converted.run.summary.variant, "Protein standard curve");
  EXPECT_EQ(converted.run.summary.standards, 3);
  EXPECT_EQ(converted.run.summary.samples, 4);
  EXPECT_EQ(converted.run.summary.wavelengths, 2);

  CurveFile factor;
  factor.mode = "1";
  converted = Convert(dir, "f.pro", factor.Text());
  EXPECT_EQ(converted.run.summary.variant, "Protein K factor");
  EXPECT_FALSE(converted.run.summary.standards.has_value());
  converted = Convert(dir, "f.con", factor.Text());
  EXPECT_EQ(converted.run.summary.data_type, "Concentration");
  EXPECT_EQ(converted.run.summary.variant, "Concentration");
}

// 22 wavelengths, 10 standards and 500 samples: every block where the layout puts it.
TEST(ProteinReport, LargeStandardCurveReport) {
  TempDir dir;
  CurveFile file;
  file.wavelengths = 22;
  file.standards = 10;
  file.samples = 500;
  Converted converted = Convert(dir, "big.pro", file.Text());
  ASSERT_EQ(converted.run.status, ConversionStatus::kCompleted);
  const auto book = workbook::Workbook::Load(dir / "out.xlsx");
  const workbook::Worksheet& sheet = book.ActiveSheet();
  EXPECT_EQ(sheet.Get({1, 11}), Text("WL1"));
  EXPECT_EQ(sheet.Get({2, 11}), CellContent(400.5));
  EXPECT_EQ(sheet.Get({1, 32}), Text("WL22"));
  EXPECT_EQ(sheet.Get({2, 32}), CellContent(421.5));
  EXPECT_EQ(sheet.Get({1, 34}), Text("STD No."));
  EXPECT_EQ(sheet.Get({1, 35}), CellContent(1.0));
  EXPECT_EQ(sheet.Get({1, 44}), CellContent(10.0));
  EXPECT_EQ(sheet.Get({2, 44}), CellContent(900.0));
  EXPECT_EQ(sheet.Get({1, 45}), CellContent(EmptyCell{}));
  EXPECT_EQ(sheet.Get({2, 46}), Text("CONC = 2.5 * OD - 0.01"));
  EXPECT_EQ(sheet.Get({3, 46}), Text("(R = 0.999)"));
  EXPECT_EQ(sheet.Get({3, 48}), Text("WL1 OD Value"));
  EXPECT_EQ(sheet.Get({24, 48}), Text("WL22 OD Value"));             // X
  EXPECT_EQ(sheet.Get({25, 48}), TemplateCell("brad.xlsx", 4, 18));  // Y: the template's D18
  EXPECT_EQ(sheet.Get({26, 48}), TemplateCell("brad.xlsx", 5, 18));  // Z: the template's E18
  EXPECT_EQ(sheet.Get({1, 49}), CellContent(1.0));
  EXPECT_EQ(sheet.Get({2, 49}), Text("id1"));
  EXPECT_EQ(sheet.Get({24, 49}), CellContent(1.22));
  EXPECT_EQ(sheet.Get({1, 548}), CellContent(500.0));
  EXPECT_EQ(sheet.Get({2, 548}), Text("id500"));
  EXPECT_EQ(sheet.Get({3, 548}), CellContent(500.1));
  EXPECT_EQ(sheet.Get({25, 548}), CellContent(7.5));
  EXPECT_EQ(sheet.Get({26, 548}), CellContent(9.5));
  EXPECT_EQ(sheet.LastRow(), 548);
  EXPECT_EQ(sheet.LastColumn(), 26);
}

// Past 22 wavelengths the table reaches beyond column Z, which the sheet can hold.
TEST(ProteinReport, WavelengthColumnsBeyondZ) {
  TempDir dir;
  CurveFile file;
  file.mode = "1";
  file.wavelengths = 30;
  file.samples = 2;
  Converted converted = Convert(dir, "wide.con", file.Text());
  ASSERT_EQ(converted.run.status, ConversionStatus::kCompleted);
  const auto book = workbook::Workbook::Load(dir / "out.xlsx");
  const workbook::Worksheet& sheet = book.ActiveSheet();
  // K factor: wavelengths 11..40, equation row 42, header row 44, samples 45..46.
  EXPECT_EQ(sheet.Get({1, 40}), Text("WL30"));
  EXPECT_EQ(sheet.Get({2, 42}), Text("CONC = 2.5 * OD - 0.01"));
  EXPECT_EQ(sheet.Get({32, 44}), Text("WL30 OD Value"));  // AF
  EXPECT_EQ(sheet.Get({32, 46}), CellContent(2.3));
  EXPECT_EQ(sheet.Get({33, 46}), CellContent(7.2));  // AG: od_value
  EXPECT_EQ(sheet.Get({34, 46}), CellContent(9.2));  // AH: concentration
}

}  // namespace
}  // namespace korvanta
