// A template workbook from the fuzzer: loaded, edited the way the report writers edit their
// templates, saved, and the saved package loaded again.
//
// Input that starts with "PK" is taken as the zip package itself. Anything else lists the
// package's parts as NUL-separated pairs, name then content; the harness zips them, so that
// mutations reach the XML of the parts instead of dying at the zip checksums. The seeds are
// the built templates in that form (scripts/run-fuzz makes them).
#include <zip.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/cell_writing.h"
#include "workbook/workbook.h"

namespace {

using korvanta::workbook::Workbook;
using korvanta::workbook::WorkbookError;

struct Part {
  std::string name;
  std::string_view content;
};

std::vector<Part> SplitParts(std::string_view input) {
  std::vector<Part> parts;
  while (!input.empty()) {
    const std::size_t name_end = input.find('\0');
    if (name_end == std::string_view::npos) break;
    Part part{std::string(input.substr(0, name_end)), {}};
    input.remove_prefix(name_end + 1);
    const std::size_t content_end = std::min(input.find('\0'), input.size());
    part.content = input.substr(0, content_end);
    input.remove_prefix(std::min(content_end + 1, input.size()));
    parts.push_back(std::move(part));
  }
  return parts;
}

struct SourceFree {
  void operator()(zip_source_t* source) const { zip_source_free(source); }
};

// The parts as a stored (uncompressed) zip package; empty when libzip refuses a name.
std::string ZipParts(const std::vector<Part>& parts) {
  zip_error_t error;
  zip_error_init(&error);
  std::unique_ptr<zip_source_t, SourceFree> output(zip_source_buffer_create(nullptr, 0, 0, &error));
  zip_error_fini(&error);
  if (!output) return {};
  zip_source_keep(output.get());
  zip_t* archive = zip_open_from_source(output.get(), ZIP_TRUNCATE, nullptr);
  if (archive == nullptr) {
    zip_source_free(output.get());
    return {};
  }
  for (const Part& part : parts) {
    zip_source_t* data = zip_source_buffer(archive, part.content.data(), part.content.size(), 0);
    if (data == nullptr) break;
    const zip_int64_t index = zip_file_add(archive, part.name.c_str(), data, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
      zip_source_free(data);
      continue;  // an empty or repeated name: the part is left out
    }
    zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
  }
  if (zip_close(archive) != 0) {
    zip_discard(archive);
    return {};
  }
  std::string bytes;
  if (zip_source_open(output.get()) != 0) return {};
  zip_source_seek(output.get(), 0, SEEK_END);
  const zip_int64_t size = zip_source_tell(output.get());
  zip_source_seek(output.get(), 0, SEEK_SET);
  if (size > 0) {
    bytes.resize(static_cast<std::size_t>(size));
    if (zip_source_read(output.get(), bytes.data(), static_cast<zip_uint64_t>(size)) != size) {
      bytes.clear();
    }
  }
  zip_source_close(output.get());
  return bytes;
}

// What the writers do to a template: header cells, a grown sample table, grown and removed
// blocks, inserted columns and a chart.
void EditLikeAWriter(Workbook& book) {
  auto& sheet = book.ActiveSheet();
  korvanta::workbook::WriteVerbatimTextCell(sheet, 'B', 1, "sample.pro");
  korvanta::workbook::WriteTextCell(sheet, 'B', 2, "BRADFORD");
  korvanta::workbook::WriteTextCell(sheet, 'B', 7, "1.5");
  korvanta::workbook::WriteNumberCell(sheet, 'B', 6, 0.125F);
  korvanta::workbook::WriteIntegerCell(sheet, 'B', 10, 3);
  korvanta::workbook::InsertColumns(sheet, 2, "D:D");
  korvanta::workbook::CopyRows(sheet, "19:19", "20:23");
  korvanta::workbook::WriteTextCell(sheet, 'E', 21, "0.321");
  korvanta::workbook::InsertCopiedRows(sheet, 3, "14:14");
  korvanta::workbook::DeleteRows(sheet, 2, "13:13");
  korvanta::workbook::InsertCopiedRows(sheet, 2, "11:11");
  korvanta::workbook::ChartRequest chart;
  chart.first_row = 12;
  chart.last_row = 30;
  chart.x_title = "WL(nm)";
  chart.y_title = "ABS";
  book.AddChart(chart);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string package =
      input.substr(0, 2) == "PK" ? std::string(input) : ZipParts(SplitParts(input));
  if (package.empty()) return 0;

  korvanta::workbook::SaveOptions options;
  options.entry_time = 1700000000;
  std::string saved;
  try {
    Workbook book = Workbook::LoadFromMemory(package, "fuzz.xlsx");
    book.ActiveSheet().Get({2, 1});
    EditLikeAWriter(book);
    saved = book.SaveToMemory(options);
  } catch (const WorkbookError&) {
    return 0;  // refused with a message for the user: the expected way out
  }
  // What the engine saved, it reads again, and saves the same way.
  Workbook reloaded = Workbook::LoadFromMemory(saved, "saved.xlsx");
  reloaded.SaveToMemory(options);
  return 0;
}
