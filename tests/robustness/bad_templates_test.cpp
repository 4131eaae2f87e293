// Malformed template workbooks: each one refused with a message that names the template and
// what is wrong with it, and no report written (an earlier report stays as it was).
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "robustness/conversion_outcome.h"
#include "robustness/export_layouts.h"
#include "robustness/package_edit.h"
#include "support/files.h"
#include "support/paths.h"

namespace korvanta::test {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTemplate = "photomet.xlsx";
constexpr std::string_view kSheet = "xl/worksheets/sheet1.xml";
constexpr std::string_view kBook = "xl/workbook.xml";

// The template as built, for the cases to damage.
std::string Original() { return ReadFile(TemplateDir() / kTemplate); }

std::uint32_t Crc32(std::string_view bytes) {
  std::uint32_t crc = 0xFFFFFFFFU;
  for (const char c : bytes) {
    crc ^= static_cast<unsigned char>(c);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320U & (0U - (crc & 1U)));
  }
  return ~crc;
}

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFFU);
}

// A zip of one deflated entry whose headers declare `declared_size` bytes: the few bytes it
// really holds would unpack to far less, as in a zip bomb that lies about its size.
std::string ZipDeclaring(std::string_view name, std::uint32_t declared_size) {
  const std::string content = "x";
  const std::string deflated = std::string("\x01\x01\x00\xfe\xff", 5) + content;  // stored block
  auto header = [&](bool central) {
    std::string out;
    PutLittleEndian(out, central ? 0x02014b50U : 0x04034b50U, 4);
    if (central) PutLittleEndian(out, 20, 2);  // made by
    PutLittleEndian(out, 20, 2);               // version needed
    PutLittleEndian(out, 0, 2);                // flags
    PutLittleEndian(out, 8, 2);                // deflate
    PutLittleEndian(out, 0, 4);                // time and date
    PutLittleEndian(out, Crc32(content), 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(deflated.size()), 4);
    PutLittleEndian(out, declared_size, 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(name.size()), 2);
    PutLittleEndian(out, 0, 2);  // extra field
    if (central) {
      PutLittleEndian(out, 0, 2);  // comment
      PutLittleEndian(out, 0, 2);  // disk
      PutLittleEndian(out, 0, 2);  // internal attributes
      PutLittleEndian(out, 0, 4);  // external attributes
      PutLittleEndian(out, 0, 4);  // offset of the local header
    }
    return out + std::string(name);
  };
  std::string zip = header(false) + deflated;
  const auto directory_offset = static_cast<std::uint32_t>(zip.size());
  const std::string directory = header(true);
  zip += directory;
  PutLittleEndian(zip, 0x06054b50U, 4);
  PutLittleEndian(zip, 0, 4);  // disks
  PutLittleEndian(zip, 1, 2);
  PutLittleEndian(zip, 1, 2);
  PutLittleEndian(zip, static_cast<std::uint32_t>(directory.size()), 4);
  PutLittleEndian(zip, directory_offset, 4);
  PutLittleEndian(zip, 0, 2);
  return zip;
}

struct BadTemplate {
  std::string name;
  std::function<std::string()> bytes;  // the template's content
  std::string reason;                  // after "The workbook \"PATH\" "
};

void PrintTo(const BadTemplate& bad, std::ostream* out) { *out << bad.name; }

std::string Unusable(const std::string& why) { return "can not be used: " + why; }
std::string Unopenable(const std::string& why) { return "can not be opened: " + why; }

std::vector<BadTemplate> Catalogue() {
  const std::string not_a_zip = Unopenable("it is not an .xlsx file (no readable zip package).");
  return {
      // Zero bytes read as a zip with no entries.
      {"Empty", [] { return std::string(); },
       Unusable("it is not an .xlsx workbook (no content types).")},
      {"Text", [] { return std::string("not a workbook\n"); }, not_a_zip},
      {"TruncatedZip", [] { return Original().substr(0, Original().size() / 2); }, not_a_zip},
      {"ZipWithoutItsDirectory",
       [] {
         const std::string zip = Original();
         return zip.substr(0, zip.rfind("PK\x01\x02"));
       },
       not_a_zip},
      {"NoContentTypes", [] { return WithoutPart(Original(), "[Content_Types].xml"); },
       Unusable("it is not an .xlsx workbook (no content types).")},
      {"NoWorkbookPart", [] { return WithoutPart(WithoutPart(Original(), kBook), "_rels/.rels"); },
       Unusable("it holds no workbook.")},
      {"NoSheets",
       [] {
         return WithPart(Original(), kBook,
                         Replaced(PackagePart(Original(), kBook),
                                  "<sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/>", ""));
       },
       Unusable("it holds no sheet.")},
      {"ActiveSheetPartMissing", [] { return WithoutPart(Original(), kSheet); },
       Unusable("its active sheet \"Sheet1\" is no worksheet.")},
      {"SheetNotWellFormed",
       [] {
         return WithPart(Original(), kSheet,
                         Replaced(PackagePart(Original(), kSheet), "</sheetData>", ""));
       },
       "is damaged: the part \"xl/worksheets/sheet1.xml\" is not well-formed XML (...)"},
      {"WorkbookPartNotWellFormed",
       [] { return WithPart(Original(), kBook, "<workbook><sheets>"); },
       "is damaged: the part \"xl/workbook.xml\" is not well-formed XML (...)"},
      {"UnsafeEntryName", [] { return WithPart(Original(), "../../evil.sh", "#!/bin/sh\n"); },
       Unopenable("it holds an entry with an unsafe name (\"../../evil.sh\").")},
      {"AbsoluteEntryName", [] { return WithPart(Original(), "/etc/evil", "x"); },
       Unopenable("it holds an entry with an unsafe name (\"/etc/evil\").")},
      {"PartTwiceInOtherCase",
       [] { return WithPart(Original(), "XL/WORKBOOK.XML", PackagePart(Original(), kBook)); },
       Unopenable("the part \"XL/WORKBOOK.XML\" appears twice.")},
      {"PartDeclaringHalfAGigabyte", [] { return ZipDeclaring("[Content_Types].xml", 1U << 29); },
       Unopenable("it is too large (the part \"[Content_Types].xml\" declares 536870912 bytes).")},
  };
}

