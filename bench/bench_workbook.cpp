// The workbook engine growing a report table: open a template, grow its pattern row to N rows
// by CopyRows and InsertCopiedRows, write five cells per row, save to memory. The cost must
// grow linearly with N. Peak memory is reported as the process's maximum resident set.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "workbook/cell_writing.h"
#include "workbook/workbook.h"

namespace korvanta::workbook {
namespace {

// A report template: header cells, a bordered pattern row 14 with a formula, totals below.
std::string MakeTemplate() {
  char path[] = "/tmp/korvanta-bench-XXXXXX";
  const int fd = ::mkstemp(path);
  if (fd >= 0) ::close(fd);
  lxw_workbook* book = workbook_new(path);
  lxw_worksheet* sheet = workbook_add_worksheet(book, "Sheet1");
  lxw_format* bold = workbook_add_format(book);
  format_set_bold(bold);
  lxw_format* border = workbook_add_format(book);
  format_set_border(border, LXW_BORDER_THIN);
  worksheet_write_string(sheet, 0, 0, "File name", bold);
  worksheet_write_string(sheet, 2, 0, "Date", bold);
  for (lxw_col_t col = 0; col < 6; ++col) {
    worksheet_write_string(sheet, 12, col, "Heading", bold);
    if (col < 5) worksheet_write_blank(sheet, 13, col, border);
  }
  worksheet_write_formula(sheet, 13, 5, "=B14*D14", border);
  worksheet_write_string(sheet, 15, 0, "Total", bold);
  worksheet_write_formula(sheet, 15, 5, "=SUM(F13:F15)", nullptr);
  worksheet_merge_range(sheet, 17, 0, 17, 4, "Remarks", nullptr);
  workbook_close(book);
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  std::remove(path);
  return std::move(bytes).str();
}

const std::string& Template() {
  static const std::string bytes = MakeTemplate();
  return bytes;
}

void GrowAndFill(Worksheet& sheet, int rows) {
  CopyRows(sheet, "14:14", "15:15");
  if (rows > 2) InsertCopiedRows(sheet, rows - 2, "15:15");
  for (int i = 0; i < rows; ++i) {
    const int row = 14 + i;
    WriteIntegerCell(sheet, 'A', row, i + 1);
    WriteTextCell(sheet, 'B', row, std::to_string(0.001 * i));
    WriteVerbatimTextCell(sheet, 'C', row, "S" + std::to_string(i % 97));
    WriteNumberCell(sheet, 'D', row, 0.1f * static_cast<float>(i));
    WriteTextCell(sheet, 'E', row, i % 2 ? "1.5E-3" : "n/a");
  }
}

void ReportPeakMemory(benchmark::State& state) {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_GrowFillAndSave(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  std::size_t saved_bytes = 0;
  for (auto _ : state) {
    Workbook book = Workbook::LoadFromMemory(Template());
    GrowAndFill(book.ActiveSheet(), rows);
    const std::string saved = book.SaveToMemory();
    saved_bytes = saved.size();
    benchmark::DoNotOptimize(saved.data());
  }
  state.counters["rows_per_s"] =
      benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["output_KiB"] = static_cast<double>(saved_bytes) / 1024.0;
  ReportPeakMemory(state);
}
BENCHMARK(BM_GrowFillAndSave)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The phases alone, to see which one a change in cost comes from.
void BM_InsertCopiedRowsOnly(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    Workbook book = Workbook::LoadFromMemory(Template());
    state.ResumeTiming();
    InsertCopiedRows(book.ActiveSheet(), rows, "14:14");
    benchmark::DoNotOptimize(book.ActiveSheet().LastRow());
  }
  ReportPeakMemory(state);
}
BENCHMARK(BM_InsertCopiedRowsOnly)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

void BM_SaveOnly(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  Workbook book = Workbook::LoadFromMemory(Template());
  GrowAndFill(book.ActiveSheet(), rows);
  for (auto _ : state) {
    const std::string saved = book.SaveToMemory();
    benchmark::DoNotOptimize(saved.data());
  }
  ReportPeakMemory(state);
}
BENCHMARK(BM_SaveOnly)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvanta::workbook

BENCHMARK_MAIN();
