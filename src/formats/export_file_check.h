// Telling an export file from a file of another kind before anything is written: every format
// opens with an integer line, and no export file is binary.
#pragma once

#include <string_view>

namespace korvanta {

// Throws an ExportFileError "NAME is not a TYPE export file: ..." that says what the file holds
// instead when `bytes` cannot be an export file: it holds no text, its first field (read as an
// integer line in every format, after any blank lines) does not start with a number, or it
// holds a NUL byte. A file that starts with the signature of a binary container (a workbook,
// a PDF, an image) is named as such. `type_name` is the type its extension promised
// ("Photometry"). What follows the first field is left to the lenient reading of the formats.
void CheckIsExportFile(std::string_view bytes, std::string_view file_name,
                       std::string_view type_name);

}  // namespace korvanta
