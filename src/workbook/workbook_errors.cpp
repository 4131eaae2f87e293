#include "workbook/workbook_errors.h"

namespace korvanta::workbook {
namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

WorkbookError UnopenableWorkbook(std::string_view workbook, std::string_view reason) {
  return WorkbookError("The workbook " + Quoted(workbook) +
                       " can not be opened: " + std::string(reason));
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

WorkbookError UnwritableWorkbook(std::string_view workbook, std::string_view reason) {
  return WorkbookError("The workbook " + Quoted(workbook) +
                       " can not be written: " + std::string(reason));
}

WorkbookError UnsavableWorkbook(const std::filesystem::path& path, std::string_view reason) {
  return WorkbookError("Can not save " + Quoted(path.string()) + ": " + std::string(reason));
}

}  // namespace korvanta::workbook
