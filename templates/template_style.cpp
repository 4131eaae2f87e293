#include "template_style.h"

#include <cstdio>
#include <string>

#include "lxw_check.h"

namespace korvanta::templates {
namespace {

constexpr lxw_color_t kTitleBlue = 0x1F3864;
constexpr lxw_color_t kLabelBand = 0xDDEBF7;
constexpr lxw_color_t kHeaderBlue = 0x305496;
constexpr lxw_color_t kGridGrey = 0x8C8C8C;
constexpr lxw_color_t kWhite = 0xFFFFFF;
// The spreadsheet's own "light red fill with dark red text".
constexpr lxw_color_t kFlagText = 0x9C0006;
constexpr lxw_color_t kFlagFill = 0xFFC7CE;

// Page margins in inches: narrow, so that wide tables keep a readable scale.
constexpr double kSideMargin = 0.4;
constexpr double kTopMargin = 0.6;
constexpr double kBottomMargin = 0.6;
constexpr uint8_t kPaperA4 = 9;
constexpr double kTitleRowHeight = 24;  // points, for the 16 pt title

lxw_row_t RowIndex(int row) { return static_cast<lxw_row_t>(row - 1); }

lxw_col_t ColumnIndex(char column) { return static_cast<lxw_col_t>(column - 'A'); }

std::string CellName(char column, int row) { return column + std::to_string(row); }

}  // namespace

TemplateFormats MakeTemplateFormats(lxw_workbook* workbook) {
  TemplateFormats formats{};

  formats.title = workbook_add_format(workbook);
  format_set_bold(formats.title);
  format_set_font_size(formats.title, 16);
  format_set_font_color(formats.title, kTitleBlue);

  formats.label = workbook_add_format(workbook);
  format_set_bold(formats.label);
  format_set_font_color(formats.label, kTitleBlue);
  format_set_bg_color(formats.label, kLabelBand);
  format_set_align(formats.label, LXW_ALIGN_LEFT);  // also the running number of a list
  format_set_bottom(formats.label, LXW_BORDER_THIN);
  format_set_bottom_color(formats.label, kWhite);

  // No border here: the Photometry report inserts columns right of B, and the new cells take
  // B's format; a border would draw empty boxes across the header.
  formats.value = workbook_add_format(workbook);
  format_set_align(formats.value, LXW_ALIGN_LEFT);

  formats.list_heading = workbook_add_format(workbook);
  format_set_bold(formats.list_heading);
  format_set_font_color(formats.list_heading, kTitleBlue);
  format_set_align(formats.list_heading, LXW_ALIGN_LEFT);

  formats.table_header = workbook_add_format(workbook);
  format_set_bold(formats.table_header);
  format_set_font_color(formats.table_header, kWhite);
  format_set_bg_color(formats.table_header, kHeaderBlue);
  format_set_border(formats.table_header, LXW_BORDER_THIN);
  format_set_border_color(formats.table_header, kGridGrey);
  format_set_align(formats.table_header, LXW_ALIGN_CENTER);
  format_set_align(formats.table_header, LXW_ALIGN_VERTICAL_CENTER);
  format_set_text_wrap(formats.table_header);

  // No alignment: General puts numbers right and text left, as the values arrive.
  formats.pattern = workbook_add_format(workbook);
  format_set_border(formats.pattern, LXW_BORDER_THIN);
  format_set_border_color(formats.pattern, kGridGrey);

  formats.pattern_index = workbook_add_format(workbook);
  format_set_border(formats.pattern_index, LXW_BORDER_THIN);
  format_set_border_color(formats.pattern_index, kGridGrey);
  format_set_align(formats.pattern_index, LXW_ALIGN_CENTER);

  // Two formats of one look: a conditional format's is stored apart from the cells' ones.
  for (lxw_format** flag : {&formats.flag, &formats.flag_legend}) {
    *flag = workbook_add_format(workbook);
    format_set_font_color(*flag, kFlagText);
    format_set_bg_color(*flag, kFlagFill);
  }
  format_set_align(formats.flag_legend, LXW_ALIGN_CENTER);

  return formats;
}

TemplateSheet::TemplateSheet(lxw_worksheet* sheet, const TemplateFormats& formats)
    : sheet_(sheet), formats_(formats) {}

void TemplateSheet::Title(char column, int row, const char* text) {
  // Office applications do not all grow a row for a large font on their own.
  CheckLxw(worksheet_set_row(sheet_, RowIndex(row), kTitleRowHeight, nullptr),
           "height of row " + std::to_string(row));
  CheckLxw(worksheet_write_string(sheet_, RowIndex(row), ColumnIndex(column), text, formats_.title),
           "title " + CellName(column, row));
}

void TemplateSheet::Field(int row, const char* label) {
  CheckLxw(worksheet_write_string(sheet_, RowIndex(row), 0, label, formats_.label),
           "label " + CellName('A', row));
  ValueCell('B', row);
}

void TemplateSheet::HeaderFields(const char* second_label,
                                 std::initializer_list<const char*> more_labels) {
  Field(1, "File name");
  Field(2, second_label);
  Field(3, "Date / time");
  Field(4, "Operator");
  Field(5, "Sample name");
  int row = 6;
  for (const char* label : more_labels) Field(row++, label);
}

void TemplateSheet::ListHeader(int row, std::initializer_list<const char*> titles) {
  char column = 'A';
  for (const char* title : titles) {
    lxw_format* format = column == 'A' ? formats_.label : formats_.list_heading;
    CheckLxw(worksheet_write_string(sheet_, RowIndex(row), ColumnIndex(column), title, format),
             "list heading " + CellName(column, row));
    ++column;
  }
}

void TemplateSheet::ListPatternRow(int row, char last_column) {
  CheckLxw(worksheet_write_blank(sheet_, RowIndex(row), 0, formats_.label),
           "label " + CellName('A', row));
  for (char column = 'B'; column <= last_column; ++column) {
    ValueCell(column, row);
  }
}

void TemplateSheet::ValueCell(char column, int row) {
  CheckLxw(worksheet_write_blank(sheet_, RowIndex(row), ColumnIndex(column), formats_.value),
           "value " + CellName(column, row));
}

void TemplateSheet::TableHeader(int row, char first_column,
                                std::initializer_list<const char*> titles) {
  char column = first_column;
  for (const char* title : titles) {
    CheckLxw(worksheet_write_string(sheet_, RowIndex(row), ColumnIndex(column), title,
                                    formats_.table_header),
             "table header " + CellName(column, row));
    ++column;
  }
}

void TemplateSheet::PatternRow(int row, char last_column) {
  CheckLxw(worksheet_write_blank(sheet_, RowIndex(row), 0, formats_.pattern_index),
           "pattern " + CellName('A', row));
  for (char column = 'B'; column <= last_column; ++column) {
    CheckLxw(worksheet_write_blank(sheet_, RowIndex(row), ColumnIndex(column), formats_.pattern),
             "pattern " + CellName(column, row));
  }
}

void TemplateSheet::ColumnWidth(char first_column, char last_column, double width) {
  CheckLxw(worksheet_set_column(sheet_, ColumnIndex(first_column), ColumnIndex(last_column), width,
                                nullptr),
           std::string("width of columns ") + first_column + ":" + last_column);
}

void TemplateSheet::FlagCells(const char* range, const char* formula) {
  lxw_conditional_format rule{};
  rule.type = LXW_CONDITIONAL_TYPE_FORMULA;
  rule.value_string = const_cast<char*>(formula);
  rule.format = formats_.flag;
  // libxlsxwriter reads a range as "first:last", also for a single cell.
  std::string area = range;
  if (area.find(':') == std::string::npos) area += ":" + area;
  CheckLxw(worksheet_conditional_format_range(sheet_, RANGE(area.c_str()), &rule),
           std::string("conditional format of ") + range);
}

void TemplateSheet::Legend(int row, char column, const char* mark, const char* meaning) {
  CheckLxw(worksheet_write_string(sheet_, RowIndex(row), ColumnIndex(column), mark,
                                  formats_.flag_legend),
           "legend " + CellName(column, row));
  const char beside = static_cast<char>(column + 1);
  CheckLxw(worksheet_write_string(sheet_, RowIndex(row), ColumnIndex(beside), meaning, nullptr),
           "legend " + CellName(beside, row));
}

void TemplateSheet::PlaceChart(char column, int row, lxw_chart* chart) {
  lxw_chart_options options{};
  options.object_position = LXW_OBJECT_MOVE_DONT_SIZE;
  CheckLxw(worksheet_insert_chart_opt(sheet_, RowIndex(row), ColumnIndex(column), chart, &options),
           "chart at " + CellName(column, row));
}

void TemplateSheet::PrintSetup(Orientation orientation, int title_row) {
  if (orientation == Orientation::kLandscape) {
    worksheet_set_landscape(sheet_);
  } else {
    worksheet_set_portrait(sheet_);
  }
  worksheet_set_paper(sheet_, kPaperA4);
  worksheet_fit_to_pages(sheet_, 1, 0);
  worksheet_set_margins(sheet_, kSideMargin, kSideMargin, kTopMargin, kBottomMargin);
  worksheet_center_horizontally(sheet_);
  CheckLxw(worksheet_set_footer(sheet_, "&L&8&F&R&8Page &P of &N"), "page footer");
  if (title_row != 0) {
    CheckLxw(worksheet_repeat_rows(sheet_, RowIndex(title_row), RowIndex(title_row)),
             "repeated title row");
  }
}

void TemplateSheet::PageHeaderTitle(const char* title) {
  char colour[8];
  std::snprintf(colour, sizeof colour, "%06X", static_cast<unsigned>(kTitleBlue));
  const std::string header = std::string("&C&\"-,Bold\"&14&K") + colour + title;
  CheckLxw(worksheet_set_header(sheet_, header.c_str()), "page header");
}

}  // namespace korvanta::templates
