// The workbook's cell formats, read only: which number format each style index carries.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "workbook/package.h"

namespace korvanta::workbook {

class Styles {
 public:
  // An empty part name leaves every style General.
  void Load(Package& package, const std::string& part_name);

  // The format code of a cell style ("General", "0.00", "@").
  std::string NumberFormatCode(std::uint32_t style) const;
  // Text format: what is typed into such a cell stays text.
  bool IsText(std::uint32_t style) const;

 private:
  int NumberFormatId(std::uint32_t style) const;

  std::vector<int> format_of_style_;  // cellXfs position -> numFmtId
  std::unordered_map<int, std::string> custom_codes_;
};

}  // namespace korvanta::workbook