std::string CaseName(const testing::TestParamInfo<BadTemplate>& param_info) {
  return param_info.param.name;
}

bool Matches(const std::string& expected, const std::string& actual) {
  constexpr std::string_view kOpenEnd = "(...)";
  if (expected.ends_with(kOpenEnd)) {
    return actual.starts_with(expected.substr(0, expected.size() - kOpenEnd.size() + 1)) &&
           actual.ends_with(").");
  }
  return actual == expected;
}

class BadTemplateFile : public testing::TestWithParam<BadTemplate> {};

TEST_P(BadTemplateFile, IsRefusedAndNoReportIsWritten) {
  TempDir folder;
  const fs::path templates = folder / "template";
  fs::copy(TemplateDir(), templates);
  const fs::path template_path = templates / kTemplate;
  WriteFile(template_path, GetParam().bytes());
  const fs::path input = folder / "plate.pht";
  WriteFile(input, ExportLayoutOf("Photometry").Text());

  const Outcome outcome = ConvertWithHost(folder.path(), input, templates);
  EXPECT_EQ(outcome.status, ConversionStatus::kFailed);
  ASSERT_EQ(outcome.messages.size(), 1U);
  const std::string expected =
      "The workbook \"" + template_path.string() + "\" " + GetParam().reason;
  EXPECT_TRUE(Matches(expected, outcome.messages[0]))
      << "expected: " << expected << "\nactual:   " << outcome.messages[0];
  EXPECT_TRUE(outcome.warnings.empty());
  EXPECT_TRUE(outcome.report == kEarlierReport);
  EXPECT_EQ(outcome.stray_files, std::vector<std::string>{"template"});
  EXPECT_EQ(outcome.statuses, std::vector<std::string>{"Conversion failed."});
}

INSTANTIATE_TEST_SUITE_P(Catalogue, BadTemplateFile, testing::ValuesIn(Catalogue()), CaseName);

// A folder where the template should be, and a template that is missing: the driver's own
// message, before the save dialog.
TEST(BadTemplatePath, AFolderOrNothingWhereTheTemplateShouldBe) {
  for (const bool folder_instead : {true, false}) {
    TempDir folder;
    const fs::path templates = folder / "template";
    fs::copy(TemplateDir(), templates);
    fs::remove(templates / kTemplate);
    if (folder_instead) fs::create_directory(templates / kTemplate);
    const fs::path input = folder / "plate.pht";
    WriteFile(input, ExportLayoutOf("Photometry").Text());

    const Outcome outcome = ConvertWithHost(folder.path(), input, templates);
    EXPECT_EQ(outcome.status, ConversionStatus::kFailed);
    EXPECT_EQ(outcome.messages, std::vector<std::string>{"Can not find template file: " +
                                                         (templates / kTemplate).string()});
    EXPECT_TRUE(outcome.report == kEarlierReport);
  }
}

// The Protein UV file hands over to brad6.xlsx: a missing variant template is named as such.
TEST(BadTemplatePath, AMissingVariantTemplate) {
  TempDir folder;
  const fs::path templates = folder / "template";
  fs::copy(TemplateDir(), templates);
  fs::remove(templates / "brad6.xlsx");
  const fs::path input = folder / "uv.pro";
  WriteFile(input, ExportLayoutOf("Protein UV").Text());

  const Outcome outcome = ConvertWithHost(folder.path(), input, templates);
  EXPECT_EQ(outcome.status, ConversionStatus::kFailed);
  EXPECT_EQ(outcome.messages, std::vector<std::string>{"Can not find template file: " +
                                                       (templates / "brad6.xlsx").string()});
  EXPECT_TRUE(outcome.report == kEarlierReport);
}

}  // namespace
}  // namespace korvanta::test
