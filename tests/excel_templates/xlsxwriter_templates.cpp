// The fixtures of xlsxwriter_templates.h. Every report sheet has the same cells, so that one
// list of row and column operations fits them all; the feature under test sits on the header
// row, the pattern row, the summary rows, or on a sheet of its own.
#include "xlsxwriter_templates.h"

#include <string>

namespace korvanta::excel_templates {
namespace {

// libxlsxwriter's option structs take `char*` for text it only reads.
char* Text(const char* text) { return const_cast<char*>(text); }

// A 1x1 PNG, for the image fixtures.
constexpr unsigned char kPixel[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48,
    0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00,
    0x00, 0x1F, 0x15, 0xC4, 0x89, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x44, 0x41, 0x54, 0x78,
    0x9C, 0x63, 0xF8, 0xCF, 0xC0, 0xF0, 0x1F, 0x00, 0x05, 0x00, 0x01, 0xFF, 0x89, 0x99,
    0x3D, 0x1D, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

// Rows (0-based): title 0, file name 1, header 3, pattern 4, summary 11 to 13.
lxw_worksheet* Report(lxw_workbook* book, const char* name = "Report") {
  lxw_worksheet* sheet = workbook_add_worksheet(book, name);
  lxw_format* bold = workbook_add_format(book);
  format_set_bold(bold);
  lxw_format* bordered = workbook_add_format(book);
  format_set_border(bordered, LXW_BORDER_THIN);
  worksheet_write_string(sheet, 0, 0, "Photometry", bold);
  worksheet_write_string(sheet, 1, 0, "File name", bold);
  worksheet_write_string(sheet, 1, 1, "run.pht", nullptr);
  const char* headers[] = {"No.", "Sample", "WL1", "WL2", "Ratio"};
  for (lxw_col_t col = 0; col < 5; ++col) worksheet_write_string(sheet, 3, col, headers[col], bold);
  worksheet_write_number(sheet, 4, 0, 1, bordered);
  worksheet_write_string(sheet, 4, 1, "S1", bordered);
  worksheet_write_number(sheet, 4, 2, 0.512, bordered);
  worksheet_write_number(sheet, 4, 3, 0.256, bordered);
  worksheet_write_formula(sheet, 4, 4, "=IF(D5=0,\"\",C5/D5)", bordered);
  worksheet_write_string(sheet, 11, 0, "Mean", bold);
  worksheet_write_formula(sheet, 11, 2, "=AVERAGE(C5:C5)", nullptr);
  worksheet_write_formula(sheet, 11, 3, "=AVERAGE(D5:D5)", nullptr);
  worksheet_write_formula(sheet, 11, 4, "=SUMIF($B$5:$B$5,\"S*\",$C$5:$C$5)", nullptr);
  worksheet_write_string(sheet, 12, 0, "Count", bold);
  worksheet_write_formula(sheet, 12, 2, "=COUNT($C$5:$D$5)", nullptr);
  worksheet_write_string(sheet, 13, 0, "Source", bold);
  worksheet_write_formula(sheet, 13, 1, "=B2", nullptr);
  worksheet_set_column(sheet, 0, 0, 12, nullptr);
  worksheet_set_column(sheet, 1, 4, 10, nullptr);
  return sheet;
}

void Plain(lxw_workbook* book) { Report(book); }

void ArrayFormulas(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  worksheet_write_array_formula(sheet, 4, 5, 4, 5, "{=SUM(C5:D5*C5:D5)}", nullptr);
  worksheet_write_array_formula(sheet, 11, 5, 12, 5, "{=TRANSPOSE(C5:C6)}", nullptr);
}

// Absolute references into the summary (which the inserted rows move) and a mixed reference
// to a row above the pattern row (which they do not).
void AbsoluteReferencesInThePatternRow(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  worksheet_write_formula(sheet, 4, 5, "=SUMIF($A$12:$A$14,\"Mean\",$C$12:$C$14)", nullptr);
  worksheet_write_formula(sheet, 4, 6, "=B$2&\" \"&B5", nullptr);
  worksheet_write_formula(sheet, 4, 7, "=C5/$C$12", nullptr);
}

void DynamicArrayFormula(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  worksheet_write_dynamic_array_formula(sheet, 11, 6, 11, 6, "=LEN(B5:B5)", nullptr);
}

void DefinedNames(lxw_workbook* book) {
  Report(book);
  workbook_define_name(book, "Samples", "=Report!$A$5:$E$5");
  workbook_define_name(book, "MeanRow", "=Report!$A$12:$E$12");
  workbook_define_name(book, "Header", "=Report!$A$4:$E$4");
}

void SheetScopedNames(lxw_workbook* book) {
  Report(book);
  workbook_add_worksheet(book, "Notes");
  workbook_define_name(book, "Report!Wl1", "=Report!$C$5:$C$5");
  workbook_define_name(book, "Notes!Wl1", "=Report!$C$12");
}

void MergedHeader(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  worksheet_merge_range(sheet, 0, 0, 0, 4, "Photometry report", nullptr);
  worksheet_merge_range(sheet, 2, 2, 2, 3, "Absorbance", nullptr);
}

void MergedPatternRow(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  worksheet_merge_range(sheet, 4, 5, 4, 6, "note", nullptr);
}

void MergedStraddlingPatternRow(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  worksheet_merge_range(sheet, 3, 6, 5, 6, "side", nullptr);
}

void MergedSummary(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  worksheet_merge_range(sheet, 13, 1, 13, 4, "", nullptr);
  worksheet_write_formula(sheet, 13, 1, "=B2", nullptr);
}

// Absorbances above 0.3 of the pattern row in red.
void RedAboveThreshold(lxw_workbook* book, lxw_worksheet* sheet, lxw_col_t first, lxw_col_t last) {
  lxw_format* red = workbook_add_format(book);
  format_set_font_color(red, LXW_COLOR_RED);
  lxw_conditional_format rule{};
  rule.type = LXW_CONDITIONAL_TYPE_CELL;
  rule.criteria = LXW_CONDITIONAL_CRITERIA_GREATER_THAN;
  rule.value = 0.3;
  rule.format = red;
  worksheet_conditional_format_range(sheet, 4, first, 4, last, &rule);
}

void CellValueFormat(lxw_workbook* book) { RedAboveThreshold(book, Report(book), 2, 3); }

void FormulaFormatOverTwoRanges(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  lxw_format* fill = workbook_add_format(book);
  format_set_bg_color(fill, LXW_COLOR_YELLOW);
  lxw_conditional_format rule{};
  rule.type = LXW_CONDITIONAL_TYPE_FORMULA;
  rule.value_string = Text("=$C5>$C$12");
  rule.multi_range = Text("A5:B5 E5");
  rule.format = fill;
  worksheet_conditional_format_range(sheet, 4, 0, 4, 1, &rule);
}

void DataBars2010(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  lxw_conditional_format bar{};
  bar.type = LXW_CONDITIONAL_DATA_BAR;
  bar.data_bar_2010 = LXW_TRUE;
  bar.bar_solid = LXW_TRUE;
  worksheet_conditional_format_range(sheet, 4, 2, 4, 2, &bar);
  lxw_conditional_format negative{};
  negative.type = LXW_CONDITIONAL_DATA_BAR;
  negative.bar_negative_color = LXW_COLOR_RED;
  worksheet_conditional_format_range(sheet, 4, 3, 4, 3, &negative);
}

void IconSetAndColorScale(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  lxw_conditional_format icons{};
  icons.type = LXW_CONDITIONAL_TYPE_ICON_SETS;
  icons.icon_style = LXW_CONDITIONAL_ICONS_3_ARROWS_COLORED;
  worksheet_conditional_format_range(sheet, 4, 4, 4, 4, &icons);
  lxw_conditional_format scale{};
  scale.type = LXW_CONDITIONAL_3_COLOR_SCALE;
  worksheet_conditional_format_range(sheet, 4, 2, 4, 3, &scale);
}

void ListValidation(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  const char* choices[] = {"S1", "S2", "Blank", nullptr};
  lxw_data_validation list{};
  list.validate = LXW_VALIDATION_TYPE_LIST;
  list.value_list = const_cast<char**>(choices);
  worksheet_data_validation_range(sheet, 4, 1, 4, 1, &list);
  lxw_data_validation range{};
  range.validate = LXW_VALIDATION_TYPE_DECIMAL;
  range.criteria = LXW_VALIDATION_CRITERIA_BETWEEN;
  range.minimum_number = 0;
  range.maximum_number = 4;
  range.input_title = Text("Absorbance");
  range.input_message = Text("0 to 4");
  worksheet_data_validation_range(sheet, 4, 2, 4, 3, &range);
}

void ValidationFromOtherSheet(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  lxw_worksheet* lists = workbook_add_worksheet(book, "Lists");
  worksheet_write_string(lists, 0, 0, "S1", nullptr);
  worksheet_write_string(lists, 1, 0, "S2", nullptr);
  lxw_data_validation list{};
  list.validate = LXW_VALIDATION_TYPE_LIST_FORMULA;
  list.value_formula = Text("=Lists!$A$1:$A$2");
  worksheet_data_validation_range(sheet, 4, 1, 4, 1, &list);
}

void Hyperlinks(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  worksheet_write_url(sheet, 1, 3, "https://example.org/method", nullptr);
  worksheet_write_url(sheet, 4, 5, "internal:Report!A12", nullptr);
  worksheet_write_url(sheet, 12, 4, "https://example.org/summary", nullptr);
}

void AutoFilter(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  worksheet_autofilter(sheet, 3, 0, 4, 4);
}

lxw_table_column** SampleColumns(bool totals) {
  static lxw_table_column no{}, sample{}, wl1{}, wl2{}, ratio{};
  static lxw_table_column* columns[] = {&no, &sample, &wl1, &wl2, &ratio, nullptr};
  no.header = Text("No.");
  sample.header = Text("Sample");
  wl1.header = Text("WL1");
  wl2.header = Text("WL2");
  ratio.header = Text("Ratio");
  ratio.formula = Text("=IF([@WL2]=0,\"\",[@WL1]/[@WL2])");
  if (totals) {
    no.total_string = Text("Total");
    wl1.total_function = LXW_TABLE_FUNCTION_AVERAGE;
    wl2.total_function = LXW_TABLE_FUNCTION_AVERAGE;
  }
  return columns;
}

void SampleTable(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  lxw_table_options options{};
  options.name = Text("Samples");
  options.columns = SampleColumns(false);
  worksheet_add_table(sheet, 3, 0, 4, 4, &options);
}

void SampleTableWithTotals(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  lxw_table_options options{};
  options.name = Text("Samples");
  options.total_row = LXW_TRUE;
  options.columns = SampleColumns(true);
  worksheet_add_table(sheet, 3, 0, 5, 4, &options);
}

void TableBesideTheReport(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  worksheet_write_string(sheet, 0, 8, "Key", nullptr);
  worksheet_write_string(sheet, 0, 9, "Value", nullptr);
  worksheet_write_string(sheet, 1, 8, "Operator", nullptr);
  worksheet_write_string(sheet, 1, 9, "lab", nullptr);
  lxw_table_options options{};
  options.name = Text("Settings");
  worksheet_add_table(sheet, 0, 8, 1, 9, &options);
}

void TableOnOtherSheet(lxw_workbook* book) {
  Report(book);
  lxw_worksheet* other = workbook_add_worksheet(book, "Archive");
  worksheet_write_number(other, 1, 0, 1, nullptr);
  worksheet_write_number(other, 1, 1, 2, nullptr);
  lxw_table_options options{};
  options.name = Text("Archive");
  worksheet_add_table(other, 0, 0, 1, 1, &options);
}

lxw_chart* SampleChart(lxw_workbook* book, const char* sheet_name) {
  lxw_chart* chart = workbook_add_chart(book, LXW_CHART_LINE);
  const std::string prefix = std::string("=") + sheet_name + "!";
  chart_add_series(chart, (prefix + "$B$5:$B$5").c_str(), (prefix + "$C$5:$C$5").c_str());
  chart_add_series(chart, (prefix + "$B$5:$B$5").c_str(), (prefix + "$D$5:$D$5").c_str());
  chart_title_set_name(chart, "Absorbance");
  return chart;
}

void ChartOfThePatternRow(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  worksheet_insert_chart(sheet, 15, 1, SampleChart(book, "Report"));
}

void ChartAboveTheTable(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  lxw_chart_options options{};
  options.x_scale = 0.5;
  options.y_scale = 0.2;
  worksheet_insert_chart_opt(sheet, 0, 6, SampleChart(book, "Report"), &options);
}

void ChartOnOtherSheetOfOtherData(lxw_workbook* book) {
  Report(book);
  lxw_worksheet* data = workbook_add_worksheet(book, "Data");
  for (lxw_row_t row = 4; row < 8; ++row) {
    worksheet_write_string(data, row, 1, "x", nullptr);
    worksheet_write_number(data, row, 2, row, nullptr);
    worksheet_write_number(data, row, 3, row * 2.0, nullptr);
  }
  lxw_chart* chart = SampleChart(book, "Data");
  worksheet_insert_chart(data, 10, 1, chart);
}

void Chartsheet(lxw_workbook* book) {
  Report(book);
  lxw_chartsheet* sheet = workbook_add_chartsheet(book, "Chart");
  chartsheet_set_chart(sheet, SampleChart(book, "Report"));
}

void Images(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  worksheet_insert_image_buffer(sheet, 0, 6, kPixel, sizeof kPixel);
  worksheet_insert_image_buffer(sheet, 15, 1, kPixel, sizeof kPixel);
}

void Comments(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  worksheet_write_comment(sheet, 3, 2, "first wavelength");
  worksheet_write_comment(sheet, 4, 1, "sample id as read");
  worksheet_write_comment(sheet, 11, 2, "mean of all samples");
}

void Button(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  lxw_button_options options{};
  options.caption = Text("Recalculate");
  worksheet_insert_button(sheet, 15, 1, &options);
}

void PrintSetup(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  worksheet_repeat_rows(sheet, 3, 3);
  worksheet_repeat_columns(sheet, 0, 0);
  worksheet_print_area(sheet, 0, 0, 13, 4);
  worksheet_set_paper(sheet, 9);
  worksheet_fit_to_pages(sheet, 1, 0);
  worksheet_set_header(sheet, "&CPhotometry &D");
  worksheet_set_footer(sheet, "&CPage &P of &N");
  lxw_row_t breaks[] = {11, 0};
  worksheet_set_h_pagebreaks(sheet, breaks);
}

void ProtectedSheet(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  lxw_protection options{};
  options.format_cells = LXW_TRUE;
  options.insert_rows = LXW_TRUE;
  worksheet_protect(sheet, "lab", &options);
}

void FrozenPanesAndSelection(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  worksheet_freeze_panes(sheet, 4, 1);
  worksheet_set_selection(sheet, 4, 2, 4, 3);
}

void RowsAndColumnsFormatted(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  lxw_format* shaded = workbook_add_format(book);
  format_set_bg_color(shaded, 0xDDEBF7);
  worksheet_set_row(sheet, 4, 22, shaded);
  lxw_row_col_options hidden{};
  hidden.hidden = LXW_TRUE;
  worksheet_set_column_opt(sheet, 5, 5, 4, nullptr, &hidden);
  lxw_row_col_options outline{};
  outline.level = 1;
  worksheet_set_row_opt(sheet, 11, LXW_DEF_ROW_HEIGHT, nullptr, &outline);
  worksheet_set_row_opt(sheet, 12, LXW_DEF_ROW_HEIGHT, nullptr, &outline);
}

void RichTextAndNumberFormats(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  lxw_format* italic = workbook_add_format(book);
  format_set_italic(italic);
  lxw_rich_string_tuple first{nullptr, Text("Absorbance at ")};
  lxw_rich_string_tuple second{italic, Text("λ")};
  lxw_rich_string_tuple* fragments[] = {&first, &second, nullptr};
  worksheet_write_rich_string(sheet, 2, 2, fragments, nullptr);
  lxw_format* percent = workbook_add_format(book);
  format_set_num_format(percent, "0.0%");
  worksheet_write_formula(sheet, 4, 5, "=C5/C$12", percent);
  lxw_format* date = workbook_add_format(book);
  format_set_num_format(date, "yyyy-mm-dd hh:mm");
  lxw_datetime when{2024, 3, 1, 9, 30, 0};
  worksheet_write_datetime(sheet, 1, 3, &when, date);
}

void IgnoredErrors(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  worksheet_write_string(sheet, 4, 6, "001", nullptr);
  worksheet_ignore_errors(sheet, LXW_IGNORE_NUMBER_STORED_AS_TEXT, "G5");
}

void DocumentProperties(lxw_workbook* book) {
  Report(book);
  lxw_doc_properties properties{};
  properties.title = Text("Photometry");
  properties.company = Text("Lab");
  workbook_set_properties(book, &properties);
  workbook_set_custom_property_string(book, "Instrument", "UV-Vis");
}

void ActiveSecondSheet(lxw_workbook* book) {
  lxw_worksheet* cover = workbook_add_worksheet(book, "Cover");
  worksheet_write_string(cover, 0, 0, "Cover page", nullptr);
  lxw_worksheet* sheet = Report(book);
  workbook_add_worksheet(book, "Appendix");
  worksheet_activate(sheet);
}

void OtherSheetsReadTheReport(lxw_workbook* book) {
  Report(book);
  lxw_worksheet* summary = workbook_add_worksheet(book, "Summary");
  worksheet_write_formula(summary, 0, 0, "=Report!C12", nullptr);
  worksheet_write_formula(summary, 1, 0, "=SUM(Report!$C$5:$D$5)", nullptr);
  worksheet_write_formula(summary, 2, 0, "=Report!B2", nullptr);
  worksheet_write_formula(summary, 3, 0, "=COUNTA(Report!A:A)", nullptr);
}

void SheetNameWithSpace(lxw_workbook* book) {
  Report(book, "Sample Report");
  lxw_worksheet* other = workbook_add_worksheet(book, "Other");
  worksheet_write_formula(other, 0, 0, "='Sample Report'!C5*2", nullptr);
  workbook_define_name(book, "Ratios", "='Sample Report'!$E$5:$E$5");
}

void TabColourAndHiddenSheet(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  worksheet_set_tab_color(sheet, LXW_COLOR_GREEN);
  lxw_worksheet* hidden = workbook_add_worksheet(book, "Hidden");
  worksheet_write_number(hidden, 0, 0, 42, nullptr);
  worksheet_hide(hidden);
}

void Everything(lxw_workbook* book) {
  lxw_worksheet* sheet = Report(book);
  worksheet_merge_range(sheet, 0, 0, 0, 4, "Photometry report", nullptr);
  RedAboveThreshold(book, sheet, 2, 2);
  worksheet_write_comment(sheet, 4, 1, "sample id as read");
  worksheet_write_url(sheet, 1, 3, "https://example.org/method", nullptr);
  worksheet_insert_chart(sheet, 15, 1, SampleChart(book, "Report"));
  worksheet_insert_image_buffer(sheet, 0, 6, kPixel, sizeof kPixel);
  worksheet_repeat_rows(sheet, 3, 3);
  worksheet_autofilter(sheet, 3, 0, 4, 4);
  workbook_define_name(book, "Samples", "=Report!$A$5:$E$5");
}

}  // namespace

const std::vector<TemplateFixture>& XlsxWriterTemplates() {
  static const std::vector<TemplateFixture> fixtures = {
      {"plain", Plain},
      {"array_formulas", ArrayFormulas},
      {"absolute_references_in_the_pattern_row", AbsoluteReferencesInThePatternRow},
      {"dynamic_array_formula", DynamicArrayFormula},
      {"defined_names", DefinedNames},
      {"sheet_scoped_names", SheetScopedNames},
      {"merged_header", MergedHeader},
      {"merged_pattern_row", MergedPatternRow},
      {"merged_straddling_pattern_row", MergedStraddlingPatternRow},
      {"merged_summary", MergedSummary},
      {"cell_value_format", CellValueFormat},
      {"formula_format_over_two_ranges", FormulaFormatOverTwoRanges},
      {"data_bars_2010", DataBars2010},
      {"icon_set_and_color_scale", IconSetAndColorScale},
      {"list_validation", ListValidation},
      {"validation_from_other_sheet", ValidationFromOtherSheet},
      {"hyperlinks", Hyperlinks},
      {"autofilter", AutoFilter},
      {"sample_table", SampleTable},
      {"sample_table_with_totals", SampleTableWithTotals},
      {"table_beside_the_report", TableBesideTheReport},
      {"table_on_other_sheet", TableOnOtherSheet},
      {"chart_of_the_pattern_row", ChartOfThePatternRow},
      {"chart_above_the_table", ChartAboveTheTable},
      {"chart_on_other_sheet_of_other_data", ChartOnOtherSheetOfOtherData},
      {"chartsheet", Chartsheet},
      {"images", Images},
      {"comments", Comments},
      {"button", Button},
      {"print_setup", PrintSetup},
      {"protected_sheet", ProtectedSheet},
      {"frozen_panes_and_selection", FrozenPanesAndSelection},
      {"rows_and_columns_formatted", RowsAndColumnsFormatted},
      {"rich_text_and_number_formats", RichTextAndNumberFormats},
      {"ignored_errors", IgnoredErrors},
      {"document_properties", DocumentProperties},
      {"active_second_sheet", ActiveSecondSheet},
      {"other_sheets_read_the_report", OtherSheetsReadTheReport},
      {"sheet_name_with_space", SheetNameWithSpace},
      {"tab_colour_and_hidden_sheet", TabColourAndHiddenSheet},
      {"everything", Everything},
  };
  return fixtures;
}

}  // namespace korvanta::excel_templates
