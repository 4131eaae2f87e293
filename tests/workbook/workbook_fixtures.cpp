#include "workbook_fixtures.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <cstdio>
#include <stdexcept>
#include <variant>

#include "office_checks.h"
#include "support/files.h"
#include "support/paths.h"
#include "workbook/cell_address.h"

namespace korvanta::workbook::testing {

std::string XlsxWriterWorkbook(const std::function<void(lxw_workbook*)>& fill) {
  const test::TempDir dir;
  const auto path = dir / "fixture.xlsx";
  lxw_workbook* book = workbook_new(path.string().c_str());
  fill(book);
  EXPECT_EQ(workbook_close(book), LXW_NO_ERROR);
  return test::ReadFile(path);
}

std::string XlsxWriterSheet(const std::function<void(lxw_workbook*, lxw_worksheet*)>& fill) {
  return XlsxWriterWorkbook(
      [&](lxw_workbook* book) { fill(book, workbook_add_worksheet(book, "Sheet1")); });
}

std::string WavelengthTableTemplate() {
  const std::string written = XlsxWriterWorkbook([](lxw_workbook* book) {
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Sheet1");
    lxw_worksheet* other = workbook_add_worksheet(book, "Other");
    worksheet_write_number(sheet, 5, 1, 2, nullptr);
    worksheet_write_number(sheet, 8, 0, 260, nullptr);
    worksheet_write_formula(sheet, 8, 1, "=SUMIF($B$19:$B$82,A9,$C$19:$C$82)", nullptr);
    worksheet_write_formula(sheet, 8, 2, "=B6", nullptr);
    worksheet_write_formula(sheet, 8, 3, "=B9*$B$6", nullptr);
    worksheet_write_formula(sheet, 8, 4, "=C9*$B$6", nullptr);
    worksheet_write_formula(sheet, 8, 5, "=D9*$B$6", nullptr);
    worksheet_write_array_formula(sheet, 8, 6, 8, 6, "{=MAX($C$19:$C$82*(A9>0))}", nullptr);
    worksheet_write_formula(sheet, 8, 7, "=SUM(Samples)+C10", nullptr);
    for (int row = 18; row < 82; ++row) {
      worksheet_write_number(sheet, row, 1, 260 + row % 4, nullptr);
      worksheet_write_number(sheet, row, 2, row * 0.5, nullptr);
    }
    worksheet_write_formula(sheet, 84, 1, "=SUM(B19:B82)", nullptr);
    workbook_define_name(book, "Samples", "=Sheet1!$B$19:$B$82");
    worksheet_write_formula(other, 0, 0, "=Sheet1!B9", nullptr);
    worksheet_write_formula(other, 1, 0, "=SUM(Sheet1!$B$19:$B$82)", nullptr);
  });
  // Excel writes the three formulas of D9:F9 as one shared formula anchored in D9.
  auto entries = ZipEntries(written);
  for (auto& [name, content] : entries) {
    if (name != "xl/worksheets/sheet1.xml") continue;
    const auto replace = [&content](const std::string& from, const std::string& to) {
      const auto at = content.find(from);
      if (at == std::string::npos) throw std::runtime_error("no " + from + " in the sheet");
      content.replace(at, from.size(), to);
    };
    replace("<f>B9*$B$6</f>", "<f t=\"shared\" ref=\"D9:F9\" si=\"0\">B9*$B$6</f>");
    replace("<f>C9*$B$6</f>", "<f t=\"shared\" si=\"0\"/>");
    replace("<f>D9*$B$6</f>", "<f t=\"shared\" si=\"0\"/>");
  }
  return ZipOf(entries);
}

std::string HandMadeWorkbook(const HandMadeParts& parts) {
  const std::string main_ns = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
  const std::string rel_ns = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  const std::string package_rel_ns = "http://schemas.openxmlformats.org/package/2006/relationships";
  const std::string sheet_type = rel_ns + "/worksheet";
  const auto worksheet = [&](const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<worksheet xmlns=\"" +
           main_ns + "\" xmlns:r=\"" + rel_ns + "\">" + body + "</worksheet>";
  };
  std::vector<std::pair<std::string, std::string>> entries = {
      {"[Content_Types].xml",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types "
       "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
       "<Default Extension=\"rels\" "
       "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
       "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
       "<Override PartName=\"/xl/workbook.xml\" "
       "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/"
       ">"
       "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
       "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
       "<Override PartName=\"/xl/worksheets/sheet2.xml\" "
       "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/"
       ">" +
           parts.content_type_overrides + "</Types>"},
      {"_rels/.rels", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"" +
                          package_rel_ns + "\"><Relationship Id=\"rId1\" Type=\"" + rel_ns +
                          "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
      {"xl/workbook.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><workbook xmlns=\"" + main_ns +
                              "\" xmlns:r=\"" + rel_ns +
                              "\"><sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/>"
                              "<sheet name=\"Other\" sheetId=\"2\" r:id=\"rId2\"/></sheets>" +
                              (parts.defined_names.empty()
                                   ? std::string()
                                   : "<definedNames>" + parts.defined_names + "</definedNames>") +
                              "</workbook>"},
      {"xl/_rels/workbook.xml.rels",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"" + package_rel_ns +
           "\"><Relationship Id=\"rId1\" Type=\"" + sheet_type +
           "\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"" + sheet_type +
           "\" Target=\"/xl/worksheets/sheet2.xml\"/></Relationships>"},
      {"xl/worksheets/sheet1.xml", worksheet(parts.sheet1)},
      {"xl/worksheets/sheet2.xml", worksheet(parts.sheet2)},
  };
  if (!parts.sheet1_relationships.empty()) {
    entries.emplace_back("xl/worksheets/_rels/sheet1.xml.rels",
                         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"" +
                             package_rel_ns + "\">" + parts.sheet1_relationships +
                             "</Relationships>");
  }
  for (const auto& part : parts.extra_parts) entries.push_back(part);
  return ZipOf(entries);
}

std::string ZipOf(const std::vector<std::pair<std::string, std::string>>& entries, bool deflate) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* output = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_source_keep(output);
  zip_t* archive = zip_open_from_source(output, ZIP_TRUNCATE, &error);
  for (const auto& [name, content] : entries) {
    zip_source_t* data = zip_source_buffer(archive, content.data(), content.size(), 0);
    const zip_int64_t index = zip_file_add(archive, name.c_str(), data, ZIP_FL_ENC_UTF_8);
    EXPECT_GE(index, 0) << name;
    if (!deflate)
      zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
  }
  EXPECT_EQ(zip_close(archive), 0);
  zip_source_open(output);
  zip_source_seek(output, 0, SEEK_END);
  const zip_int64_t size = zip_source_tell(output);
  zip_source_seek(output, 0, SEEK_SET);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  zip_source_read(output, bytes.data(), static_cast<zip_uint64_t>(size));
  zip_source_close(output);
  zip_source_free(output);
  zip_error_fini(&error);
  return bytes;
}

namespace {

// Calls `visit` with every entry's name, bytes and compression method; with ZIP_FL_COMPRESSED
// in `flags` the bytes are those stored, otherwise the content.
void ForEachZipEntry(std::string_view zip, zip_flags_t flags,
                     const std::function<void(const char*, std::string, int)>& visit) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(zip.data(), zip.size(), 0, &error);
  zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
  zip_error_fini(&error);
  if (!archive) {
    zip_source_free(source);
    ADD_FAILURE() << "not a zip";
    return;
  }
  for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
    zip_stat_t stat;
    zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
    const auto size = (flags & ZIP_FL_COMPRESSED) ? stat.comp_size : stat.size;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), flags);
    zip_fread(file, bytes.data(), bytes.size());
    zip_fclose(file);
    visit(stat.name, std::move(bytes), stat.comp_method);
  }
  zip_discard(archive);
}

}  // namespace

