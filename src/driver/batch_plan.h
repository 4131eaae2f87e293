// A batch's outputs planned before any conversion starts: each input's report name, and the
// refusal of an input whose report an earlier input of the batch already writes. The command
// and the window plan their batches here.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "driver/conversion.h"
#include "driver/report_claims.h"

namespace korvanta {

// Where a batch's reports go: the one report a single input names, else every report in one
// folder, else each beside its input; always <input stem>.xlsx unless named.
struct BatchOutputs {
  std::optional<std::string> report;
  std::optional<std::string> folder;
  OutputFormats formats;
};

struct BatchEntry {
  std::string input;
  std::string output;   // the report as named; ".xlsx" is appended at saving where it lacks it
  std::string refusal;  // why the input is not converted at all; empty when it is
};

class BatchPlan {
 public:
  explicit BatchPlan(BatchOutputs outputs) : outputs_(std::move(outputs)) {}

  // The entry of `input`, refused when an input added before writes the same report (or,
  // without a report, the same ASM document: its name follows from the report's).
  BatchEntry Add(const std::string& input);

 private:
  BatchOutputs outputs_;
  ReportClaims claims_;
};

}  // namespace korvanta
