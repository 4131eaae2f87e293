#include "driver/conversion_time.h"

#include <array>

namespace korvanta {

std::string FormatConversionTime(std::optional<std::time_t> fixed_time) {
  std::tm parts{};
#if defined(_WIN32)
  if (fixed_time) {
    gmtime_s(&parts, &*fixed_time);
  } else {
    const std::time_t now = std::time(nullptr);
    localtime_s(&parts, &now);
  }
#else
  if (fixed_time) {
    gmtime_r(&*fixed_time, &parts);
  } else {
    const std::time_t now = std::time(nullptr);
    localtime_r(&now, &parts);
  }
#endif
  std::array<char, 64> text{};
  const auto length = std::strftime(text.data(), text.size(), "%Y.%m.%d  %H:%M:%S", &parts);
  return std::string(text.data(), length);
}

}  // namespace korvanta
