#include "workbook_fixtures.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <cstdio>
#include <variant>

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

std::string ZipOf(const std::vector<std::pair<std::string, std::string>>& entries) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* output = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_source_keep(output);
  zip_t* archive = zip_open_from_source(output, ZIP_TRUNCATE, &error);
  for (const auto& [name, content] : entries) {
    zip_source_t* data = zip_source_buffer(archive, content.data(), content.size(), 0);
    EXPECT_GE(zip_file_add(archive, name.c_str(), data, ZIP_FL_ENC_UTF_8), 0) << name;
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

std::vector<std::pair<std::string, std::string>> ZipEntries(std::string_view zip) {
  std::vector<std::pair<std::string, std::string>> entries;
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(zip.data(), zip.size(), 0, &error);
  zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
  zip_error_fini(&error);
  if (!archive) {
    zip_source_free(source);
    ADD_FAILURE() << "not a zip";
    return entries;
  }
  for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
    zip_stat_t stat;
    zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
    std::string content(static_cast<std::size_t>(stat.size), '\0');
    zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
    zip_fread(file, content.data(), content.size());
    zip_fclose(file);
    entries.emplace_back(stat.name, std::move(content));
  }
  zip_discard(archive);
  return entries;
}

std::string ZipEntry(std::string_view zip, std::string_view name) {
  for (auto& [entry, content] : ZipEntries(zip)) {
    if (entry == name) return content;
  }
  return {};
}

pugi::xml_document PartXml(std::string_view zip, std::string_view name) {
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
  return Workbook::LoadFromMemory(book.SaveToMemory(), "saved");
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
