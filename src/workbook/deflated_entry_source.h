// A libzip source that hands an entry's deflated bytes over as they are, so that a part left
// unedited is copied into the new package without being inflated and compressed again.
#pragma once

#include <zip.h>

#include <cstdint>
#include <string>

namespace korvanta::workbook {

struct DeflatedEntry {
  std::string bytes;       // the raw deflate stream, as stored in the zip entry
  std::uint64_t size = 0;  // inflated
  std::uint32_t crc = 0;   // of the inflated bytes
};

// The entry must outlive the archive's zip_close. Returns nullptr when out of memory.
zip_source_t* DeflatedEntrySource(zip_t* archive, const DeflatedEntry& entry);

}  // namespace korvanta::workbook
