// Writing and reading test files as bytes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace korvanta::test {

// Writes `content` to `path` as bytes, creating its folder.
void WriteFile(const std::filesystem::path& path, std::string_view content);
// The bytes of a file ("" when it cannot be read).
std::string ReadFile(const std::filesystem::path& path);

}  // namespace korvanta::test
