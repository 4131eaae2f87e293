// Conversion settings taken from the environment.
#include <charconv>
#include <cstdlib>
#include <string_view>

#include "driver/conversion.h"

namespace korvanta {
namespace {

// SOURCE_DATE_EPOCH: whole seconds since 1970; anything else is ignored.
std::optional<std::time_t> SourceDateEpoch() {
  const char* value = std::getenv("SOURCE_DATE_EPOCH");
  if (value == nullptr) return std::nullopt;
  const std::string_view text(value);
  long long seconds = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (error != std::errc{} || end != text.data() + text.size() || text.empty() || seconds < 0) {
    return std::nullopt;
  }
  return static_cast<std::time_t>(seconds);
}

}  // namespace

ConversionSettings SettingsFromEnvironment(std::filesystem::path template_dir) {
  ConversionSettings settings;
  settings.template_dir = std::move(template_dir);
  settings.fixed_time = SourceDateEpoch();
  return settings;
}

}  // namespace korvanta
