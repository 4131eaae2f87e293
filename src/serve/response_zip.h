// The zip an answer carries when it holds more than one file.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace korvanta::serve {

// (name, bytes) pairs, each name used once.
using ZipEntries = std::vector<std::pair<std::string, std::string>>;

// The entries deflated into a zip written at `scratch` (a file of the request's private
// folder) and read back. Throws std::runtime_error when libzip fails.
std::string ZipOf(const ZipEntries& entries, const std::filesystem::path& scratch);

}  // namespace korvanta::serve
