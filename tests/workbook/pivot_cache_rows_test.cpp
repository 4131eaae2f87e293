// Pivot caches over the sample table of the edited sheet, and a pivot table placed on it,
// under the row and column operations: the source range moves and grows with the samples,
// and the cache asks to be refreshed when the workbook opens.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "office_checks.h"
#include "workbook/cell_writing.h"
#include "workbook/workbook.h"
#include "workbook_fixtures.h"

namespace korvanta::workbook {
namespace {

using testing::PartXml;
using testing::ZipEntry;

constexpr std::string_view kCache = "xl/pivotCache/pivotCacheDefinition1.xml";
constexpr std::string_view kOtherCache = "xl/pivotCache/pivotCacheDefinition2.xml";
constexpr std::string_view kPivotTable = "xl/pivotTables/pivotTable1.xml";
const std::string kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const std::string kRelationships =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

std::string InsertedBefore(std::string text, std::string_view before, std::string_view added) {
  const auto at = text.rfind(before);
  EXPECT_NE(at, std::string::npos) << before;
  if (at != std::string::npos) text.insert(at, added);
  return text;
}

std::string CacheDefinition(std::string_view ref, std::string_view sheet) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
         "<pivotCacheDefinition xmlns=\"" +
         kMain + "\" xmlns:r=\"" + kRelationships +
         "\" refreshedVersion=\"6\" minRefreshableVersion=\"3\" recordCount=\"1\">"
         "<cacheSource type=\"worksheet\"><worksheetSource ref=\"" +
         std::string(ref) + "\" sheet=\"" + std::string(sheet) +
         "\"/></cacheSource><cacheFields count=\"2\"><cacheField name=\"Sample\" numFmtId=\"0\">"
         "<sharedItems/></cacheField><cacheField name=\"Abs\" numFmtId=\"0\"><sharedItems "
         "containsSemiMixedTypes=\"0\" containsString=\"0\" containsNumber=\"1\" minValue=\"0.5\" "
         "maxValue=\"0.5\"/></cacheField></cacheFields></pivotCacheDefinition>";
}

// Samples in Sheet1!A3:B4 (header, pattern row), read by pivot cache 1 and summed by a pivot
// table on Sheet1 at E10:F12; cache 2 reads Other!A1:B2. Made by libxlsxwriter, the pivot
// parts added as Excel writes them.
std::string PivotTemplate() {
  const std::string written = testing::XlsxWriterWorkbook([](lxw_workbook* book) {
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Sheet1");
    lxw_worksheet* other = workbook_add_worksheet(book, "Other");
    worksheet_write_string(sheet, 2, 0, "Sample", nullptr);
    worksheet_write_string(sheet, 2, 1, "Abs", nullptr);
    worksheet_write_string(sheet, 3, 0, "s1", nullptr);
    worksheet_write_number(sheet, 3, 1, 0.5, nullptr);
    worksheet_write_string(other, 0, 0, "Sample", nullptr);
    worksheet_write_string(other, 0, 1, "Abs", nullptr);
  });
  const auto relationship = [](const std::string& id, const std::string& kind,
                               const std::string& target) {
    return "<Relationship Id=\"" + id + "\" Type=\"" + kRelationships + "/" + kind +
           "\" Target=\"" + target + "\"/>";
  };
  const auto override = [](std::string_view part, const std::string& kind) {
    return "<Override PartName=\"/" + std::string(part) +
           "\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml." + kind +
           "+xml\"/>";
  };
  const std::string pivot_table =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<pivotTableDefinition "
      "xmlns=\"" +
      kMain +
      "\" name=\"PivotTable1\" cacheId=\"1\" dataCaption=\"Values\" updatedVersion=\"6\" "
      "minRefreshableVersion=\"3\" createdVersion=\"6\"><location ref=\"E10:F12\" "
      "firstHeaderRow=\"1\" firstDataRow=\"1\" firstDataCol=\"1\"/><pivotFields count=\"2\">"
      "<pivotField showAll=\"0\"/><pivotField dataField=\"1\" showAll=\"0\"/></pivotFields>"
      "<dataFields count=\"1\"><dataField name=\"Sum of Abs\" fld=\"1\" baseField=\"0\" "
      "baseItem=\"0\"/></dataFields></pivotTableDefinition>";
  std::vector<std::pair<std::string, std::string>> entries;
  for (auto [name, content] : testing::ZipEntries(written)) {
    if (name == "xl/workbook.xml") {
      content = InsertedBefore(content, "</workbook>",
                               "<pivotCaches><pivotCache cacheId=\"1\" r:id=\"rId91\"/>"
                               "<pivotCache cacheId=\"2\" r:id=\"rId92\"/></pivotCaches>");
    } else if (name == "xl/_rels/workbook.xml.rels") {
      content = InsertedBefore(
          content, "</Relationships>",
          relationship("rId91", "pivotCacheDefinition", "pivotCache/pivotCacheDefinition1.xml") +
              relationship("rId92", "pivotCacheDefinition",
                           "pivotCache/pivotCacheDefinition2.xml"));
    } else if (name == "[Content_Types].xml") {
      content = InsertedBefore(content, "</Types>",
                               override(kCache, "pivotCacheDefinition") +
                                   override(kOtherCache, "pivotCacheDefinition") +
                                   override(kPivotTable, "pivotTable"));
    }
    entries.emplace_back(name, content);
  }
  const std::string rels_open =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<Relationships "
      "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  entries.emplace_back(kCache, CacheDefinition("A3:B4", "Sheet1"));
  entries.emplace_back(kOtherCache, CacheDefinition("A1:B2", "Other"));
  entries.emplace_back(kPivotTable, pivot_table);
  entries.emplace_back(
      "xl/pivotTables/_rels/pivotTable1.xml.rels",
      rels_open +
          relationship("rId1", "pivotCacheDefinition", "../pivotCache/pivotCacheDefinition1.xml") +
          "</Relationships>");
  entries.emplace_back("xl/worksheets/_rels/sheet1.xml.rels",
                       rels_open +
                           relationship("rId1", "pivotTable", "../pivotTables/pivotTable1.xml") +
                           "</Relationships>");
  return testing::ZipOf(entries);
}

struct Case {
  const char* operation;
  std::function<void(Worksheet&)> edit;
  const char* source;
  const char* location;
};

TEST(PivotCaches, SourcesOnTheSheetMoveAndGrowAndAreRefreshedOnLoad) {
  const std::string original = PivotTemplate();
  const std::vector<Case> cases = {
      {"copies inserted at the pattern row",
       [](Worksheet& sheet) { InsertCopiedRows(sheet, 3, "4:4"); }, "A3:B7", "E13:F15"},
      {"copies pasted directly below", [](Worksheet& sheet) { CopyRows(sheet, "4:4", "5:7"); },
       "A3:B7", "E10:F12"},
      {"a column inserted inside", [](Worksheet& sheet) { InsertColumns(sheet, 1, "B:B"); },
       "A3:C4", "F10:G12"},
      {"a row deleted above", [](Worksheet& sheet) { DeleteRows(sheet, 1, "1:1"); }, "A2:B3",
       "E9:F11"},
  };
  testing::CheckedOutputs outputs("pivot");
  for (const Case& test : cases) {
    SCOPED_TRACE(test.operation);
    Workbook book = Workbook::LoadFromMemory(original);
    test.edit(book.ActiveSheet());
    const std::string saved = outputs.Save(book, original, {kCache, kPivotTable});
    const pugi::xml_document cache = PartXml(saved, kCache);
    EXPECT_EQ(cache.select_node("//worksheetSource").node().attribute("ref").value(),
              std::string(test.source));
    EXPECT_EQ(cache.document_element().attribute("refreshOnLoad").value(), std::string("1"));
    EXPECT_EQ(PartXml(saved, kPivotTable).select_node("//location").node().attribute("ref").value(),
              std::string(test.location));
    // A cache over another sheet stays as it was, byte for byte.
    EXPECT_EQ(ZipEntry(saved, kOtherCache), ZipEntry(original, kOtherCache));
  }
  outputs.ExpectOfficeOpens();
}

TEST(PivotCaches, PastingAwayFromTheSourceLeavesItAsItWas) {
  const std::string original = PivotTemplate();
  Workbook book = Workbook::LoadFromMemory(original);
  CopyRows(book.ActiveSheet(), "4:4", "6:7");
  const std::string saved = book.SaveToMemory();
  EXPECT_EQ(ZipEntry(saved, kCache), ZipEntry(original, kCache));
}

}  // namespace
}  // namespace korvanta::workbook
