// Opening packages: hostile and damaged files are refused with a clear message, the active
// sheet is found, untouched parts are written back byte for byte, the calculation chain goes.
#include "workbook/package.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "workbook/cell_writing.h"
#include "workbook/workbook.h"
#include "workbook_fixtures.h"

namespace korvanta::workbook {
namespace {

using testing::HandMadeParts;
using testing::HandMadeWorkbook;
using testing::NumberAt;
using testing::Reopened;
using testing::StoredZipEntry;
using testing::TextAt;
using testing::ZipEntries;
using testing::ZipEntry;
using testing::ZipOf;

// The message of the WorkbookError that loading `bytes` throws ("" when it loads).
std::string LoadError(const std::string& bytes) {
  try {
    Workbook::LoadFromMemory(bytes, "bad.xlsx");
  } catch (const WorkbookError& error) {
    return error.what();
  }
  return {};
}

std::string SimpleBook() {
  return testing::XlsxWriterSheet([](lxw_workbook*, lxw_worksheet* sheet) {
    worksheet_write_string(sheet, 0, 0, "kept", nullptr);
  });
}

// The bytes of a zip with the declared uncompressed size of every entry set to `size`.
std::string WithDeclaredSize(std::string zip, std::uint32_t size) {
  const auto patch = [&](const char* signature, std::size_t field) {
    for (std::size_t at = zip.find(signature, 0, 4); at != std::string::npos;
         at = zip.find(signature, at + 4, 4)) {
      for (int i = 0; i < 4; ++i) zip[at + field + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
    }
  };
  patch("PK\x03\x04", 22);
  patch("PK\x01\x02", 24);
  return zip;
}

TEST(MalformedTemplates, AreRefusedWithAMessageNamingTheFile) {
  const std::string not_zip = LoadError("this is plain text, not a workbook");
  EXPECT_NE(not_zip.find("bad.xlsx"), std::string::npos) << not_zip;
  EXPECT_NE(not_zip.find("not an .xlsx"), std::string::npos) << not_zip;
  EXPECT_NE(LoadError(""), "");

  const std::string no_workbook = LoadError(ZipOf({{"readme.txt", "hello"}}));
  EXPECT_NE(no_workbook.find("bad.xlsx"), std::string::npos) << no_workbook;

  auto entries = ZipEntries(SimpleBook());
  std::erase_if(entries, [](const auto& entry) { return entry.first == "xl/workbook.xml"; });
  EXPECT_NE(LoadError(ZipOf(entries)).find("holds no workbook"), std::string::npos);
}

// The start of a compound file: its signature, then a directory naming `stream` in UTF-16LE.
std::string CompoundFileNaming(std::string_view stream) {
  std::string bytes("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  bytes.resize(1024, '\0');
  for (const char c : stream) bytes += {c, '\0'};
  bytes.resize(1536, '\0');
  return bytes;
}

TEST(MalformedTemplates, CompoundFilesAreRefusedWithWhatToDo) {
  const struct {
    std::string stream;
    std::string message;
  } cases[] = {
      {"EncryptedPackage",
       "The workbook \"bad.xlsx\" can not be opened: it is protected with a password; save it "
       "without a password."},
      {"Workbook",
       "The workbook \"bad.xlsx\" can not be opened: it is an Excel 97-2003 workbook; save it as "
       "an Excel Workbook (.xlsx)."},
  };
  for (const auto& [stream, message] : cases) {
    EXPECT_EQ(LoadError(CompoundFileNaming(stream)), message) << stream;
  }
}

TEST(MalformedTemplates, BrokenXmlNamesThePart) {
  HandMadeParts parts;
  parts.sheet1 = "<sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></row></sheetData>";
  const std::string message = LoadError(HandMadeWorkbook(parts));
  EXPECT_NE(message.find("xl/worksheets/sheet1.xml"), std::string::npos) << message;
  EXPECT_NE(message.find("not well-formed"), std::string::npos) << message;
}

// The package format forbids document type declarations in parts: one with entities (an
// "XML bomb") would expand them or, left unexpanded, turn them into literal text. A part is
// refused whatever its encoding, wherever the parser would keep the declaration, and even when
// the engine never reads it; a comment that merely mentions one is no declaration.
TEST(MalformedTemplates, DocumentTypeDeclarationsAreRefused) {
  const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
  const std::string bomb =
      "<!DOCTYPE lolz [<!ENTITY lol \"lol\"><!ENTITY lol2 \"&lol;&lol;&lol;\">]>";
  const std::string sheet =
      "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
      "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>&lol2;</t></is></c></row></sheetData>"
      "</worksheet>";
  const std::string app = "<Properties><Application>x</Application></Properties>";
  std::string utf16("\xFF\xFE", 2);
  for (const char c : "<?xml version=\"1.0\" encoding=\"UTF-16\"?><!DOCTYPE p>" + app) {
    utf16 += {c, '\0'};
  }
  const struct {
    const char* what;
    std::string part;
    std::string content;
    bool refused;
  } cases[] = {
      {"entities used in the active sheet", "xl/worksheets/sheet1.xml", declaration + bomb + sheet,
       true},
      {"after the root element", "xl/worksheets/sheet1.xml", sheet + "<!DOCTYPE worksheet>", true},
      {"a part the engine never reads", "docProps/app.xml", declaration + bomb + app, true},
      {"after a byte order mark, comments and instructions", "docProps/app.xml",
       "\xEF\xBB\xBF" + declaration + "<!-- x --><?pi x?>\n<!DOCTYPE p>" + app, true},
      {"in UTF-16", "docProps/app.xml", utf16, true},
      {"mentioned in a comment only", "docProps/app.xml", "<!-- <!DOCTYPE p> -->" + app, false},
  };
  for (const auto& [what, part, content, refused] : cases) {
    SCOPED_TRACE(what);
    auto entries = ZipEntries(HandMadeWorkbook({}));
    std::erase_if(entries, [&](const auto& entry) { return entry.first == part; });
    entries.emplace_back(part, content);
    EXPECT_EQ(LoadError(ZipOf(entries)),
              refused ? "The workbook \"bad.xlsx\" can not be opened: its part \"" + part +
                            "\" declares a document type (<!DOCTYPE ...>), which no part of a "
                            "workbook may do."
                      : "");
  }
}

TEST(MalformedTemplates, DamagedCellAddressesAreRefused) {
  HandMadeParts parts;
  parts.sheet1 = "<sheetData><row r=\"0\"><c r=\"A1\"><v>1</v></c></row></sheetData>";
  EXPECT_EQ(LoadError(HandMadeWorkbook(parts)),
            "The workbook \"bad.xlsx\" is damaged: the part \"xl/worksheets/sheet1.xml\" holds an "
            "invalid row number (\"0\").");
  parts.sheet1 = "<sheetData><row r=\"1\"><c r=\"1A\"><v>1</v></c></row></sheetData>";
  EXPECT_NE(LoadError(HandMadeWorkbook(parts)).find("damaged"), std::string::npos);
  parts.sheet1 = "<sheetData><row r=\"2\"/><row r=\"2\"><c r=\"A2\"><v>1</v></c></row></sheetData>";
  EXPECT_NE(LoadError(HandMadeWorkbook(parts)).find("appears twice"), std::string::npos);
}

TEST(HostileZips, EntriesLeavingThePackageAreRefused) {
  for (const char* name :
       {"../evil.xml", "xl/../../evil.xml", "/etc/evil", "xl\\evil.xml", "C:/evil.xml"}) {
    auto entries = ZipEntries(SimpleBook());
    entries.emplace_back(name, "x");
    const std::string message = LoadError(ZipOf(entries));
    EXPECT_NE(message.find("unsafe name"), std::string::npos) << name << ": " << message;
  }
}

TEST(HostileZips, HugeDeclaredSizesAreRefusedBeforeAnythingIsUnpacked) {
  const std::string zip = ZipOf({{"[Content_Types].xml", "<Types/>"}, {"big.bin", "tiny"}});
  const std::string message = LoadError(WithDeclaredSize(zip, 300u << 20));
  EXPECT_NE(message.find("too large"), std::string::npos) << message;

  // Entries that fit alone may still exceed the total.
  PackageLimits limits;
  limits.max_entry_bytes = 8;
  limits.max_total_bytes = 12;
  const std::string two = ZipOf({{"a", "12345678"}, {"b", "12345678"}});
  EXPECT_THROW(Package::FromZip(two, "two", limits), WorkbookError);
  limits.max_total_bytes = 16;
  EXPECT_NO_THROW(Package::FromZip(two, "two", limits));
}

TEST(HostileZips, DeclaredSizesThatLieAreRefused) {
  const std::string zip = ZipOf({{"[Content_Types].xml", "<Types/>"}, {"a.bin", "0123456789"}});
  EXPECT_THROW(Package::FromZip(WithDeclaredSize(zip, 4), "lying"), WorkbookError);
  EXPECT_THROW(Package::FromZip(WithDeclaredSize(zip, 20), "lying"), WorkbookError);
}

// The local headers as bsdtar writes them: the "sizes follow the data" flag set, yet the
// inflated size given, the checksum and the compressed size left zero.
std::string WithSizesAfterTheData(std::string zip) {
  for (std::size_t at = zip.find("PK\x03\x04", 0, 4); at != std::string::npos;
       at = zip.find("PK\x03\x04", at + 4, 4)) {
    zip[at + 6] = static_cast<char>(zip[at + 6] | 0x08);
    std::fill_n(zip.begin() + static_cast<std::ptrdiff_t>(at + 14), 8, '\0');
  }
  for (std::size_t at = zip.find("PK\x01\x02", 0, 4); at != std::string::npos;
       at = zip.find("PK\x01\x02", at + 4, 4)) {
    zip[at + 8] = static_cast<char>(zip[at + 8] | 0x08);
  }
  return zip;
}

TEST(ForeignZips, EntriesWithSizesAfterTheDataAreReadByTheCentralDirectory) {
  const std::string original = SimpleBook();
  Workbook book = Workbook::LoadFromMemory(WithSizesAfterTheData(original));
  EXPECT_EQ(TextAt(book.ActiveSheet(), "A1"), "kept");
  EXPECT_EQ(ZipEntry(book.SaveToMemory(), "xl/styles.xml"), ZipEntry(original, "xl/styles.xml"));
}

TEST(ActiveSheet, IsTheSheetTheWorkbookViewMarks) {
  const std::string bytes = testing::XlsxWriterWorkbook([](lxw_workbook* book) {
    workbook_add_worksheet(book, "First");
    lxw_worksheet* second = workbook_add_worksheet(book, "Second");
    worksheet_activate(second);
    worksheet_write_string(second, 0, 0, "here", nullptr);
  });
  Workbook book = Workbook::LoadFromMemory(bytes);
  EXPECT_EQ(book.ActiveSheet().Name(), "Second");
  EXPECT_EQ(testing::TextAt(book.ActiveSheet(), "A1"), "here");
  EXPECT_EQ(book.ActiveSheet().LastRow(), 1);
  EXPECT_EQ(book.ActiveSheet().LastColumn(), 1);
}

TEST(Saving, PartsThatAreNotEditedAreWrittenBackByteForByte) {
  const std::string original = SimpleBook();
  Workbook book = Workbook::LoadFromMemory(original);
  WriteIntegerCell(book.ActiveSheet(), 'B', 2, 5);
  const auto saved = ZipEntries(book.SaveToMemory());
  ASSERT_EQ(saved.front().first, "[Content_Types].xml");
  int compared = 0;
  for (const auto& [name, content] : ZipEntries(original)) {
    if (name == "xl/worksheets/sheet1.xml" || name == "xl/workbook.xml") continue;
    for (const auto& [saved_name, saved_content] : saved) {
      if (saved_name != name) continue;
      EXPECT_EQ(saved_content, content) << name;
      ++compared;
    }
  }
  EXPECT_GE(compared, 6);  // styles, theme, document properties, strings, relationships
}

TEST(Saving, PartsTheEditsLeaveAsTheyWereKeepTheirBytes) {
  // Spellings a serialiser would change: CR LF, an empty element written open and closed, a
  // character reference. The other sheet names Sheet1 and the drawing sits above the edit, so
  // both are looked at and found untouched.
  const std::string other_sheet =
      "<sheetData>\r\n<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Sheet1&#x27;s "
      "total</t></is></c><c r=\"B1\"><f>Sheet1!A1</f></c></row>\r\n</sheetData>"
      "<headerFooter></headerFooter>";
  const std::string drawing =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<xdr:wsDr "
      "xmlns:xdr=\"http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing\">\r\n"
      "<xdr:twoCellAnchor><xdr:from><xdr:col>0</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>0"
      "</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:from><xdr:to><xdr:col>2</xdr:col><xdr:colOff>0"
      "</xdr:colOff><xdr:row>2</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:to><xdr:clientData>"
      "</xdr:clientData></xdr:twoCellAnchor>\r\n</xdr:wsDr>";
  HandMadeParts parts;
  parts.sheet1 = "<sheetData><row r=\"5\"><c r=\"A5\"><v>1</v></c></row></sheetData>";
  parts.sheet2 = other_sheet;
  parts.sheet1_relationships =
      "<Relationship Id=\"rId9\" Target=\"../drawings/drawing1.xml\" "
      "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/drawing\"/>";
  parts.extra_parts = {{"xl/drawings/drawing1.xml", drawing}};
  const std::string original = HandMadeWorkbook(parts);

  Workbook book = Workbook::LoadFromMemory(original);
  InsertCopiedRows(book.ActiveSheet(), 3, "5:5");
  InsertColumns(book.ActiveSheet(), 2, "D:D");
  const std::string saved = book.SaveToMemory();
  for (const char* name : {"xl/worksheets/sheet2.xml", "xl/drawings/drawing1.xml"}) {
    EXPECT_EQ(ZipEntry(saved, name), ZipEntry(original, name)) << name;
    EXPECT_EQ(StoredZipEntry(saved, name), StoredZipEntry(original, name)) << name;
  }
  EXPECT_EQ(NumberAt(Reopened(book).ActiveSheet(), "A8"), 1);
}

TEST(Saving, UneditedPartsAreCopiedWithoutCompressingThemAgain) {
  const std::string original = SimpleBook();
  Workbook book = Workbook::LoadFromMemory(original);
  WriteIntegerCell(book.ActiveSheet(), 'B', 2, 5);
  const std::string saved = book.SaveToMemory();
  for (const char* name : {"xl/styles.xml", "xl/theme/theme1.xml", "docProps/app.xml"}) {
    const auto before = StoredZipEntry(original, name);
    ASSERT_EQ(before.second, ZIP_CM_DEFLATE) << name;
    EXPECT_EQ(StoredZipEntry(saved, name), before) << name;
  }
  EXPECT_NE(StoredZipEntry(saved, "xl/worksheets/sheet1.xml"),
            StoredZipEntry(original, "xl/worksheets/sheet1.xml"));
  EXPECT_EQ(TextAt(Reopened(book).ActiveSheet(), "A1"), "kept");
}

TEST(Saving, StoredPartsAreDeflated) {
  // A template whose entries are stored uncompressed, as some zip tools write them.
  const std::string stored_book = ZipOf(ZipEntries(SimpleBook()), false);
  ASSERT_EQ(StoredZipEntry(stored_book, "xl/theme/theme1.xml").second, ZIP_CM_STORE);

  const std::string saved = Workbook::LoadFromMemory(stored_book).SaveToMemory();
  EXPECT_EQ(StoredZipEntry(saved, "xl/theme/theme1.xml").second, ZIP_CM_DEFLATE);
  EXPECT_EQ(ZipEntry(saved, "xl/theme/theme1.xml"), ZipEntry(stored_book, "xl/theme/theme1.xml"));
}

TEST(Saving, DropsTheCalculationChainAndAsksForFullRecalculation) {
  HandMadeParts parts;
  parts.sheet1 = "<sheetData><row r=\"1\"><c r=\"A1\"><f>1+1</f><v>2</v></c></row></sheetData>";
  parts.defined_names = "<definedName name=\"N\">Sheet1!$A$1</definedName>";
  parts.content_type_overrides =
      "<Override PartName=\"/xl/calcChain.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml\"/>";
  parts.extra_parts = {{"xl/calcChain.xml", "<calcChain><c r=\"A1\" i=\"1\"/></calcChain>"}};
  auto entries = ZipEntries(HandMadeWorkbook(parts));
  for (auto& [name, content] : entries) {
    if (name != "xl/_rels/workbook.xml.rels") continue;
    content.insert(content.find("</Relationships>"),
                   "<Relationship Id=\"rId7\" Type=\"http://schemas.openxmlformats.org/"
                   "officeDocument/2006/relationships/calcChain\" Target=\"calcChain.xml\"/>");
  }
  const std::string saved = Workbook::LoadFromMemory(ZipOf(entries)).SaveToMemory();
  EXPECT_EQ(testing::ZipEntry(saved, "xl/calcChain.xml"), "");
  EXPECT_EQ(testing::ZipEntry(saved, "[Content_Types].xml").find("calcChain"), std::string::npos);
  EXPECT_EQ(testing::ZipEntry(saved, "xl/_rels/workbook.xml.rels").find("calcChain"),
            std::string::npos);
  const pugi::xml_document workbook = testing::PartXml(saved, "xl/workbook.xml");
  const pugi::xml_node calc = workbook.select_node("/workbook/calcPr").node();
  EXPECT_STREQ(calc.attribute("fullCalcOnLoad").value(), "1");
  EXPECT_STREQ(calc.previous_sibling().name(), "definedNames");  // in schema order
}

TEST(Saving, MissingSheetElementsAreAddedInSchemaOrder) {
  HandMadeParts parts;
  parts.sheet1 =
      "<sheetData/><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" "
      "bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/>";
  Workbook book = Workbook::LoadFromMemory(HandMadeWorkbook(parts));
  WriteIntegerCell(book.ActiveSheet(), 'C', 3, 1);
  const pugi::xml_document sheet = testing::SheetXml(book);
  std::string order;
  for (pugi::xml_node child : sheet.document_element().children()) {
    order += std::string(child.name()) + " ";
  }
  EXPECT_EQ(order, "dimension sheetData pageMargins ");
  EXPECT_STREQ(sheet.select_node("//dimension").node().attribute("ref").value(), "C3");
}

TEST(Saving, EqualInputAndEntryTimeGiveEqualBytes) {
  const SaveOptions fixed{std::time_t{1700000000}};
  Workbook first = Workbook::LoadFromMemory(SimpleBook());
  Workbook second = Workbook::LoadFromMemory(SimpleBook());
  WriteTextCell(first.ActiveSheet(), 'A', 2, "same");
  WriteTextCell(second.ActiveSheet(), 'A', 2, "same");
  EXPECT_EQ(first.SaveToMemory(fixed), second.SaveToMemory(fixed));
}

}  // namespace
}  // namespace korvanta::workbook
