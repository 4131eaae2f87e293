// A batch's report names and the refusal of an input whose report an earlier input writes, as
// the command and the window both plan them.
#include "driver/batch_plan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvanta {
namespace {

struct Planned {
  std::string output;
  std::string refusal;
};

struct Batch {
  const char* what;
  BatchOutputs outputs;
  std::vector<std::string> inputs;
  std::vector<Planned> expected;
};

TEST(BatchPlan, NamesEachReportAndRefusesALaterInputWritingAnEarlierOnesReport) {
  const OutputFormats asm_only{false, true};
  const Batch batches[] = {
      {"beside each input: one stem in two folders is two reports",
       {},
       {"/a/plate.pht", "/b/plate.pro"},
       {{"/a/plate.xlsx", ""}, {"/b/plate.xlsx", ""}}},
      {"beside each input: one stem in one folder is one report",
       {},
       {"/a/plate.pht", "/a/plate.PRO"},
       {{"/a/plate.xlsx", ""},
        {"/a/plate.xlsx", "/a/plate.xlsx is the report of /a/plate.pht in this run"}}},
      {"one folder: the refused input does not take the report from the first",
       {std::nullopt, "/out", {}},
       {"/a/plate.pht", "/b/plate.pro", "/a/run.tsc", "/c/plate.tm"},
       {{"/out/plate.xlsx", ""},
        {"/out/plate.xlsx", "/out/plate.xlsx is the report of /a/plate.pht in this run"},
        {"/out/run.xlsx", ""},
        {"/out/plate.xlsx", "/out/plate.xlsx is the report of /a/plate.pht in this run"}}},
      {"a named report gets .xlsx only when it is written",
       {"/out/r", std::nullopt, {}},
       {"/a/plate.pht", "/b/run.pro"},
       {{"/out/r", ""}, {"/out/r", "/out/r.xlsx is the report of /a/plate.pht in this run"}}},
      {"without a report the ASM document is the one written twice",
       {"/out/r.XLSX", std::nullopt, asm_only},
       {"/a/plate.pht", "/b/run.pro"},
       {{"/out/r.XLSX", ""},
        {"/out/r.XLSX", "/out/r.json is the ASM document of /a/plate.pht in this run"}}},
  };
  for (const Batch& batch : batches) {
    BatchPlan plan(batch.outputs);
    ASSERT_EQ(batch.inputs.size(), batch.expected.size()) << batch.what;
    for (std::size_t i = 0; i < batch.inputs.size(); ++i) {
      const BatchEntry entry = plan.Add(batch.inputs[i]);
      EXPECT_EQ(entry.input, batch.inputs[i]) << batch.what;
      EXPECT_EQ(entry.output, batch.expected[i].output) << batch.what << ", input " << i;
      EXPECT_EQ(entry.refusal, batch.expected[i].refusal) << batch.what << ", input " << i;
    }
  }
}

}  // namespace
}  // namespace korvanta
