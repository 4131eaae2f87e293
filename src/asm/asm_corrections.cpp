#include "asm/asm_corrections.h"

#include <algorithm>

#include "text/number_format.h"

namespace korvanta {
namespace {

constexpr std::int32_t kBackgroundOn = 0;
constexpr std::string_view kBackgroundReading = "A320";

}  // namespace

AsmCorrections::AsmCorrections(std::optional<std::int32_t> background,
                               std::string_view dye_correction,
                               std::optional<double> dye_wavelength)
    : background_(background == kBackgroundOn),
      dye_correction_text_(dye_correction),
      dye_name_(dye_wavelength ? "A" + text::ShortestDoubleText(*dye_wavelength)
                               : std::string("A(dye)")) {
  const auto factor = text::ParseTypedNumber(dye_correction);
  if (factor && *factor != 0) dye_correction_ = factor;
}

std::string AsmCorrections::Reading(std::string_view name) const {
  if (!background_) return std::string(name);
  return "(" + std::string(name) + " - " + std::string(kBackgroundReading) + ")";
}

std::string AsmCorrections::DyeCorrected(std::string_view name) const {
  if (!dye_correction_) return Reading(name);
  // The dye's share comes off the reading as read, not off its background.
  std::string reading = "(" + std::string(name);
  if (background_) reading += " - " + std::string(kBackgroundReading);
  return reading + " - " + dye_correction_text_ + " * " + dye_name_ + ")";
}

std::string AsmCorrections::DyeReading() const { return Reading(dye_name_); }

std::string AsmCorrections::DyeConcentration(std::string_view extinction_coefficient) const {
  return DyeReading() + " / " + std::string(extinction_coefficient) +
         " (the dye's extinction coefficient), in micromoles per litre" + BackgroundExplanation();
}

std::string AsmCorrections::BackgroundExplanation() const {
  return background_ ? "; background correction on: A320, the reading at 320 nm, is subtracted"
                     : "; background correction off";
}

std::string AsmCorrections::Explanation() const {
  std::string text = BackgroundExplanation();
  if (dye_correction_) {
    text += "; dye correction " + dye_correction_text_ + ": that share of the dye's reading " +
            dye_name_ + " is subtracted";
  }
  return text;
}

std::vector<std::string> AsmCorrections::Sources(std::vector<std::string> ids,
                                                 const std::string& a320,
                                                 const std::string& dye) const {
  if (background_) ids.push_back(a320);
  if (dye_correction_) ids.push_back(dye);
  std::vector<std::string> present;
  for (std::string& id : ids) {
    if (!id.empty() && std::find(present.begin(), present.end(), id) == present.end()) {
      present.push_back(std::move(id));
    }
  }
  return present;
}

}  // namespace korvanta
