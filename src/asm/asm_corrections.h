// How the instrument corrects its readings before it works values out of them, as the file's
// settings make it: the background read at 320 nm, a dye's share of a reading. Gives the
// formulas in words and the readings a value comes from.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta {

class AsmCorrections {
 public:
  // `background` the file's code (0: on); `dye_correction` the dye's correction factor as read,
  // empty or 0 where no dye is read; `dye_wavelength` where the dye is read.
  AsmCorrections(std::optional<std::int32_t> background, std::string_view dye_correction,
                 std::optional<double> dye_wavelength);

  // "(A260 - A320)" with the background on, else "A260".
  std::string Reading(std::string_view name) const;
  // The reading less the dye's share: "(A260 - A320 - 0.08 * A550)".
  std::string DyeCorrected(std::string_view name) const;
  // The dye's own reading, "(A550 - A320)" with the background on.
  std::string DyeReading() const;
  // The dye's concentration in micromoles per litre: its reading over `extinction_coefficient`.
  std::string DyeConcentration(std::string_view extinction_coefficient) const;
  // What the background setting does, to follow a formula: "; background correction on: ...".
  std::string BackgroundExplanation() const;
  // That and what the dye correction does.
  std::string Explanation() const;
  // `ids` with the background reading `a320` (when on) and the dye reading `dye` (when it
  // corrects) that a corrected value also comes from; empty identifiers left out.
  std::vector<std::string> Sources(std::vector<std::string> ids, const std::string& a320,
                                   const std::string& dye) const;

  bool Background() const { return background_; }
  bool DyeCorrects() const { return dye_correction_.has_value(); }

 private:
  bool background_ = false;
  std::optional<double> dye_correction_;
  std::string dye_correction_text_;
  std::string dye_name_;
};

}  // namespace korvanta
