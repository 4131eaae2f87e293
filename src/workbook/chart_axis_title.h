// The text of an axis title in a chart part, rewritten where the report knows more than the
// template (a unit read from the file).
#pragma once

#include <pugixml.hpp>
#include <string_view>

#include "workbook/workbook.h"

namespace korvanta::workbook {

// Sets the title text of every axis of `chart_space` drawn in `direction` whose title is
// written out as rich text reading `reads` (paragraphs joined by a line feed), so that a title
// a user wrote otherwise is kept; a title linked to a cell, or an axis without a title, stays
// as it is. The title's first run keeps its formatting; its other runs, fields and paragraphs go.
// Returns whether such a title was found.
bool SetAxisTitleText(pugi::xml_node chart_space, ChartAxisDirection direction,
                      std::string_view reads, std::string_view text);

}  // namespace korvanta::workbook
