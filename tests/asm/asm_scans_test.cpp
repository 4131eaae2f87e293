// A melting curve with settings beyond the float range: no infinity reaches a number field.
#include <gtest/gtest.h>

#include <limits>

#include "asm/asm_builders.h"
#include "formats/tm_format.h"

namespace korvanta {
namespace {

const AsmSource kSource{"scan", "/scan", "2023-11-14T22:13:20+00:00", "TM", "", "", {}};

TEST(AsmScans, TemperaturesBeyondTheFloatRangeAreLeftOut) {
  TmFile tm;
  tm.datamode = 1;
  tm.starttemp = "3e38";
  tm.dataresot = "3e38";
  tm.values = {"0.1", "0.2"};
  tm.temperatures = {3e38f, std::numeric_limits<float>::infinity()};  // 1 x 3e38 + 3e38
  const AsmJson document = TmAsm(tm, kSource);
  const AsmJson& measurements =
      document["spectrophotometry aggregate document"]["spectrophotometry document"][0]
              ["measurement aggregate document"]["measurement document"];
  ASSERT_EQ(measurements.size(), 2u);
  EXPECT_TRUE(measurements[0].contains("compartment temperature"));
  EXPECT_FALSE(measurements[1].contains("compartment temperature"));
}

}  // namespace
}  // namespace korvanta
