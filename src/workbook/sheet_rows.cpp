#include "workbook/sheet_rows.h"

#include <algorithm>
#include <charconv>

#include "workbook/cell_address.h"
#include "workbook/formula_refs.h"
#include "workbook/shared_formulas.h"
#include "workbook/workbook.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

constexpr std::string_view kTypeNames[] = {"n", "s", "str", "b", "e", "inlineStr", "d"};

CellType ParseCellType(std::string_view name) {
  for (std::size_t i = 0; i < std::size(kTypeNames); ++i) {
    if (kTypeNames[i] == name) return static_cast<CellType>(i);
  }
  return CellType::kNumber;
}

// The rows of a sheet and the cells of a row are kept in ascending order of their number, the
// member `Key`: the first item whose number is not below `key`.
template <auto Key, typename Item>
typename std::vector<Item>::iterator FirstNotBelow(std::vector<Item>& items, int key) {
  return std::lower_bound(items.begin(), items.end(), key,
                          [](const Item& item, int number) { return item.*Key < number; });
}

template <auto Key, typename Item>
Item* FindByKey(std::vector<Item>& items, int key) {
  const auto found = FirstNotBelow<Key>(items, key);
  return found != items.end() && (*found).*Key == key ? &*found : nullptr;
}

// The item numbered `key`, inserted in its place with nothing else set when missing.
template <auto Key, typename Item>
Item& ObtainByKey(std::vector<Item>& items, int key) {
  const auto found = FirstNotBelow<Key>(items, key);
  if (found != items.end() && (*found).*Key == key) return *found;
  Item fresh;
  fresh.*Key = key;
  return *items.insert(found, std::move(fresh));
}

