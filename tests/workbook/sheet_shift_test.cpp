// What follows the cells when rows or columns move, on packages written by hand: shared
// formulas, hyperlinks, filters, tables, notes, page breaks, drawing anchors, extensions,
// formulas on other sheets and defined names.
#include "workbook/sheet_shift.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "workbook/cell_writing.h"
#include "workbook/workbook.h"
#include "workbook_fixtures.h"

namespace korvanta::workbook {
namespace {

using testing::FormulaAt;
using testing::HandMadeParts;
using testing::HandMadeWorkbook;
using testing::PartXml;

constexpr const char* kRelationshipTypes =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

std::string Relationship(const std::string& id, const std::string& kind,
                         const std::string& target) {
  return "<Relationship Id=\"" + id + "\" Type=\"" + kRelationshipTypes + kind + "\" Target=\"" +
         target + "\"/>";
}

std::string Override(const std::string& part, const std::string& type) {
  return "<Override PartName=\"" + part + "\" ContentType=\"" + type + "\"/>";
}

std::string Text(const pugi::xml_document& doc, const char* xpath) {
  return doc.select_node(xpath).node().text().get();
}

std::string Attribute(const pugi::xml_document& doc, const char* xpath, const char* name) {
  return doc.select_node(xpath).node().attribute(name).value();
}

TEST(SharedFormulas, AreExpandedIntoTheirCellsAndThenFollowAShift) {
  HandMadeParts parts;
  parts.sheet1 =
      "<sheetData>"
      "<row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\"><f t=\"shared\" ref=\"B1:B3\" "
      "si=\"0\">A1*$C$1</f><v>2</v></c><c r=\"C1\"><v>2</v></c></row>"
      "<row r=\"2\"><c r=\"B2\"><f t=\"shared\" si=\"0\"/><v>0</v></c></row>"
      "<row r=\"3\"><c r=\"B3\"><f t=\"shared\" si=\"0\"/><v>0</v></c></row>"
      "</sheetData>";
  Workbook book = Workbook::LoadFromMemory(HandMadeWorkbook(parts));
  Worksheet& sheet = book.ActiveSheet();
  EXPECT_EQ(FormulaAt(sheet, "B2"), "A2*$C$1");
  EXPECT_EQ(FormulaAt(sheet, "B3"), "A3*$C$1");

  DeleteRows(sheet, 1, "1:1");
  EXPECT_EQ(FormulaAt(sheet, "B1"), "A1*#REF!");
  EXPECT_EQ(FormulaAt(sheet, "B2"), "A2*#REF!");
  const pugi::xml_document xml = testing::SheetXml(book);
  EXPECT_FALSE(xml.select_node("//f[@t='shared']"));
  EXPECT_FALSE(xml.select_node("//f[@si]"));
}

TEST(SharedFormulas, OnOtherSheetsAreExpandedWhenTheyNameTheEditedSheet) {
  HandMadeParts parts;
  parts.sheet2 =
      "<sheetData>"
      "<row r=\"1\"><c r=\"A1\"><f t=\"shared\" ref=\"A1:A4\" si=\"3\">Sheet1!B1</f></c></row>"
      "<row r=\"2\"><c r=\"A2\"><f t=\"shared\" si=\"3\"/></c></row>"
      "<row r=\"3\"><c r=\"A3\"><f t=\"shared\" si=\"3\"/></c></row>"
      "<row r=\"4\"><c r=\"A4\"><f t=\"shared\" si=\"3\"/></c></row>"
      "</sheetData>";
  Workbook book = Workbook::LoadFromMemory(HandMadeWorkbook(parts));
  InsertCopiedRows(book.ActiveSheet(), 1, "3:3");
  const pugi::xml_document other = PartXml(book.SaveToMemory(), "xl/worksheets/sheet2.xml");
  EXPECT_EQ(Text(other, "//c[@r='A1']/f"), "Sheet1!B1");
  EXPECT_EQ(Text(other, "//c[@r='A2']/f"), "Sheet1!B2");
  EXPECT_EQ(Text(other, "//c[@r='A3']/f"), "Sheet1!B4");
  EXPECT_EQ(Text(other, "//c[@r='A4']/f"), "Sheet1!B5");
}

TEST(FormulaResults, CachedResultsThatEditsMakeStaleAreNotSaved) {
  HandMadeParts parts;
  parts.sheet1 =
      "<sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\" t=\"str\"><f>A1&amp;\"x\"</f>"
      "<v>1x</v></c></row></sheetData>";
  parts.sheet2 =
      "<sheetData><row r=\"1\"><c r=\"A1\"><f>Sheet1!A1*2</f><v>2</v></c>"
      "<c r=\"B1\"><f>7*2</f><v>14</v></c></row></sheetData>";
  Workbook book = Workbook::LoadFromMemory(HandMadeWorkbook(parts));
  WriteIntegerCell(book.ActiveSheet(), 'A', 1, 5);
  const std::string saved = book.SaveToMemory();
  const pugi::xml_document sheet = PartXml(saved, "xl/worksheets/sheet1.xml");
  EXPECT_FALSE(sheet.select_node("//c[@r='B1']/v"));
  EXPECT_FALSE(sheet.select_node("//c[@r='B1']/@t"));
  EXPECT_EQ(Text(sheet, "//c[@r='B1']/f"), "A1&\"x\"");
  const pugi::xml_document other = PartXml(saved, "xl/worksheets/sheet2.xml");
  EXPECT_FALSE(other.select_node("//c[@r='A1']/v"));
  EXPECT_EQ(Text(other, "//c[@r='B1']/v"), "14");  // reads no cell of Sheet1
}

TEST(ArrayFormulas, TheirRangeMovesWithThem) {
  HandMadeParts parts;
  parts.sheet1 =
      "<sheetData><row r=\"5\"><c r=\"A5\"><f t=\"array\" ref=\"A5:A6\">B5:B6*2</f><v>0</v></c>"
      "</row></sheetData>";
  Workbook book = Workbook::LoadFromMemory(HandMadeWorkbook(parts));
  InsertCopiedRows(book.ActiveSheet(), 1, "2:2");
  CopyRows(book.ActiveSheet(), "6:7", "10:11");
  const pugi::xml_document xml = testing::SheetXml(book);
  EXPECT_EQ(Attribute(xml, "//c[@r='A6']/f", "ref"), "A6:A7");
  EXPECT_EQ(Text(xml, "//c[@r='A6']/f"), "B6:B7*2");
  EXPECT_EQ(Attribute(xml, "//c[@r='A10']/f", "ref"), "A10:A11");
  EXPECT_EQ(Text(xml, "//c[@r='A10']/f"), "B10:B11*2");
}

TEST(SheetElements, HyperlinksFiltersBreaksSelectionsAndIgnoredErrorsMove) {
  HandMadeParts parts;
  parts.sheet1 =
      "<sheetViews><sheetView workbookViewId=\"0\"><selection activeCell=\"B8\" "
      "sqref=\"B8\"/></sheetView></sheetViews>"
      "<sheetData><row r=\"8\"><c r=\"B8\"><v>1</v></c></row></sheetData>"
      "<autoFilter ref=\"A7:C20\"/>"
      "<hyperlinks><hyperlink ref=\"B8\" location=\"Sheet1!C9\" display=\"go\"/>"
      "<hyperlink ref=\"B3\" location=\"Other!A1\"/><hyperlink ref=\"B5\" r:id=\"rId9\"/>"
      "</hyperlinks>"
      "<rowBreaks count=\"2\" manualBreakCount=\"2\"><brk id=\"4\" max=\"16383\" man=\"1\"/>"
      "<brk id=\"12\" max=\"16383\" man=\"1\"/></rowBreaks>"
      "<ignoredErrors><ignoredError sqref=\"B8:B9\" numberStoredAsText=\"1\"/></ignoredErrors>";
  Workbook book = Workbook::LoadFromMemory(HandMadeWorkbook(parts));
  InsertCopiedRows(book.ActiveSheet(), 2, "6:6");
  pugi::xml_document xml = testing::SheetXml(book);
  EXPECT_EQ(Attribute(xml, "//selection", "activeCell"), "B10");
  EXPECT_EQ(Attribute(xml, "//autoFilter", "ref"), "A9:C22");
  EXPECT_EQ(Attribute(xml, "//hyperlink[@display='go']", "ref"), "B10");
  EXPECT_EQ(Attribute(xml, "//hyperlink[@display='go']", "location"), "Sheet1!C11");
  EXPECT_EQ(Attribute(xml, "//hyperlink[@location='Other!A1']", "ref"), "B3");
  EXPECT_EQ(Attribute(xml, "//hyperlink[@r:id='rId9']", "ref"), "B5");
  EXPECT_EQ(Attribute(xml, "//brk[1]", "id"), "4");  // above row 6: stays
  EXPECT_EQ(Attribute(xml, "//brk[2]", "id"), "14");
  EXPECT_EQ(Attribute(xml, "//ignoredError", "sqref"), "B10:B11");

  DeleteRows(book.ActiveSheet(), 1, "6:24");
  xml = testing::SheetXml(book);
  EXPECT_FALSE(xml.select_node("//autoFilter"));
  EXPECT_FALSE(xml.select_node("//hyperlink[@display='go']"));
  EXPECT_EQ(Attribute(xml, "//hyperlink[@location='Other!A1']", "ref"), "B3");
  EXPECT_FALSE(xml.select_node("//ignoredErrors"));
  EXPECT_EQ(Attribute(xml, "//rowBreaks", "count"), "1");
  EXPECT_EQ(Attribute(xml, "//rowBreaks", "manualBreakCount"), "1");
}

TEST(SheetElements, ConditionalFormatAndValidationFormulasAndExtensionsFollow) {
  HandMadeParts parts;
  parts.sheet1 =
      "<sheetData/>"
      "<conditionalFormatting sqref=\"A10:A12 C3\"><cfRule type=\"expression\" priority=\"1\">"
      "<formula>$B10&gt;$B$20</formula></cfRule></conditionalFormatting>"
      "<dataValidations count=\"2\"><dataValidation type=\"list\" sqref=\"D10\">"
      "<formula1>$F$10:$F$12</formula1></dataValidation>"
      "<dataValidation type=\"whole\" sqref=\"D4\"><formula1>1</formula1></dataValidation>"
      "</dataValidations>"
      "<extLst><ext uri=\"{78C0D931-6437-407d-A8EE-F0AAD7539E65}\" "
      "xmlns:x14=\"http://schemas.microsoft.com/office/spreadsheetml/2009/9/main\">"
      "<x14:conditionalFormattings><x14:conditionalFormatting "
      "xmlns:xm=\"http://schemas.microsoft.com/office/excel/2006/main\"><x14:cfRule "
      "type=\"dataBar\" id=\"{1}\"><x14:dataBar><x14:cfvo type=\"num\"><xm:f>Sheet1!$E$10</xm:f>"
      "</x14:cfvo></x14:dataBar></x14:cfRule><xm:sqref>E10:E12</xm:sqref>"
      "</x14:conditionalFormatting></x14:conditionalFormattings></ext></extLst>";
  Workbook book = Workbook::LoadFromMemory(HandMadeWorkbook(parts));
  InsertCopiedRows(book.ActiveSheet(), 3, "8:8");
  const pugi::xml_document xml = testing::SheetXml(book);
  EXPECT_EQ(Attribute(xml, "//conditionalFormatting", "sqref"), "A13:A15 C3");
  EXPECT_EQ(Text(xml, "//cfRule/formula"), "$B13>$B$23");
  EXPECT_EQ(Attribute(xml, "//dataValidation[@type='list']", "sqref"), "D13");
  EXPECT_EQ(Text(xml, "//dataValidation[@type='list']/formula1"), "$F$13:$F$15");
  EXPECT_EQ(Attribute(xml, "//dataValidation[@type='whole']", "sqref"), "D4");
  EXPECT_EQ(Text(xml, "//xm:sqref"), "E13:E15");
  EXPECT_EQ(Text(xml, "//xm:f"), "Sheet1!$E$13");
}

TEST(DrawingAnchors, MoveAndSizeWithCellsOneCellAndAbsoluteAsTheySay) {
  const std::string anchor_parts =
      "<xdr:col>1</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>%FROM%</xdr:row>"
      "<xdr:rowOff>5</xdr:rowOff>";
  const auto corner = [&](const char* name, int row) {
    std::string text = anchor_parts;
    text.replace(text.find("%FROM%"), 6, std::to_string(row));
    return std::string("<xdr:") + name + ">" + text + "</xdr:" + name + ">";
  };
  const auto anchor = [&](const std::string& edit_as, int from, int to, const char* name) {
    return "<xdr:twoCellAnchor" + edit_as + ">" + corner("from", from) + corner("to", to) +
           "<xdr:sp><xdr:nvSpPr><xdr:cNvPr id=\"2\" name=\"" + name +
           "\"/></xdr:nvSpPr></xdr:sp><xdr:clientData/></xdr:twoCellAnchor>";
  };
  const std::string drawing =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><xdr:wsDr "
      "xmlns:xdr=\"http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing\">" +
      anchor("", 4, 9, "two") + anchor(" editAs=\"oneCell\"", 4, 9, "one") +
      anchor(" editAs=\"absolute\"", 4, 9, "abs") + anchor("", 1, 2, "above") + "</xdr:wsDr>";
  HandMadeParts parts;
  parts.sheet1 = "<sheetData/><drawing r:id=\"rId1\"/>";
  parts.sheet1_relationships = Relationship("rId1", "drawing", "../drawings/drawing1.xml");
  parts.content_type_overrides = Override(
      "/xl/drawings/drawing1.xml", "application/vnd.openxmlformats-officedocument.drawing+xml");
  parts.extra_parts = {{"xl/drawings/drawing1.xml", drawing}};
  Workbook book = Workbook::LoadFromMemory(HandMadeWorkbook(parts));

  // Rows 8 and 9 (1-based) lie inside the objects that span rows 5 to 10.
  InsertCopiedRows(book.ActiveSheet(), 1, "8:9");
  pugi::xml_document xml = PartXml(book.SaveToMemory(), "xl/drawings/drawing1.xml");
  const auto rows = [&](const char* name) {
    const std::string base = std::string("//xdr:twoCellAnchor[.//xdr:cNvPr[@name='") + name + "']]";
    return Text(xml, (base + "/xdr:from/xdr:row").c_str()) + "-" +
           Text(xml, (base + "/xdr:to/xdr:row").c_str());
  };
  EXPECT_EQ(rows("two"), "4-11");  // grows over the inserted rows
  EXPECT_EQ(rows("one"), "4-9");   // keeps its size
  EXPECT_EQ(rows("abs"), "4-9");
  EXPECT_EQ(rows("above"), "1-2");

  DeleteRows(book.ActiveSheet(), 1, "1:6");
  xml = PartXml(book.SaveToMemory(), "xl/drawings/drawing1.xml");
  EXPECT_EQ(rows("two"), "0-5");
  EXPECT_EQ(rows("one"), "0-5");
  EXPECT_EQ(rows("abs"), "4-9");
  EXPECT_EQ(rows("above"), "0-0");
  EXPECT_EQ(Text(xml, "//xdr:twoCellAnchor[.//xdr:cNvPr[@name='two']]/xdr:from/xdr:rowOff"), "0");
}

TEST(HostileNumbers, OutOfRangeIndicesInPartsAreHeldToTheSheet) {
  const std::string drawing =
      "<xdr:wsDr xmlns:xdr=\"http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing\">"
      "<xdr:twoCellAnchor><xdr:from><xdr:col>-7</xdr:col><xdr:colOff>0</xdr:colOff>"
      "<xdr:row>99999999999</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:from><xdr:to>"
      "<xdr:col>2147483647</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>2147483647</xdr:row>"
      "<xdr:rowOff>0</xdr:rowOff></xdr:to><xdr:clientData/></xdr:twoCellAnchor></xdr:wsDr>";
  HandMadeParts parts;
  parts.sheet1 =
      "<cols><col min=\"-5\" max=\"2147483647\" width=\"9\"/></cols><sheetData/>"
      "<rowBreaks count=\"1\"><brk id=\"2147483647\" man=\"1\"/></rowBreaks>"
      "<colBreaks count=\"1\"><brk id=\"-2147483648\" man=\"1\"/></colBreaks>"
      "<drawing r:id=\"rId1\"/>";
  parts.sheet1_relationships = Relationship("rId1", "drawing", "../drawings/drawing1.xml");
  parts.extra_parts = {{"xl/drawings/drawing1.xml", drawing}};
  Workbook book = Workbook::LoadFromMemory(HandMadeWorkbook(parts));
  EXPECT_NO_THROW(InsertCopiedRows(book.ActiveSheet(), 3, "2:2"));
  EXPECT_NO_THROW(InsertColumns(book.ActiveSheet(), 2, "A:A"));
  EXPECT_NO_THROW(DeleteRows(book.ActiveSheet(), 2, "1:1"));
  const std::string saved = book.SaveToMemory();
  const pugi::xml_document anchors = PartXml(saved, "xl/drawings/drawing1.xml");
  EXPECT_LE(std::stoll(Text(anchors, "//xdr:to/xdr:row")), 1048576);
  const pugi::xml_document sheet = PartXml(saved, "xl/worksheets/sheet1.xml");
  EXPECT_LE(std::stoll(Attribute(sheet, "//col", "max")), 16384);
}

TEST(RelatedParts, TablesNotesAndChartsFollowTheirCells) {
  const std::string table =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><table "
      "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" id=\"1\" name=\"T\" "
      "displayName=\"T\" ref=\"A3:B6\"><autoFilter ref=\"A3:B6\"/><tableColumns count=\"2\">"
      "<tableColumn id=\"1\" name=\"X\"/><tableColumn id=\"2\" name=\"Y\"/></tableColumns></table>";
  const std::string comments =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><comments "
      "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><authors><author>a"
      "</author></authors><commentList><comment ref=\"B4\" authorId=\"0\"><text><t>four</t>"
      "</text></comment><comment ref=\"B9\" authorId=\"0\"><text><t>nine</t></text></comment>"
      "</commentList></comments>";
  const std::string vml =
      "<xml xmlns:v=\"urn:schemas-microsoft-com:vml\" "
      "xmlns:x=\"urn:schemas-microsoft-com:office:excel\">"
      "<v:shape id=\"s1\"><x:ClientData ObjectType=\"Note\"><x:Anchor>2, 15, 3, 2, 4, 15, 7, 4"
      "</x:Anchor><x:Row>3</x:Row><x:Column>1</x:Column></x:ClientData></v:shape>"
      "<v:shape id=\"s2\"><x:ClientData ObjectType=\"Note\"><x:Anchor>2, 15, 8, 2, 4, 15, 12, 4"
      "</x:Anchor><x:Row>8</x:Row><x:Column>1</x:Column></x:ClientData></v:shape></xml>";
  const std::string chart =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><c:chartSpace "
      "xmlns:c=\"http://schemas.openxmlformats.org/drawingml/2006/chart\"><c:chart><c:plotArea>"
      "<c:lineChart><c:ser><c:val><c:numRef><c:f>'Sheet1'!$B$4:$B$6</c:f></c:numRef></c:val>"
      "</c:ser><c:ser><c:val><c:numRef><c:f>Other!$B$4:$B$6</c:f></c:numRef></c:val></c:ser>"
      "</c:lineChart></c:plotArea></c:chart></c:chartSpace>";
  HandMadeParts parts;
  parts.sheet1 =
      "<sheetData/><legacyDrawing r:id=\"rId2\"/><tableParts count=\"1\">"
      "<tablePart r:id=\"rId1\"/></tableParts>";
  parts.sheet1_relationships = Relationship("rId1", "table", "../tables/table1.xml") +
                               Relationship("rId2", "vmlDrawing", "../drawings/vmlDrawing1.vml") +
                               Relationship("rId3", "comments", "../comments1.xml");
  parts.content_type_overrides =
      Override("/xl/tables/table1.xml",
               "application/vnd.openxmlformats-officedocument.spreadsheetml.table+xml") +
      Override("/xl/comments1.xml",
               "application/vnd.openxmlformats-officedocument.spreadsheetml.comments+xml") +
      Override("/xl/charts/chart1.xml",
               "application/vnd.openxmlformats-officedocument.drawingml.chart+xml") +
      Override("/xl/drawings/vmlDrawing1.vml",
               "application/vnd.openxmlformats-officedocument.vmlDrawing");
  parts.extra_parts = {{"xl/tables/table1.xml", table},
                       {"xl/comments1.xml", comments},
                       {"xl/drawings/vmlDrawing1.vml", vml},
                       {"xl/charts/chart1.xml", chart}};
  Workbook book = Workbook::LoadFromMemory(HandMadeWorkbook(parts));
  InsertCopiedRows(book.ActiveSheet(), 2, "5:5");
  InsertColumns(book.ActiveSheet(), 1, "B:B");
  DeleteRows(book.ActiveSheet(), 1, "11:11");  // the note that was on B9

  const std::string saved = book.SaveToMemory();
  const pugi::xml_document table_xml = PartXml(saved, "xl/tables/table1.xml");
  EXPECT_EQ(Attribute(table_xml, "/table", "ref"), "A3:C8");
  EXPECT_EQ(Attribute(table_xml, "//autoFilter", "ref"), "A3:C8");
  EXPECT_EQ(Attribute(table_xml, "//tableColumns", "count"), "3");
  EXPECT_EQ(Attribute(table_xml, "//tableColumn[2]", "name"), "Column1");
  EXPECT_EQ(Attribute(table_xml, "//tableColumn[3]", "name"), "Y");

  const pugi::xml_document comments_xml = PartXml(saved, "xl/comments1.xml");
  EXPECT_EQ(comments_xml.select_nodes("//comment").size(), 1u);
  EXPECT_EQ(Attribute(comments_xml, "//comment", "ref"), "C4");

  const pugi::xml_document vml_xml = PartXml(saved, "xl/drawings/vmlDrawing1.vml");
  EXPECT_EQ(vml_xml.select_nodes("//v:shape").size(), 1u);
  EXPECT_EQ(Text(vml_xml, "//x:Row"), "3");
  EXPECT_EQ(Text(vml_xml, "//x:Column"), "2");
  EXPECT_EQ(Text(vml_xml, "//x:Anchor"), "3, 15, 3, 2, 5, 15, 7, 4");

  const pugi::xml_document chart_xml = PartXml(saved, "xl/charts/chart1.xml");
  EXPECT_EQ(Text(chart_xml, "//c:ser[1]//c:f"), "'Sheet1'!$C$4:$C$8");
  EXPECT_EQ(Text(chart_xml, "//c:ser[2]//c:f"), "Other!$B$4:$B$6");
}

TEST(DefinedNames, GlobalAndSheetLocalNamesAndPrintTitlesFollow) {
  HandMadeParts parts;
  parts.defined_names =
      "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"0\">Sheet1!$A$1:$F$20</definedName>"
      "<definedName name=\"_xlnm.Print_Titles\" localSheetId=\"0\">Sheet1!$13:$13</definedName>"
      "<definedName name=\"Local\" localSheetId=\"1\">$A$15</definedName>"
      "<definedName name=\"Cell\">'Sheet1'!$B$15</definedName>"
      "<definedName name=\"Elsewhere\">Other!$B$15</definedName>";
  Workbook book = Workbook::LoadFromMemory(HandMadeWorkbook(parts));
  InsertCopiedRows(book.ActiveSheet(), 4, "14:14");
  const pugi::xml_document xml = PartXml(book.SaveToMemory(), "xl/workbook.xml");
  EXPECT_EQ(Text(xml, "//definedName[@name='_xlnm.Print_Area']"), "Sheet1!$A$1:$F$24");
  EXPECT_EQ(Text(xml, "//definedName[@name='_xlnm.Print_Titles']"), "Sheet1!$13:$13");
  EXPECT_EQ(Text(xml, "//definedName[@name='Local']"), "$A$15");  // local to Other
  EXPECT_EQ(Text(xml, "//definedName[@name='Cell']"), "'Sheet1'!$B$19");
  EXPECT_EQ(Text(xml, "//definedName[@name='Elsewhere']"), "Other!$B$15");
}

// One helper adjusts every element that holds a formula as text. An element whose formula
// the shift leaves alone keeps its bytes, so that the parts an edit does not concern are
// saved as read.
TEST(FormulaElements, ChangeOnlyWhereTheShiftMovesAReference) {
  struct Case {
    const char* element;
    const char* formula_sheet;
    const char* expected;
  };
  const Case cases[] = {
      {"<f>B5*2</f>", "Sheet1", "<f>B7*2</f>"},
      {"<formula1>B5*2</formula1>", "Other", "<formula1>B5*2</formula1>"},
      {"<definedName>Sheet1!$B$5</definedName>", "", "<definedName>Sheet1!$B$7</definedName>"},
      {"<f>B2+Other!B5</f>", "Sheet1", "<f>B2+Other!B5</f>"},
      {"<f/>", "Sheet1", "<f/>"},
  };
  for (const Case& c : cases) {
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(c.element));
    AdjustFormulaElement(doc.first_child(), c.formula_sheet, "Sheet1", {Shift::Axis::kRows, 3, 2});
    std::ostringstream saved;
    doc.save(saved, "", pugi::format_raw | pugi::format_no_declaration);
    EXPECT_EQ(saved.str(), c.expected) << c.element;
  }
}

}  // namespace
}  // namespace korvanta::workbook
