// Bounds of the Protein and Concentration reports, far beyond any measurement of the
// instrument (its tables held 22 wavelengths and 9,981 samples), so that a damaged count
// cannot grow a report that exhausts memory.
#pragma once

#include <cstdint>

namespace korvanta {

inline constexpr int kMaxProteinWavelengths = 1024;
// Cells of the grown tables together (standards and samples, each row its columns).
inline constexpr std::int64_t kMaxProteinTableCells = 1024 * 1024;

}  // namespace korvanta
