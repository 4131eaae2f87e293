#include <type_traits>

#include "formats/code_tables.h"
#include "inspect/describers.h"
#include "text/number_format.h"

namespace korvanta {
namespace {

template <typename Number>
std::string JoinWavelengths(const std::vector<Number>& wavelengths) {
  std::string text;
  for (const Number wavelength : wavelengths) {
    if (!text.empty()) text += ", ";
    if constexpr (std::is_floating_point_v<Number>) {
      text += text::FormatDecimal(wavelength, 4);
    } else {
      text += std::to_string(wavelength);
    }
  }
  return text;
}

}  // namespace

std::string WavelengthList(const std::vector<float>& wavelengths) {
  return JoinWavelengths(wavelengths);
}

std::string WavelengthList(const std::vector<std::int32_t>& wavelengths) {
  return JoinWavelengths(wavelengths);
}

void PathLengthSetting(InspectionContext& context, const std::optional<std::int32_t>& code) {
  context.Setting("pathlength", context.DecodeCode("pathlength", code, PathLengthText));
}

}  // namespace korvanta
