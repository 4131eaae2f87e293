// Pivot tables over the edited sheet: the source range of each pivot cache on the sheet
// (<worksheetSource ref sheet>) moves and grows with its rows and columns, and the cache asks
// to be refreshed on load, since its stored records no longer match the range. A pivot table
// placed on the sheet moves with its cells.
#include <string>

#include "workbook/cell_area.h"
#include "workbook/opc.h"
#include "workbook/part_handlers.h"
#include "workbook/sheet_shift.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

// The source element of a cache that reads a range of `sheet_name` in this workbook.
pugi::xml_node SourceOnSheet(pugi::xml_node cache, std::string_view sheet_name) {
  const pugi::xml_node source = FirstChild(FirstChild(cache, "cacheSource"), "worksheetSource");
  if (!source || !source.attribute("ref") || FindAttribute(source, "id", true) ||
      !EqualsIgnoreCase(source.attribute("sheet").value(), sheet_name)) {
    return {};
  }
  return source;
}

// Edits the source range of every cache on the sheet for which `edit` gives a new one.
template <typename Edit>
void EditSources(Package& package, std::string_view sheet_name, Edit edit) {
  for (const std::string& part : package.PartNames()) {
    if (!part.ends_with(".xml") || ContentTypeOf(package, part) != kPivotCacheDefinitionContentType)
      continue;
    const pugi::xml_node read =
        SourceOnSheet(package.ParsedXml(part).document_element(), sheet_name);
    if (!read) continue;
    const std::optional<std::string> area = edit(std::string_view(read.attribute("ref").value()));
    if (!area || *area == read.attribute("ref").value()) continue;
    pugi::xml_node cache = package.Xml(part).document_element();
    SourceOnSheet(cache, sheet_name).attribute("ref") = area->c_str();
    pugi::xml_attribute refresh = cache.attribute("refreshOnLoad");
    if (!refresh) refresh = cache.append_attribute("refreshOnLoad");
    refresh = "1";
  }
}

void ShiftPivotTableLocations(Package& package, std::string_view sheet_part, const Shift& shift) {
  for (const Relationship& relationship : RelatedParts(package, sheet_part, "pivotTable")) {
    const pugi::xml_node read =
        FirstChild(package.ParsedXml(relationship.target).document_element(), "location");
    const auto moved = AdjustAreaForShift(read.attribute("ref").value(), shift);
    if (!moved || *moved == read.attribute("ref").value()) continue;
    FirstChild(package.Xml(relationship.target).document_element(), "location").attribute("ref") =
        moved->c_str();
  }
}

}  // namespace

void ShiftPivots(const SheetEdit& edit, const Shift& shift) {
  // A source wholly deleted keeps its range: the refresh reports it instead of reading
  // other cells.
  EditSources(edit.package, edit.name,
              [&](std::string_view area) { return AdjustAreaForShift(area, shift); });
  ShiftPivotTableLocations(edit.package, edit.part, shift);
}

// The source's first row holds the field names; copies pasted directly below its data rows,
// from rows among them, are more data.
void PastePivots(const SheetEdit& edit, const Paste& paste, const CopiedBlock&) {
  const RowSpan source = paste.Standing();
  const RowSpan pasted = paste.Pasted();
  EditSources(edit.package, edit.name, [&](std::string_view text) -> std::optional<std::string> {
    auto area = CellArea::Parse(text);
    if (!area || source.first <= area->first_row || source.last > area->last_row ||
        pasted.first != area->last_row + 1) {
      return std::nullopt;
    }
    area->last_row = pasted.last;
    return area->ToString();
  });
}

}  // namespace korvanta::workbook
