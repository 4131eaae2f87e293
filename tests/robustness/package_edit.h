// Taking workbook packages apart and putting them together again, to damage them on purpose.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvanta::test {

using PackageEntries = std::vector<std::pair<std::string, std::string>>;

// The entries of a zip in order, with their content.
PackageEntries ReadPackage(std::string_view zip);
// A zip of these entries, compressed.
std::string WritePackage(const PackageEntries& entries);

// The content of one entry ("" when missing).
std::string PackagePart(std::string_view zip, std::string_view name);
// The package with one entry's content replaced (or added), or removed.
std::string WithPart(std::string_view zip, std::string_view name, std::string content);
std::string WithoutPart(std::string_view zip, std::string_view name);

// `text` with every `from` replaced by `to`; throws when `from` does not occur.
std::string Replaced(std::string text, std::string_view from, std::string_view to);

}  // namespace korvanta::test
