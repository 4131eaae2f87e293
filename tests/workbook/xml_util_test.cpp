#include "workbook/xml_util.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>
#include <string>

namespace korvanta::workbook {
namespace {

std::string EscapedText(std::string_view text) {
  std::string out;
  AppendEscapedText(out, text);
  return out;
}

std::string EscapedAttribute(std::string_view text) {
  std::string out;
  AppendEscapedAttribute(out, text);
  return out;
}

TEST(XmlEscape, TextEscapesMarkupAndCarriageReturnsOnly) {
  EXPECT_EQ(EscapedText("a&b<c>d\re"), "a&amp;b&lt;c&gt;d&#13;e");
  // Quotes, line feeds and tabs are safe in element content and stay as they are.
  EXPECT_EQ(EscapedText("\"x\"\n\t'y'"), "\"x\"\n\t'y'");
  EXPECT_EQ(EscapedText(""), "");
}

TEST(XmlEscape, AttributeAlsoEscapesQuotesAndWhiteSpaceReadersWouldFold) {
  EXPECT_EQ(EscapedAttribute("a&b<c>d\re"), "a&amp;b&lt;c&gt;d&#13;e");
  EXPECT_EQ(EscapedAttribute("\"x\"\n\t'y'"), "&quot;x&quot;&#10;&#9;'y'");
}

TEST(XmlEscape, AppendsToWhatIsThere) {
  std::string out = "<t>";
  AppendEscapedText(out, "1<2");
  EXPECT_EQ(out, "<t>1&lt;2");
}

TEST(XmlEscape, AParserReadsBackExactlyWhatWasEscaped) {
  const std::string original = "R&D <\"1\"> \r\n\tline 2 \xC3\xA9";
  const std::string xml =
      "<a v=\"" + EscapedAttribute(original) + "\">" + EscapedText(original) + "</a>";
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(xml.c_str()));
  EXPECT_EQ(std::string(doc.child("a").attribute("v").value()), original);
  EXPECT_EQ(std::string(doc.child("a").text().get()), original);
}

}  // namespace
}  // namespace korvanta::workbook
