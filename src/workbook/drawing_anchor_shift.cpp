// Drawing objects follow the cells they are anchored to: images and charts in drawing parts,
// and the shapes of notes in legacy VML drawings.
#include <charconv>
#include <string>
#include <vector>

#include "workbook/opc.h"
#include "workbook/part_handlers.h"
#include "workbook/sheet_shift.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

// One corner of an anchor: a zero-based row or column with an offset into it.
struct Marker {
  pugi::xml_node index;
  pugi::xml_node offset;
};

Marker MarkerOf(pugi::xml_node corner, const Shift& shift) {
  return IsRows(shift) ? Marker{FirstChild(corner, "row"), FirstChild(corner, "rowOff")}
                       : Marker{FirstChild(corner, "col"), FirstChild(corner, "colOff")};
}

// The marker moved with its cell; a corner in deleted cells goes to where they were. A lower
// or right edge lying exactly on an insertion stays where it is.
int MovedIndex(const Marker& marker, const Shift& shift, bool is_end) {
  const int index = ReadIndex(marker.index.text().as_llong(), shift);
  const long long offset = marker.offset.text().as_llong();
  const int one_based = index + 1;
  if (shift.count > 0) {
    if (is_end && offset == 0 && one_based == shift.at) return index;
    return one_based >= shift.at ? index + shift.count : index;
  }
  if (const auto moved = ShiftedIndex(one_based, shift)) return *moved - 1;
  return shift.at - 1;
}

void SetMarker(const Marker& marker, int index, bool clear_offset) {
  marker.index.text().set(index);
  if (clear_offset && marker.offset) marker.offset.text().set(0);
}

bool InDeletedRange(const Marker& marker, const Shift& shift) {
  return shift.count < 0 &&
         !ShiftedIndex(ReadIndex(marker.index.text().as_llong(), shift) + 1, shift);
}

void ShiftAnchor(pugi::xml_node anchor, const Shift& shift) {
  const std::string_view kind = LocalName(anchor);
  if (kind != "twoCellAnchor" && kind != "oneCellAnchor") return;
  std::string_view edit_as = anchor.attribute("editAs").value();
  if (kind == "oneCellAnchor") edit_as = "oneCell";
  if (edit_as == "absolute") return;

  const pugi::xml_node from_corner = FirstChild(anchor, "from");
  const pugi::xml_node to_corner = FirstChild(anchor, "to");
  const Marker from = MarkerOf(from_corner, shift);
  if (!from.index) return;
  const int from_old = ReadIndex(from.index.text().as_llong(), shift);
  const int from_new = MovedIndex(from, shift, false);
  const bool from_deleted = InDeletedRange(from, shift);
  SetMarker(from, from_new, from_deleted);
  if (!to_corner) return;
  const Marker to = MarkerOf(to_corner, shift);
  if (!to.index) return;
  if (edit_as == "oneCell") {
    // Moved with its top-left cell, never resized.
    SetMarker(to, ReadIndex(to.index.text().as_llong(), shift) + (from_new - from_old), false);
    return;
  }
  const int to_new = MovedIndex(to, shift, true);
  SetMarker(to, to_new, InDeletedRange(to, shift));
}

std::vector<long long> ParseNumbers(std::string_view list) {
  std::vector<long long> numbers;
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t end = std::min(list.find(',', start), list.size());
    std::string_view item = list.substr(start, end - start);
    while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
    while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
    long long value = 0;
    std::from_chars(item.data(), item.data() + item.size(), value);
    numbers.push_back(value);
    start = end + 1;
  }
  return numbers;
}

std::string JoinNumbers(const std::vector<long long>& numbers) {
  std::string list;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) list += ", ";
    list += std::to_string(numbers[i]);
  }
  return list;
}

void ShiftDrawingAnchors(pugi::xml_node drawing, const Shift& shift) {
  for (pugi::xml_node anchor : drawing.children()) {
    if (anchor.type() == pugi::node_element) ShiftAnchor(anchor, shift);
  }
}

// The anchors of notes in a legacy (VML) drawing; shapes of deleted cells are removed.
void ShiftVmlAnchors(pugi::xml_node vml, const Shift& shift) {
  for (pugi::xml_node data : DescendantsNamed(vml, "ClientData")) {
    const pugi::xml_node cell_index = FirstChild(data, IsRows(shift) ? "Row" : "Column");
    if (!cell_index) continue;
    const int index = ReadIndex(cell_index.text().as_llong(), shift);
    const auto moved = ShiftedIndex(index + 1, shift);
    if (!moved) {
      // The note's cell is gone, and the note with it.
      pugi::xml_node shape = data.parent();
      shape.parent().remove_child(shape);
      continue;
    }
    const int delta = *moved - 1 - index;
    cell_index.text().set(*moved - 1);
    if (pugi::xml_node anchor = FirstChild(data, "Anchor")) {
      std::vector<long long> numbers = ParseNumbers(anchor.text().get());
      if (numbers.size() == 8) {
        // LeftColumn, LeftOffset, TopRow, TopOffset, RightColumn, RightOffset, BottomRow, ...
        const std::size_t first = IsRows(shift) ? 2 : 0;
        numbers[first] += delta;
        numbers[first + 4] += delta;
        anchor.text().set(JoinNumbers(numbers).c_str());
      }
    }
  }
}

}  // namespace

void ShiftDrawings(const SheetEdit& edit, const Shift& shift) {
  for (const Relationship& relationship : RelatedParts(edit.package, edit.part, "drawing")) {
    ShiftDrawingAnchors(edit.package.Xml(relationship.target).document_element(), shift);
  }
}

void ShiftLegacyDrawings(const SheetEdit& edit, const Shift& shift) {
  for (const Relationship& relationship : RelatedParts(edit.package, edit.part, "vmlDrawing")) {
    // Legacy drawings are often not well-formed XML; such a part keeps its anchors.
    pugi::xml_document vml;
    const std::string bytes = edit.package.Read(relationship.target);
    if (!vml.load_buffer(bytes.data(), bytes.size(), pugi::parse_full | pugi::parse_ws_pcdata)) {
      continue;
    }
    const std::string before = SerializeXml(vml);
    ShiftVmlAnchors(vml.document_element(), shift);
    std::string after = SerializeXml(vml);
    if (after != before) edit.package.Write(relationship.target, std::move(after));
  }
}

}  // namespace korvanta::workbook
