// Template workbooks the way Excel writes them, made by libxlsxwriter: one report sheet of the
// common layout (header row 4, pattern row 5, summary rows 12-14) plus one feature each.
#pragma once

#include <xlsxwriter.h>

#include <string_view>
#include <vector>

namespace korvanta::excel_templates {

struct TemplateFixture {
  std::string_view name;
  void (*fill)(lxw_workbook* book);
};

const std::vector<TemplateFixture>& XlsxWriterTemplates();

}  // namespace korvanta::excel_templates
