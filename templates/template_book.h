#pragma once

#include <xlsxwriter.h>

#include <filesystem>
#include <memory>
#include <optional>

#include "template_style.h"

namespace korvanta::templates {

// One template workbook being built: a single sheet "Sheet1", active, with the shared
// formats. Nothing is written to disk until Save.
class TemplateBook {
 public:
  // `title` goes into the document properties.
  TemplateBook(const std::filesystem::path& file, const char* title);
  TemplateBook(const TemplateBook&) = delete;
  TemplateBook& operator=(const TemplateBook&) = delete;

  TemplateSheet& Sheet() { return *sheet_; }

  // A new chart of `type` (LXW_CHART_...), owned by the workbook; place it with PlaceChart.
  lxw_chart* AddChart(uint8_t type);

  // Writes the file; throws std::runtime_error naming the file when that fails.
  void Save();

 private:
  std::filesystem::path file_;
  std::unique_ptr<lxw_workbook, decltype(&lxw_workbook_free)> workbook_;
  TemplateFormats formats_;
  std::optional<TemplateSheet> sheet_;
};

}  // namespace korvanta::templates
