#include "workbook/workbook_errors.h"

namespace korvanta::workbook {
namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

WorkbookError UnopenableWorkbook(std::string_view workbook, std::string_view reason) {
  return WorkbookError("The workbook " + Quoted(workbook) +
                       " can not be opened: " + std::string(reason));
}

WorkbookError DocumentTypeDeclared(std::string_view workbook, std::string_view part) {
  return UnopenableWorkbook(workbook, "its part " + Quoted(part) +
                                          " declares a document type (<!DOCTYPE ...>), which no "
                                          "part of a workbook may do.");
}

WorkbookError UnusableWorkbook(std::string_view workbook, std::string_view reason) {
  return WorkbookError("The workbook " + Quoted(workbook) +
                       " can not be used: " + std::string(reason));
}

WorkbookError DamagedPart(std::string_view workbook, std::string_view part,
                          std::string_view problem) {
  return WorkbookError("The workbook " + Quoted(workbook) + " is damaged: the part " +
                       Quoted(part) + " " + std::string(problem));
}

WorkbookError MergeAcrossCopiedRows(std::string_view merge, std::string_view sheet, int edge,
                                    std::string_view rows, std::string_view what) {
  return WorkbookError("The merged cells " + std::string(merge) + " on sheet " +
                       std::string(sheet) + " reach across row " + std::to_string(edge) +
                       ", the edge of the rows " + std::string(rows) + " that the report " +
                       std::string(what) +
                       "; merge cells within those rows or unmerge them in the template.");
}

WorkbookError NoRoomToInsert(std::string_view what, std::string_view cell) {
  return WorkbookError("The sheet can not hold the inserted " + std::string(what) + ": its cell " +
                       std::string(cell) + " would be pushed off its end.");
}

WorkbookError UnwritableWorkbook(std::string_view workbook, std::string_view reason) {
  return WorkbookError("The workbook " + Quoted(workbook) +
                       " can not be written: " + std::string(reason));
}

WorkbookError UnsavableWorkbook(const std::filesystem::path& path, std::string_view reason) {
  return WorkbookError("Can not save " + Quoted(path.string()) + ": " + std::string(reason));
}

}  // namespace korvanta::workbook
