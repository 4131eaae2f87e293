// Conversion settings taken from the environment.
#include <charconv>
#include <cstdlib>
#include <string_view>

#include "driver/conversion.h"
#include "driver/template_folders.h"

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

ConversionSettings SettingsFromEnvironment(std::optional<std::filesystem::path> template_dir) {
  ConversionSettings settings;
  settings.fixed_time = SourceDateEpoch();
  if (template_dir) {
    settings.template_dir = std::move(*template_dir);
  } else {
    settings.template_dir = InstalledTemplateDirectory();
    settings.user_template_dir = UserTemplateDirectory().value_or(std::filesystem::path());
  }
  return settings;
}

}  // namespace korvanta
