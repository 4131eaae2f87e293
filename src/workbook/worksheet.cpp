// Cell values of the active sheet: writing the way the spreadsheet stores them, reading back.
#include <charconv>
#include <cmath>
#include <cstdint>

#include "text/number_format.h"
#include "workbook/workbook_impl.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

// The spreadsheet's limit on the text of one cell, counted in UTF-16 units.
constexpr std::size_t kMaxCellTextUnits = 32767;

std::size_t Utf16Units(std::string_view utf8) {
  std::size_t units = 0;
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) != 0x80) units += byte >= 0xF0 ? 2 : 1;
  }
  return units;
}

void CheckRef(CellRef ref) {
  if (ref.col < 1 || ref.col > kMaxColumns || ref.row < 1 || ref.row > kMaxRows) {
    throw WorkbookError("The cell (column " + std::to_string(ref.col) + ", row " +
                        std::to_string(ref.row) + ") lies outside the sheet.");
  }
}

double ParseStoredNumber(std::string_view text) {
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// A shared string index as stored; one past any table when it is no index.
std::size_t ParseStringIndex(std::string_view text) {
  std::size_t index = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
  if (error != std::errc{} || end != text.data() + text.size()) return SIZE_MAX;
  return index;
}

std::string InlineStringText(const Cell& cell) {
  pugi::xml_document fragment;
  const std::string& xml = cell.detail->inline_xml;
  if (!fragment.load_buffer(xml.data(), xml.size(), pugi::parse_default | pugi::parse_ws_pcdata)) {
    return {};
  }
  for (pugi::xml_node node : fragment.children()) {
    if (LocalName(node) == "is") return StringItemText(node);
  }
  return {};
}

}  // namespace

void Worksheet::Impl::StoreText(CellRef ref, std::string_view text) {
  const std::uint32_t index = strings->Add(text);
  Cell& cell = CellForWrite(ref);
  cell.ClearContent();
  cell.type = CellType::kSharedString;
  cell.value = std::to_string(index);
}

Worksheet::Worksheet(Impl* impl) : impl_(impl) {}

const std::string& Worksheet::Name() const { return impl_->name; }

void Worksheet::SetNumber(CellRef ref, double value) {
  CheckRef(ref);
  if (!std::isfinite(value)) {
    throw WorkbookError("The value for cell " + CellAddress(ref) + " is not a finite number.");
  }
  // A table's header holds text, as Excel turns a number typed there into text.
  if (impl_->IsTableHeader(ref)) {
    SetText(ref, text::ShortestDoubleText(value));
    return;
  }
  Cell& cell = impl_->CellForWrite(ref);
  cell.ClearContent();
  cell.value = text::ShortestDoubleText(value);
}

void Worksheet::SetText(CellRef ref, std::string_view text) {
  CheckRef(ref);
  const std::string safe = XmlSafeText(text);
  if (safe.empty()) {
    ClearValue(ref);
    return;
  }
  if (Utf16Units(safe) > kMaxCellTextUnits) {
    throw WorkbookError("The text for cell " + CellAddress(ref) + " is longer than the " +
                        std::to_string(kMaxCellTextUnits) + " characters a cell can hold.");
  }
  impl_->StoreText(ref, impl_->TableHeaderText(ref, safe));
}

void Worksheet::SetTypedInput(CellRef ref, std::string_view text) {
  CheckRef(ref);
  if (!impl_->styles->IsText(impl_->EffectiveStyle(ref))) {
    if (const auto number = text::ParseTypedNumber(text); number && std::isfinite(*number)) {
      SetNumber(ref, *number);
      return;
    }
  }
  SetText(ref, text);
}

void Worksheet::ClearValue(CellRef ref) {
  CheckRef(ref);
  if (impl_->IsTableHeader(ref)) {
    impl_->StoreText(ref, impl_->TableHeaderText(ref, ""));
    return;
  }
  if (Row* row = impl_->cells.Find(ref.row)) {
    if (Cell* cell = row->Find(ref.col)) cell->ClearContent();
  }
}

CellContent Worksheet::Get(CellRef ref) const {
  const Row* row = impl_->cells.Find(ref.row);
  const Cell* cell = row ? row->Find(ref.col) : nullptr;
  if (!cell) return EmptyCell{};
  if (const CellFormula* formula = cell->Formula()) return FormulaCell{formula->text};
  switch (cell->type) {
    case CellType::kInlineString:
      return InlineStringText(*cell);
    case CellType::kSharedString:
      return impl_->strings->Text(ParseStringIndex(cell->value));
    case CellType::kBoolean:
      return cell->value == "1" || EqualsIgnoreCase(cell->value, "true");
    case CellType::kFormulaText:
    case CellType::kError:
    case CellType::kDate:
      return cell->value;
    case CellType::kNumber:
      break;
  }
  if (cell->value.empty()) return EmptyCell{};
  return ParseStoredNumber(cell->value);
}

std::string Worksheet::NumberFormatOf(CellRef ref) const {
  return impl_->styles->NumberFormatCode(impl_->EffectiveStyle(ref));
}

int Worksheet::LastRow() const { return impl_->cells.LastRow(); }
int Worksheet::LastColumn() const { return impl_->cells.LastColumn(); }

}  // namespace korvanta::workbook
