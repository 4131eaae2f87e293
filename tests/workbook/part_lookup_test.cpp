// Finding what an edit of the sheet reaches: the related parts of one kind, and the parts and
// sheets that may name a sheet or a table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "workbook/book_structure.h"
#include "workbook/opc.h"
#include "workbook/package.h"
#include "workbook_fixtures.h"

namespace korvanta::workbook {
namespace {

constexpr std::string_view kSheet1 = "xl/worksheets/sheet1.xml";

TEST(RelatedParts, AreTheInternalTargetsOfOneKindThatThePackageHolds) {
  const std::string type = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
  const std::string strict = "http://purl.oclc.org/ooxml/officeDocument/relationships/";
  testing::HandMadeParts parts;
  parts.sheet1_relationships =
      "<Relationship Id=\"rId1\" Type=\"" + type +
      "drawing\" Target=\"../drawings/drawing1.xml\"/>"
      "<Relationship Id=\"rId2\" Type=\"" +
      type +
      "vmlDrawing\" Target=\"../drawings/vmlDrawing1.vml\"/>"
      "<Relationship Id=\"rId3\" Type=\"" +
      type +
      "drawing\" Target=\"../drawings/missing.xml\"/>"
      "<Relationship Id=\"rId4\" Type=\"" +
      type +
      "drawing\" Target=\"https://example.com/drawing1.xml\" TargetMode=\"External\"/>"
      "<Relationship Id=\"rId5\" Type=\"" +
      strict + "drawing\" Target=\"/xl/drawings/drawing2.xml\"/>";
  parts.extra_parts = {{"xl/drawings/drawing1.xml", "<wsDr/>"},
                       {"xl/drawings/drawing2.xml", "<wsDr/>"},
                       {"xl/drawings/vmlDrawing1.vml", "<xml/>"}};
  Package package = Package::FromZip(testing::HandMadeWorkbook(parts), "related.xlsx");
  struct Case {
    const char* kind;
    std::vector<std::string> targets;
  };
  const Case cases[] = {
      {"drawing", {"xl/drawings/drawing1.xml", "xl/drawings/drawing2.xml"}},
      {"vmlDrawing", {"xl/drawings/vmlDrawing1.vml"}},
      {"table", {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> targets;
    for (const Relationship& related : RelatedParts(package, kSheet1, c.kind)) {
      targets.push_back(related.target);
    }
    EXPECT_EQ(targets, c.targets) << c.kind;
  }
}

// A part that may name the sheet is opened and its formulas adjusted; one passed over keeps
// references that no longer point where they did. Passing over is only safe when the name,
// as XML and formulas write it, cannot be in the part.
TEST(SheetsThatMayName, AreFoundByTheNameAsXmlAndFormulasWriteIt) {
  struct Case {
    const char* what;
    const char* formula;  // in Other!A1
    const char* name;
    bool opened_for_editing;
    bool may_name;
  };
  const Case cases[] = {
      {"a reference to the sheet", "Samples!A1", "Samples", false, true},
      {"regardless of case", "SAMPLES!A1", "Samples", false, true},
      {"a quoted name with an apostrophe", "'Bob''s'!A1", "Bob's", false, true},
      {"a name that XML escapes", "'R&amp;D'!A1", "R&D", false, true},
      {"a name made of escaped signs only", "'&amp;&amp;'!A1", "&&", false, true},
      {"no mention", "A1", "Samples", false, false},
      {"no mention in a part already being edited", "A1", "Samples", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::HandMadeParts parts;
    // The edited sheet names itself; it is never among the others.
    parts.sheet1 = std::string("<sheetData><row r=\"1\"><c r=\"A1\"><f>") + c.formula +
                   "</f></c></row></sheetData>";
    parts.sheet2 = parts.sheet1;
    Package package = Package::FromZip(testing::HandMadeWorkbook(parts), "names.xlsx");
    const BookStructure book{"xl/workbook.xml",
                             {{"Sheet1", std::string(kSheet1), true},
                              {"Other", "xl/worksheets/sheet2.xml", true},
                              {"Lost", "xl/worksheets/sheet9.xml", true},
                              {"Unlinked", "", false}},
                             0};
    if (c.opened_for_editing) package.Xml("xl/worksheets/sheet2.xml");
    EXPECT_EQ(PartMayName(package, "xl/worksheets/sheet2.xml", c.name), c.may_name);
    std::vector<std::string> names;
    for (const SheetEntry* other : OtherSheetsThatMayName(package, book, kSheet1, c.name)) {
      names.push_back(other->name);
    }
    EXPECT_EQ(names, c.may_name ? std::vector<std::string>{"Other"} : std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace korvanta::workbook