std::optional<int> ParseInt(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

void AppendInt(std::string& out, long long value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void AppendAttributes(std::string& out, const XmlAttributes& attributes) {
  for (const auto& [name, value] : attributes) {
    out += ' ';
    out += name;
    out += "=\"";
    AppendEscapedAttribute(out, value);
    out += '"';
  }
}

void ExpandSharedFormulas(std::vector<Row>& rows) {
  SharedFormulaGroups groups;
  bool any = false;
  for (const Row& row : rows) {
    for (const Cell& cell : row.cells) {
      const CellFormula* formula = cell.Formula();
      if (!formula || FindValue(formula->attributes, "t") != "shared") continue;
      any = true;
      groups.Add(FindValue(formula->attributes, "si"), formula->text,
                 CellRef{cell.col, row.number});
    }
  }
  if (!any) return;
  for (Row& row : rows) {
    for (Cell& cell : row.cells) {
      CellFormula* formula = cell.Formula();
      if (!formula || FindValue(formula->attributes, "t") != "shared") continue;
      const std::string_view group = FindValue(formula->attributes, "si");
      if (!groups.AnchorText(group)) {
        cell.detail->formula.reset();  // a group without its anchor has no formula to give
        continue;
      }
      if (formula->text.empty()) {
        formula->text = *groups.FormulaAt(group, CellRef{cell.col, row.number});
      }
      EraseValue(formula->attributes, "t");
      EraseValue(formula->attributes, "si");
      EraseValue(formula->attributes, "ref");
    }
  }
}

Cell ReadCell(pugi::xml_node node, int col) {
  Cell cell;
  cell.col = col;
  for (pugi::xml_attribute attribute : node.attributes()) {
    const std::string_view name = attribute.name();
    if (name == "r") continue;
    if (name == "s") {
      cell.style = attribute.as_uint();
    } else if (name == "t") {
      cell.type = ParseCellType(attribute.value());
    } else {
      cell.Detail().attributes.emplace_back(name, attribute.value());
    }
  }
  for (pugi::xml_node child : node.children()) {
    if (child.type() != pugi::node_element) continue;
    const std::string_view name = LocalName(child);
    if (name == "v") {
      cell.value = child.text().get();
    } else if (name == "f") {
      CellFormula formula;
      formula.text = child.text().get();
      for (pugi::xml_attribute attribute : child.attributes()) {
        formula.attributes.emplace_back(attribute.name(), attribute.value());
      }
      cell.Detail().formula = std::move(formula);
    } else {
      cell.Detail().inline_xml += SerializeXml(child);
    }
  }
  return cell;
}

void WriteCell(std::string& out, std::string_view prefix, int row, const Cell& cell) {
  out += '<';
  out += prefix;
  out += "c r=\"";
  out += ColumnName(cell.col);
  AppendInt(out, row);
  out += '"';
  if (cell.style != 0) {
    out += " s=\"";
    AppendInt(out, cell.style);
    out += '"';
  }
  const CellFormula* formula = cell.Formula();
  // A formula's cached result may be stale after the sheet was edited; without one, every
  // reader computes the formula instead of showing an old value.
  if (cell.type != CellType::kNumber && !formula) {
    out += " t=\"";
    out += kTypeNames[static_cast<std::size_t>(cell.type)];
    out += '"';
  }
  if (cell.detail) AppendAttributes(out, cell.detail->attributes);
  const bool has_inline = cell.detail && !cell.detail->inline_xml.empty();
  if (!formula && cell.value.empty() && !has_inline) {
    out += "/>";
    return;
  }
  out += '>';
  if (formula) {
    out += '<';
    out += prefix;
    out += 'f';
    AppendAttributes(out, formula->attributes);
    out += '>';
    AppendEscapedText(out, formula->text);
    out += "</";
    out += prefix;
    out += "f>";
  }
  if (!cell.value.empty() && !formula) {
    out += '<';
    out += prefix;
    out += "v>";
    AppendEscapedText(out, cell.value);
    out += "</";
    out += prefix;
    out += "v>";
  }
  if (has_inline) out += cell.detail->inline_xml;
  out += "</";
  out += prefix;
  out += "c>";
}

}  // namespace

std::string_view FindValue(const XmlAttributes& attributes, std::string_view name) {
  for (const auto& [key, value] : attributes) {
    if (key == name) return value;
  }
  return {};
}

void SetValue(XmlAttributes& attributes, std::string_view name, std::string value) {
  for (auto& [key, existing] : attributes) {
    if (key == name) {
      existing = std::move(value);
      return;
    }
  }
  attributes.emplace_back(std::string(name), std::move(value));
}

void EraseValue(XmlAttributes& attributes, std::string_view name) {
  std::erase_if(attributes, [&](const auto& attribute) { return attribute.first == name; });
}

Cell::Cell(const Cell& other)
    : col(other.col),
      style(other.style),
      type(other.type),
      value(other.value),
      detail(other.detail ? std::make_unique<CellDetail>(*other.detail) : nullptr) {}

Cell& Cell::operator=(const Cell& other) {
  if (this != &other) *this = Cell(other);
  return *this;
}

const CellFormula* Cell::Formula() const {
  return detail && detail->formula ? &*detail->formula : nullptr;
}

CellFormula* Cell::Formula() { return detail && detail->formula ? &*detail->formula : nullptr; }

CellDetail& Cell::Detail() {
  if (!detail) detail = std::make_unique<CellDetail>();
  return *detail;
}

void Cell::ClearContent() {
  value.clear();
  type = CellType::kNumber;
  detail.reset();
}

bool Cell::IsBlank() const {
  return value.empty() && !Formula() && !(detail && !detail->inline_xml.empty());
}

Cell* Row::Find(int col) { return FindByKey<&Cell::col>(cells, col); }

const Cell* Row::Find(int col) const { return const_cast<Row*>(this)->Find(col); }

Cell& Row::Obtain(int col) { return ObtainByKey<&Cell::col>(cells, col); }

std::optional<std::uint32_t> Row::Style() const {
  if (!attributes) return std::nullopt;
  const std::string_view custom = FindValue(*attributes, "customFormat");
  if (custom != "1" && custom != "true") return std::nullopt;
  const auto style = ParseInt(FindValue(*attributes, "s"));
  if (!style || *style < 0) return std::nullopt;
  return static_cast<std::uint32_t>(*style);
}

Row* SheetRows::Find(int row) { return FindByKey<&Row::number>(rows_, row); }

const Row* SheetRows::Find(int row) const { return const_cast<SheetRows*>(this)->Find(row); }

Row& SheetRows::Obtain(int row) { return ObtainByKey<&Row::number>(rows_, row); }

std::pair<std::size_t, std::size_t> SheetRows::Range(int first, int last) const {
  const auto by_number = [](const Row& r, int number) { return r.number < number; };
  const auto begin = std::lower_bound(rows_.begin(), rows_.end(), first, by_number);
  const auto end = std::lower_bound(begin, rows_.end(), last + 1, by_number);
  return {static_cast<std::size_t>(begin - rows_.begin()),
          static_cast<std::size_t>(end - rows_.begin())};
}

void SheetRows::Read(pugi::xml_node sheet_data, std::string_view workbook_name,
                     std::string_view part_name) {
  const auto damaged = [&](const std::string& problem) {
    return DamagedPart(workbook_name, part_name, problem);
  };
  rows_.clear();
  int previous_row = 0;
  for (pugi::xml_node row_node : sheet_data.children()) {
    if (row_node.type() != pugi::node_element || LocalName(row_node) != "row") continue;
    Row row;
    const pugi::xml_attribute r = row_node.attribute("r");
    const std::optional<int> number = r ? ParseInt(r.value()) : previous_row + 1;
    if (!number || *number < 1 || *number > kMaxRows) {
      throw damaged(std::string("holds an invalid row number (\"") + r.value() + "\").");
    }
    row.number = *number;
    previous_row = row.number;
    XmlAttributes attributes;
    for (pugi::xml_attribute attribute : row_node.attributes()) {
      const std::string_view name = attribute.name();
      if (name != "r" && name != "spans") attributes.emplace_back(name, attribute.value());
    }
    if (!attributes.empty()) {
      row.attributes = std::make_shared<const XmlAttributes>(std::move(attributes));
    }
    int previous_col = 0;
    for (pugi::xml_node cell_node : row_node.children()) {
      if (cell_node.type() != pugi::node_element || LocalName(cell_node) != "c") continue;
      int col = previous_col + 1;
      if (const pugi::xml_attribute address = cell_node.attribute("r")) {
        const auto ref = ParseCellAddress(address.value());
        if (!ref)
          throw damaged(std::string("holds an invalid cell address (\"") + address.value() +
                        "\").");
        col = ref->col;
      }
      if (col > kMaxColumns) throw damaged("holds a cell beyond the last column.");
      previous_col = col;
      row.cells.push_back(ReadCell(cell_node, col));
    }
    std::stable_sort(row.cells.begin(), row.cells.end(),
                     [](const Cell& a, const Cell& b) { return a.col < b.col; });
    const auto duplicate =
        std::adjacent_find(row.cells.begin(), row.cells.end(),
                           [](const Cell& a, const Cell& b) { return a.col == b.col; });
    if (duplicate != row.cells.end()) {
      throw damaged("holds a cell that appears twice (" +
                    CellAddress({duplicate->col, row.number}) + ").");
    }
    rows_.push_back(std::move(row));
  }
  std::stable_sort(rows_.begin(), rows_.end(),
                   [](const Row& a, const Row& b) { return a.number < b.number; });
  const auto duplicate = std::adjacent_find(
      rows_.begin(), rows_.end(), [](const Row& a, const Row& b) { return a.number == b.number; });
  if (duplicate != rows_.end())
    throw damaged("holds a row that appears twice (row " + std::to_string(duplicate->number) +
                  ").");
  ExpandSharedFormulas(rows_);
}

void SheetRows::Write(std::string& out, std::string_view prefix) const {
  for (const Row& row : rows_) {
    out += '<';
    out += prefix;
    out += "row r=\"";
    AppendInt(out, row.number);
    out += '"';
    if (row.attributes) AppendAttributes(out, *row.attributes);
    if (row.cells.empty()) {
      out += "/>";
      continue;
    }
    out += '>';
    for (const Cell& cell : row.cells) WriteCell(out, prefix, row.number, cell);
    out += "</";
    out += prefix;
    out += "row>";
  }
}

int SheetRows::LastRow() const {
  for (auto row = rows_.rbegin(); row != rows_.rend(); ++row) {
    if (!row->cells.empty()) return row->number;
  }
  return 0;
}

int SheetRows::LastColumn() const {
  int last = 0;
  for (const Row& row : rows_) {
    if (!row.cells.empty()) last = std::max(last, row.cells.back().col);
  }
  return last;
}

std::string SheetRows::Dimension() const {
  int first_row = 0, first_col = kMaxColumns + 1;
  for (const Row& row : rows_) {
    if (row.cells.empty()) continue;
    if (first_row == 0) first_row = row.number;
    first_col = std::min(first_col, row.cells.front().col);
  }
  if (first_row == 0) return "A1";
  const std::string first = CellAddress({first_col, first_row});
  const std::string last = CellAddress({LastColumn(), LastRow()});
  return first == last ? first : first + ":" + last;
}

}  // namespace korvanta::workbook