std::vector<std::pair<std::string, std::string>> ZipEntries(std::string_view zip) {
  std::vector<std::pair<std::string, std::string>> entries;
  ForEachZipEntry(zip, 0, [&](const char* name, std::string content, int) {
    entries.emplace_back(name, std::move(content));
  });
  return entries;
}

std::pair<std::string, int> StoredZipEntry(std::string_view zip, std::string_view name) {
  std::pair<std::string, int> stored;
  ForEachZipEntry(zip, ZIP_FL_COMPRESSED, [&](const char* entry, std::string bytes, int method) {
    if (entry == name) stored = {std::move(bytes), method};
  });
  return stored;
}

std::string ZipEntry(std::string_view zip, std::string_view name) {
  for (auto& [entry, content] : ZipEntries(zip)) {
    if (entry == name) return content;
  }
  return {};
}

std::string WithRelationshipOverrides(std::string_view zip) {
  auto entries = ZipEntries(zip);
  std::string overrides;
  for (const auto& [name, content] : entries) {
    if (name.ends_with(".rels")) {
      overrides += "<Override PartName=\"/" + name +
                   "\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>";
    }
  }
  for (auto& [name, content] : entries) {
    if (name != "[Content_Types].xml") continue;
    const std::size_t start = content.find("<Default Extension=\"rels\"");
    EXPECT_NE(start, std::string::npos) << "no Default for .rels parts";
    if (start != std::string::npos) {
      content.replace(start, content.find("/>", start) + 2 - start, overrides);
    }
  }
  return ZipOf(entries);
}

pugi::xml_document PartXml(std::string_view zip, std::string_view name) {
  ExpectWholePackage(zip);
  pugi::xml_document doc;
  const std::string content = ZipEntry(zip, name);
  EXPECT_TRUE(
      doc.load_buffer(content.data(), content.size(), pugi::parse_default | pugi::parse_ws_pcdata))
      << name;
  return doc;
}

pugi::xml_document SheetXml(const Workbook& book, std::string_view part) {
  return PartXml(book.SaveToMemory(), part);
}

Workbook Reopened(const Workbook& book) {
  const std::string saved = book.SaveToMemory();
  ExpectWholePackage(saved);
  return Workbook::LoadFromMemory(saved, "saved");
}

namespace {
CellContent ContentAt(const Worksheet& sheet, std::string_view address) {
  const auto ref = ParseCellAddress(address);
  EXPECT_TRUE(ref) << address;
  return ref ? sheet.Get(*ref) : CellContent{};
}
}  // namespace

std::string FormulaAt(const Worksheet& sheet, std::string_view address) {
  const CellContent content = ContentAt(sheet, address);
  const auto* formula = std::get_if<FormulaCell>(&content);
  return formula ? formula->formula : std::string();
}

std::string TextAt(const Worksheet& sheet, std::string_view address) {
  const CellContent content = ContentAt(sheet, address);
  const auto* text = std::get_if<std::string>(&content);
  EXPECT_TRUE(text) << address << " holds no text";
  return text ? *text : std::string();
}

double NumberAt(const Worksheet& sheet, std::string_view address) {
  const CellContent content = ContentAt(sheet, address);
  const auto* number = std::get_if<double>(&content);
  EXPECT_TRUE(number) << address << " holds no number";
  return number ? *number : 0.0;
}

bool IsEmptyAt(const Worksheet& sheet, std::string_view address) {
  return std::holds_alternative<EmptyCell>(ContentAt(sheet, address));
}

}  // namespace korvanta::workbook::testing
