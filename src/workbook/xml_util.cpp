#include "workbook/xml_util.h"

#include <algorithm>

#include "text/utf8.h"
#include "workbook/workbook.h"

namespace korvanta::workbook {
namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

enum class EscapeContext { kText, kAttribute };

// The entity `c` must be written as, or nothing where it may stand as itself. Carriage returns
// are kept from line-end normalisation everywhere; in attribute values also the quote, line
// feeds and tabs, which a reader would otherwise turn into blanks.
const char* EntityFor(char c, EscapeContext context) {
  const bool attribute = context == EscapeContext::kAttribute;
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '\r':
      return "&#13;";
    case '"':
      return attribute ? "&quot;" : nullptr;
    case '\n':
      return attribute ? "&#10;" : nullptr;
    case '\t':
      return attribute ? "&#9;" : nullptr;
    default:
      return nullptr;
  }
}

void AppendEscaped(std::string& out, std::string_view text, EscapeContext context) {
  for (const char c : text) {
    if (const char* entity = EntityFor(c, context)) {
      out += entity;
    } else {
      out += c;
    }
  }
}

struct StringWriter : pugi::xml_writer {
  std::string text;
  void write(const void* data, std::size_t size) override {
    text.append(static_cast<const char*>(data), size);
  }
};

bool XmlCanHold(char32_t code_point) {
  if (code_point < 0x20) return code_point == '\t' || code_point == '\n' || code_point == '\r';
  return code_point != 0xFFFE && code_point != 0xFFFF;
}

}  // namespace

std::string_view LocalName(std::string_view qualified) {
  const auto colon = qualified.find(':');
  return colon == std::string_view::npos ? qualified : qualified.substr(colon + 1);
}

std::string_view LocalName(const pugi::xml_node& node) { return LocalName(node.name()); }

std::string_view LocalName(const pugi::xml_attribute& attribute) {
  return LocalName(attribute.name());
}

pugi::xml_node FirstChild(pugi::xml_node parent, std::string_view local_name) {
  for (pugi::xml_node child : parent.children()) {
    if (child.type() == pugi::node_element && LocalName(child) == local_name) return child;
  }
  return {};
}

std::vector<pugi::xml_node> Descendants(pugi::xml_node root,
                                        const std::function<bool(pugi::xml_node)>& wanted) {
  struct Walker : pugi::xml_tree_walker {
    const std::function<bool(pugi::xml_node)>* wanted;
    std::vector<pugi::xml_node> found;
    bool for_each(pugi::xml_node& node) override {
      if (node.type() == pugi::node_element && (*wanted)(node)) found.push_back(node);
      return true;
    }
  } walker;
  walker.wanted = &wanted;
  root.traverse(walker);
  return std::move(walker.found);
}

std::vector<pugi::xml_node> DescendantsNamed(pugi::xml_node root, std::string_view local_name) {
  return Descendants(root, [&](pugi::xml_node node) { return LocalName(node) == local_name; });
}

std::vector<pugi::xml_node> ChildrenNamed(pugi::xml_node parent, std::string_view local_name) {
  std::vector<pugi::xml_node> found;
  for (pugi::xml_node child : parent.children()) {
    if (child.type() == pugi::node_element && LocalName(child) == local_name) {
      found.push_back(child);
    }
  }
  return found;
}

pugi::xml_attribute FindAttribute(pugi::xml_node node, std::string_view local_name, bool prefixed) {
  for (pugi::xml_attribute attribute : node.attributes()) {
    const std::string_view name = attribute.name();
    const bool has_prefix = name.find(':') != std::string_view::npos;
    if (has_prefix == prefixed && LocalName(name) == local_name && !name.starts_with("xmlns")) {
      return attribute;
    }
  }
  return {};
}

std::string SameNamespaceName(pugi::xml_node sibling_or_parent, std::string_view local_name) {
  const std::string_view name = sibling_or_parent.name();
  const auto colon = name.find(':');
  if (colon == std::string_view::npos) return std::string(local_name);
  return std::string(name.substr(0, colon + 1)) + std::string(local_name);
}

pugi::xml_node ChildInSchemaOrder(pugi::xml_node parent, std::string_view local_name,
                                  std::span<const std::string_view> order) {
  if (pugi::xml_node existing = FirstChild(parent, local_name)) return existing;
  const auto rank = [&](std::string_view name) {
    return static_cast<std::size_t>(std::find(order.begin(), order.end(), name) - order.begin());
  };
  const std::size_t wanted = rank(local_name);
  const std::string name = SameNamespaceName(parent, local_name);
  for (pugi::xml_node child : parent.children()) {
    if (child.type() == pugi::node_element && rank(LocalName(child)) > wanted) {
      return parent.insert_child_before(name.c_str(), child);
    }
  }
  return parent.append_child(name.c_str());
}

void ParseXml(pugi::xml_document& doc, std::string_view text, std::string_view workbook_name,
              std::string_view part_name) {
  const pugi::xml_parse_result result = doc.load_buffer(
      text.data(), text.size(), pugi::parse_full | pugi::parse_ws_pcdata, pugi::encoding_auto);
  if (!result || !doc.document_element()) {
    throw DamagedPart(workbook_name, part_name,
                      std::string("is not well-formed XML (") + result.description() + " at byte " +
                          std::to_string(result.offset) + ").");
  }
  // The parser keeps a declaration that follows the root element, which the opening check of
  // the prolog does not see.
  for (pugi::xml_node child : doc.children()) {
    if (child.type() == pugi::node_doctype) throw DocumentTypeDeclared(workbook_name, part_name);
  }
}

std::string SerializeXml(const pugi::xml_node& node) {
  StringWriter writer;
  if (node.type() == pugi::node_document) {
    static_cast<const pugi::xml_document&>(node).save(
        writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
  } else {
    node.print(writer, "", pugi::format_raw, pugi::encoding_utf8);
  }
  return std::move(writer.text);
}

void AppendStandaloneDeclaration(pugi::xml_document& doc) {
  pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
  declaration.append_attribute("version") = "1.0";
  declaration.append_attribute("encoding") = "UTF-8";
  declaration.append_attribute("standalone") = "yes";
}

void AppendEscapedText(std::string& out, std::string_view text) {
  AppendEscaped(out, text, EscapeContext::kText);
}

void AppendEscapedAttribute(std::string& out, std::string_view text) {
  AppendEscaped(out, text, EscapeContext::kAttribute);
}

std::string XmlSafeText(std::string_view text) {
  std::string safe;
  safe.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t code_point = 0;
    const std::size_t length = text::DecodeUtf8(text, i, code_point);
    if (length == 0) {
      ++i;
      continue;
    }
    if (XmlCanHold(code_point)) safe.append(text.substr(i, length));
    i += length;
  }
  return safe;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

bool ContainsIgnoreCase(std::string_view haystack, std::string_view needle) {
  return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                     [](char x, char y) { return AsciiLower(x) == AsciiLower(y); }) !=
         haystack.end();
}

}  // namespace korvanta::workbook
