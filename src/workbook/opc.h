// The package's relationships and content types: which part points to which, and what each
// part holds.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "workbook/package.h"

namespace korvanta::workbook {

// The format's fixed names, defined once. Each is a string literal, so data() ends in a NUL
// and may be handed to pugixml as it is.
inline constexpr std::string_view kContentTypesPart = "[Content_Types].xml";
inline constexpr std::string_view kRelationshipTypeBase =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

// Namespace URIs.
inline constexpr std::string_view kPackageRelationshipsNs =
    "http://schemas.openxmlformats.org/package/2006/relationships";
inline constexpr std::string_view kOfficeRelationshipsNs =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr std::string_view kSpreadsheetMlNs =
    "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr std::string_view kSpreadsheetDrawingNs =
    "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing";
inline constexpr std::string_view kDrawingMlNs =
    "http://schemas.openxmlformats.org/drawingml/2006/main";
inline constexpr std::string_view kChartNs =
    "http://schemas.openxmlformats.org/drawingml/2006/chart";

// Content types.
inline constexpr std::string_view kChartContentType =
    "application/vnd.openxmlformats-officedocument.drawingml.chart+xml";
inline constexpr std::string_view kDrawingContentType =
    "application/vnd.openxmlformats-officedocument.drawing+xml";
inline constexpr std::string_view kSharedStringsContentType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml";
inline constexpr std::string_view kPivotCacheDefinitionContentType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.pivotCacheDefinition+xml";
inline constexpr std::string_view kRelationshipsContentType =
    "application/vnd.openxmlformats-package.relationships+xml";

struct Relationship {
  std::string id;
  std::string type;    // the full type URI
  std::string target;  // a part name without leading slash, or the raw target when external
  bool external = false;
};

// "xl/worksheets/sheet1.xml" -> "xl/worksheets/_rels/sheet1.xml.rels"; "" -> "_rels/.rels".
std::string RelationshipsPartName(std::string_view source_part);
// A target relative to the source part's folder (or absolute) as a part name; empty when it
// leaves the package.
std::string ResolveTarget(std::string_view source_part, std::string_view target);
// The target as the source part's relationships write it ("../drawings/drawing1.xml").
std::string RelativeTarget(std::string_view source_part, std::string_view target_part);

// Transitional and strict type URIs alike: true when `type` ends in "/" + kind.
bool HasRelationshipKind(std::string_view type, std::string_view kind);

std::vector<Relationship> ReadRelationships(Package& package, std::string_view source_part);
// The internal relationships of this kind whose targets the package holds, in order.
std::vector<Relationship> RelatedParts(Package& package, std::string_view source_part,
                                       std::string_view kind);
// The first internal target of this kind, or empty.
std::string FindRelatedPart(Package& package, std::string_view source_part, std::string_view kind);
std::string FindTargetById(Package& package, std::string_view source_part, std::string_view id);
// Adds a relationship of kRelationshipTypeBase + kind; returns its new id ("rId7").
std::string AddRelationship(Package& package, std::string_view source_part, std::string_view kind,
                            std::string_view target_part);
void RemoveRelationshipsOfKind(Package& package, std::string_view source_part,
                               std::string_view kind);

std::string ContentTypeOf(Package& package, std::string_view part);
// Gives a part the engine adds its content type: through the package's Default for the part's
// extension where that names the type, else through an Override of its own. A package may
// declare even its relationship parts one by one; a part left without a type is dropped by
// strict readers, with every link through it.
void RegisterContentType(Package& package, std::string_view part, std::string_view content_type);
void RemoveContentTypeOverride(Package& package, std::string_view part);

}  // namespace korvanta::workbook
