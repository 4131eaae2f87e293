#include "workbook/styles.h"

#include <array>
#include <pugixml.hpp>
#include <utility>

#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

constexpr int kTextFormatId = 49;

// The formats every spreadsheet knows by id without declaring them.
std::string BuiltInCode(int id) {
  static constexpr std::array<std::pair<int, const char*>, 28> kCodes{{
      {0, "General"},
      {1, "0"},
      {2, "0.00"},
      {3, "#,##0"},
      {4, "#,##0.00"},
      {9, "0%"},
      {10, "0.00%"},
      {11, "0.00E+00"},
      {12, "# ?/?"},
      {13, "# ?\?/??"},
      {14, "mm-dd-yy"},
      {15, "d-mmm-yy"},
      {16, "d-mmm"},
      {17, "mmm-yy"},
      {18, "h:mm AM/PM"},
      {19, "h:mm:ss AM/PM"},
      {20, "h:mm"},
      {21, "h:mm:ss"},
      {22, "m/d/yy h:mm"},
      {37, "#,##0 ;(#,##0)"},
      {38, "#,##0 ;[Red](#,##0)"},
      {39, "#,##0.00;(#,##0.00)"},
      {40, "#,##0.00;[Red](#,##0.00)"},
      {45, "mm:ss"},
      {46, "[h]:mm:ss"},
      {47, "mmss.0"},
      {48, "##0.0E+0"},
      {kTextFormatId, "@"},
  }};
  for (const auto& [known, code] : kCodes) {
    if (known == id) return code;
  }
  return "General";
}

}  // namespace

void Styles::Load(Package& package, const std::string& part_name) {
  format_of_style_.clear();
  custom_codes_.clear();
  if (part_name.empty() || !package.Contains(part_name)) return;
  // Read from a private copy: the styles part itself is written back untouched.
  pugi::xml_document doc;
  ParseXml(doc, package.Read(part_name), package.DisplayName(), part_name);
  const pugi::xml_node root = doc.document_element();
  for (pugi::xml_node format : FirstChild(root, "numFmts").children()) {
    if (LocalName(format) != "numFmt") continue;
    custom_codes_[format.attribute("numFmtId").as_int(-1)] = format.attribute("formatCode").value();
  }
  for (pugi::xml_node xf : FirstChild(root, "cellXfs").children()) {
    if (LocalName(xf) != "xf") continue;
    format_of_style_.push_back(xf.attribute("numFmtId").as_int(0));
  }
}

int Styles::NumberFormatId(std::uint32_t style) const {
  return style < format_of_style_.size() ? format_of_style_[style] : 0;
}

std::string Styles::NumberFormatCode(std::uint32_t style) const {
  const int id = NumberFormatId(style);
  if (const auto custom = custom_codes_.find(id); custom != custom_codes_.end()) {
    return custom->second;
  }
  return BuiltInCode(id);
}

bool Styles::IsText(std::uint32_t style) const { return NumberFormatCode(style) == "@"; }

}  // namespace korvanta::workbook
