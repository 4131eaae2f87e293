#include "workbook/shared_strings.h"

#include "text/utf8.h"
#include "workbook/opc.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

constexpr std::string_view kSharedStringsPart = "xl/sharedStrings.xml";

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// True when text[i..] reads "_xHHHH_".
bool IsEscapeAt(std::string_view text, std::size_t i) {
  if (i + 7 > text.size() || text[i] != '_' || text[i + 1] != 'x' || text[i + 6] != '_') {
    return false;
  }
  for (std::size_t k = 2; k < 6; ++k) {
    if (!IsHexDigit(text[i + k])) return false;
  }
  return true;
}

// A string item that is one unformatted text, so an equal new text may reuse it.
bool IsPlainItem(pugi::xml_node item) {
  int elements = 0;
  for (pugi::xml_node child : item.children()) {
    if (child.type() != pugi::node_element) continue;
    if (LocalName(child) != "t") return false;
    ++elements;
  }
  return elements == 1;
}

}  // namespace

std::string EscapeStringItem(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsEscapeAt(text, i)) {
      escaped += "_x005F_";  // stands for this underscore
    } else if (text[i] == '\r') {
      escaped += "_x000D_";
    } else {
      escaped += text[i];
    }
  }
  return escaped;
}

std::string UnescapeStringItem(std::string_view text) {
  if (text.find("_x") == std::string_view::npos) return std::string(text);
  std::string plain;
  plain.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (!IsEscapeAt(text, i)) {
      plain += text[i++];
      continue;
    }
    text::AppendUtf8(
        plain, static_cast<char32_t>(std::stoul(std::string(text.substr(i + 2, 4)), nullptr, 16)));
    i += 7;
  }
  return XmlSafeText(plain);
}

std::string StringItemText(pugi::xml_node item) {
  std::string text;
  for (pugi::xml_node child : item.children()) {
    if (child.type() != pugi::node_element) continue;
    if (LocalName(child) == "t") {
      text += child.text().get();
    } else if (LocalName(child) == "r") {
      text += FirstChild(child, "t").text().get();
    }
  }
  return UnescapeStringItem(text);
}

void SharedStrings::Load(Package& package, std::string workbook_part, std::string part_name) {
  package_ = &package;
  workbook_part_ = std::move(workbook_part);
  part_name_ = std::move(part_name);
  texts_.clear();
  plain_index_.clear();
  if (part_name_.empty()) return;
  for (pugi::xml_node item : package.ParsedXml(part_name_).document_element().children()) {
    if (item.type() != pugi::node_element || LocalName(item) != "si") continue;
    texts_.push_back(StringItemText(item));
    if (IsPlainItem(item)) {
      plain_index_.emplace(texts_.back(), static_cast<std::uint32_t>(texts_.size() - 1));
    }
  }
}

const std::string& SharedStrings::Text(std::size_t index) const {
  static const std::string kNone;
  return index < texts_.size() ? texts_[index] : kNone;
}

pugi::xml_node SharedStrings::Table() {
  if (part_name_.empty()) {
    part_name_ = std::string(kSharedStringsPart);
    package_->Write(part_name_,
                    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><sst xmlns=\"" +
                        std::string(kSpreadsheetMlNs) + "\"/>");
    AddRelationship(*package_, workbook_part_, "sharedStrings", part_name_);
    RegisterContentType(*package_, part_name_, kSharedStringsContentType);
  }
  return package_->Xml(part_name_).document_element();
}

std::uint32_t SharedStrings::Add(std::string_view text) {
  const std::string key(text);
  if (const auto found = plain_index_.find(key); found != plain_index_.end()) {
    return found->second;
  }
  pugi::xml_node table = Table();
  pugi::xml_node item = table.append_child(SameNamespaceName(table, "si").c_str());
  pugi::xml_node t = item.append_child(SameNamespaceName(table, "t").c_str());
  if (!text.empty() && (text.front() == ' ' || text.back() == ' ' || text.front() == '\t' ||
                        text.back() == '\t' || text.front() == '\n' || text.back() == '\n')) {
    t.append_attribute("xml:space") = "preserve";
  }
  t.text().set(EscapeStringItem(text).c_str());
  const auto index = static_cast<std::uint32_t>(texts_.size());
  texts_.push_back(key);
  plain_index_.emplace(key, index);
  table.remove_attribute("count");  // optional, and no longer known without every sheet
  pugi::xml_attribute unique = table.attribute("uniqueCount");
  if (!unique) unique = table.append_attribute("uniqueCount");
  unique = static_cast<unsigned>(texts_.size());
  return index;
}

}  // namespace korvanta::workbook
