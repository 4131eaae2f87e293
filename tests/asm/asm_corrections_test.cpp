// The formulas in words and the readings a corrected value comes from, as the background and
// dye settings make them (checked against the instrument's own numbers in the examples:
// (0.382 - 0.013 - 0.08 * 0.220) * 50 = 17.57).
#include "asm/asm_corrections.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace korvanta {
namespace {

TEST(AsmCorrections, FormulasAndSourcesFollowTheSettings) {
  const struct {
    std::optional<std::int32_t> background;
    std::string_view dye_correction;
    std::string_view dye_corrected;
    std::vector<std::string> sources;
  } cases[] = {
      {0, "0.08", "(A260 - A320 - 0.08 * A550)", {"a260", "a320", "dye"}},
      {1, "0.08", "(A260 - 0.08 * A550)", {"a260", "dye"}},
      {0, "0", "(A260 - A320)", {"a260", "a320"}},
      {2, "", "A260", {"a260"}},
      {std::nullopt, "n/a", "A260", {"a260"}},  // the file ended before the code
  };
  for (const auto& c : cases) {
    const AsmCorrections corrections(c.background, c.dye_correction, 550.0);
    EXPECT_EQ(corrections.DyeCorrected("A260"), c.dye_corrected);
    EXPECT_EQ(corrections.Sources({"a260", ""}, "a320", "dye"), c.sources);
    EXPECT_EQ(corrections.Explanation().find("A320") != std::string::npos, c.background == 0);
  }
  const AsmCorrections on(0, "", std::nullopt);
  EXPECT_EQ(on.Reading("A260") + " / " + on.Reading("A280"), "(A260 - A320) / (A280 - A320)");
  EXPECT_EQ(on.Sources({"a260", "a320"}, "a320", ""), (std::vector<std::string>{"a260", "a320"}));
  EXPECT_THAT(on.DyeConcentration("150000"), testing::StartsWith("(A(dye) - A320) / 150000"));
}

}  // namespace
}  // namespace korvanta
