// Replacing a file all at once: the new content goes to a temporary file beside it, which
// takes the file's place only when completely written.
#pragma once

#include <filesystem>
#include <string_view>

namespace korvanta::workbook {

// Every failure is a WorkbookError naming `path`; the temporary file is then removed and an
// existing file at `path` is left as it was.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace korvanta::workbook
