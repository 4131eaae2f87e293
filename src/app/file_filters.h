// The filters of the open and save dialogs, in Qt's notation ("Name (*.ext);;Other (*)").
#pragma once

#include <QString>
#include <string_view>

namespace korvanta::gui {

// The filter entry of a data type ("Protein (*.pro) | *.pro") followed by all files; all files
// alone when there is no entry.
QString OpenDialogFilter(std::string_view type_filter_entry);
// "Excel File (*.xlsx)".
QString SaveDialogFilter();

}  // namespace korvanta::gui
