// The engine's one exception type and the messages it carries: each a whole sentence that names
// the workbook and the place, built here so that the wording stays the same at every site.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace korvanta::workbook {

// Every failure to read, edit or save a workbook. The message is meant for the user.
class WorkbookError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// 'The workbook "NAME" can not be opened: REASON' (the file or its zip package).
WorkbookError UnopenableWorkbook(std::string_view workbook, std::string_view reason);
// 'The workbook "NAME" can not be opened: its part "PART" declares a document type ...': the
// package format forbids such declarations, whose entities may expand without bound.
WorkbookError DocumentTypeDeclared(std::string_view workbook, std::string_view part);
// 'The workbook "NAME" can not be used: REASON' (a package that is no workbook we can edit).
WorkbookError UnusableWorkbook(std::string_view workbook, std::string_view reason);
// 'The workbook "NAME" is damaged: the part "PART" PROBLEM' ("is missing.").
WorkbookError DamagedPart(std::string_view workbook, std::string_view part,
                          std::string_view problem);
// 'The merged cells MERGE on sheet SHEET reach across row EDGE, the edge of the rows ROWS that
// the report WHAT; ...' (WHAT: "copies", "pastes over"), each as the template has it.
WorkbookError MergeAcrossCopiedRows(std::string_view merge, std::string_view sheet, int edge,
                                    std::string_view rows, std::string_view what);
// 'The sheet can not hold the inserted WHAT: its cell CELL would be pushed off its end.'
WorkbookError NoRoomToInsert(std::string_view what, std::string_view cell);
// 'The workbook "NAME" can not be written: REASON' (building the new package in memory).
WorkbookError UnwritableWorkbook(std::string_view workbook, std::string_view reason);
// 'Can not save "PATH": REASON' (putting the new package in its place on disk).
WorkbookError UnsavableWorkbook(const std::filesystem::path& path, std::string_view reason);

}  // namespace korvanta::workbook
