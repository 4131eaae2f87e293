#include "asm/measurement_time.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace korvanta {
namespace {

std::tm Parts(std::time_t moment, bool in_utc) {
  std::tm parts{};
#if defined(_WIN32)
  if (in_utc) {
    gmtime_s(&parts, &moment);
  } else {
    localtime_s(&parts, &moment);
  }
#else
  if (in_utc) {
    gmtime_r(&moment, &parts);
  } else {
    localtime_r(&moment, &parts);
  }
#endif
  return parts;
}

// Seconds since 1970 of broken-down time read as UTC (days from the civil calendar).
long long SecondsAsUtc(const std::tm& parts) {
  const long long year = parts.tm_year + 1900LL - (parts.tm_mon < 2 ? 1 : 0);
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const long long year_of_era = year - era * 400;
  const long long month = parts.tm_mon + 1;
  const long long day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + parts.tm_mday - 1;
  const long long day_of_era =
      year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  const long long days = era * 146097 + day_of_era - 719468;
  return days * 86400 + parts.tm_hour * 3600LL + parts.tm_min * 60LL + parts.tm_sec;
}

}  // namespace

std::string Rfc3339Time(std::time_t moment, bool in_utc) {
  const std::tm parts = Parts(moment, in_utc);
  // The offset is what the local calendar reads ahead of UTC at that moment.
  const long long offset = in_utc ? 0 : SecondsAsUtc(parts) - SecondsAsUtc(Parts(moment, true));
  const int minutes = static_cast<int>(std::llabs(offset) / 60 % (24 * 60));
  std::array<char, 64> text{};
  const std::size_t length = std::strftime(text.data(), text.size(), "%Y-%m-%dT%H:%M:%S", &parts);
  std::array<char, 16> zone{};
  std::snprintf(zone.data(), zone.size(), "%c%02d:%02d", offset < 0 ? '-' : '+', minutes / 60,
                minutes % 60);
  return std::string(text.data(), length) + zone.data();
}

std::string MeasurementTime(const std::filesystem::path& file, std::optional<std::time_t> fixed) {
  if (fixed) return Rfc3339Time(*fixed, true);
  const auto modified = std::chrono::file_clock::to_sys(std::filesystem::last_write_time(file));
  const auto seconds = std::chrono::time_point_cast<std::chrono::seconds>(modified);
  return Rfc3339Time(std::chrono::system_clock::to_time_t(seconds), false);
}

std::string_view MeasurementTimeOrigin(std::optional<std::time_t> fixed) {
  return fixed ? "SOURCE_DATE_EPOCH, fixed for reproducible output; the export file holds no time"
               : "the export file's modification time; the export file holds no time";
}

}  // namespace korvanta
