#include "template_book.h"

#include <stdexcept>
#include <string>

#include "lxw_check.h"

namespace korvanta::templates {
namespace {

// A fixed creation time keeps the generated templates identical from build to build.
constexpr time_t kCreated = 1700000000;

}  // namespace

TemplateBook::TemplateBook(const std::filesystem::path& file, const char* title)
    : file_(file), workbook_(workbook_new(file.string().c_str()), &lxw_workbook_free), formats_{} {
  if (workbook_ == nullptr) {
    throw std::runtime_error("cannot create workbook " + file_.string());
  }
  lxw_worksheet* worksheet = workbook_add_worksheet(workbook_.get(), "Sheet1");
  if (worksheet == nullptr) {
    throw std::runtime_error("cannot add Sheet1 to " + file_.string());
  }
  worksheet_activate(worksheet);
  // The tables carry their own borders; the screen grid would only blur the report's look.
  worksheet_gridlines(worksheet, LXW_HIDE_ALL_GRIDLINES);

  lxw_doc_properties properties{};
  properties.title = const_cast<char*>(title);
  properties.author = const_cast<char*>("Korvanta");
  properties.created = kCreated;
  CheckLxw(workbook_set_properties(workbook_.get(), &properties),
           "properties of " + file_.string());

  formats_ = MakeTemplateFormats(workbook_.get());
  sheet_.emplace(worksheet, formats_);
}

lxw_chart* TemplateBook::AddChart(uint8_t type) {
  lxw_chart* chart = workbook_add_chart(workbook_.get(), type);
  if (chart == nullptr) throw std::runtime_error("cannot add a chart to " + file_.string());
  return chart;
}

void TemplateBook::Save() {
  // workbook_close frees the workbook whatever the outcome.
  CheckLxw(workbook_close(workbook_.release()), "cannot write " + file_.string());
}

}  // namespace korvanta::templates
