// The measurement time of an ASM document. Export files hold none, so it is the file's
// modification time, in RFC 3339 with the local UTC offset.
#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace korvanta {

// "2025-03-14T09:30:00+01:00": `moment` in local time with its offset, or in UTC ("+00:00")
// where `in_utc`.
std::string Rfc3339Time(std::time_t moment, bool in_utc);

// The modification time of `file`; a fixed time (SOURCE_DATE_EPOCH) in UTC instead, so that
// reproducible runs read the same everywhere. The file must exist.
std::string MeasurementTime(const std::filesystem::path& file, std::optional<std::time_t> fixed);
// Where MeasurementTime takes the time from, in words, for the document's reader.
std::string_view MeasurementTimeOrigin(std::optional<std::time_t> fixed);

}  // namespace korvanta
