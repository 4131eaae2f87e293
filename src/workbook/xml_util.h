// Small pugixml helpers shared by the package parts: names without namespace prefixes,
// parsing that reports damage as WorkbookError, faithful serialisation and escaping.
#pragma once

#include <functional>
#include <pugixml.hpp>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta::workbook {

// "x:row" -> "row". Producers differ in the prefixes they bind, so parts are read by local name.
std::string_view LocalName(std::string_view qualified);
std::string_view LocalName(const pugi::xml_node& node);
std::string_view LocalName(const pugi::xml_attribute& attribute);

pugi::xml_node FirstChild(pugi::xml_node parent, std::string_view local_name);
// The elements below `root` (not `root` itself) that `wanted` accepts, in document order.
std::vector<pugi::xml_node> Descendants(pugi::xml_node root,
                                        const std::function<bool(pugi::xml_node)>& wanted);
std::vector<pugi::xml_node> DescendantsNamed(pugi::xml_node root, std::string_view local_name);
// The attribute with this local name; `r:id` is found as "id" only when `prefixed` is set.
pugi::xml_attribute FindAttribute(pugi::xml_node node, std::string_view local_name,
                                  bool prefixed = false);
// `local_name` with the prefix that `sibling_or_parent` itself uses ("x:mergeCells").
std::string SameNamespaceName(pugi::xml_node sibling_or_parent, std::string_view local_name);

// The child `local_name` of `parent`, created at its place in `order` when missing.
pugi::xml_node ChildInSchemaOrder(pugi::xml_node parent, std::string_view local_name,
                                  std::span<const std::string_view> order);

// Parses a part faithfully (declaration, comments, whitespace kept); broken XML throws
// WorkbookError naming the workbook and the part.
void ParseXml(pugi::xml_document& doc, std::string_view text, std::string_view workbook_name,
              std::string_view part_name);
std::string SerializeXml(const pugi::xml_node& node);
// The declaration office applications give the parts they write: version 1.0, UTF-8, standalone.
void AppendStandaloneDeclaration(pugi::xml_document& doc);

void AppendEscapedText(std::string& out, std::string_view text);
void AppendEscapedAttribute(std::string& out, std::string_view text);

// Keeps what XML 1.0 can carry: bytes that are not UTF-8 and control characters other than
// tab, line feed and carriage return are dropped, as are U+FFFE and U+FFFF.
std::string XmlSafeText(std::string_view text);

// Case-insensitive ASCII comparison and search (part names, sheet names in formulas).
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool ContainsIgnoreCase(std::string_view haystack, std::string_view needle);

}  // namespace korvanta::workbook
