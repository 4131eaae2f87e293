// Several export files converted into one folder, one after the other, for the window, as
// BatchPlan names their reports; nothing is asked per file and no report is opened.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "driver/batch_plan.h"
#include "driver/conversion.h"

namespace korvanta::gui {

struct BatchOutcome {
  std::string input;
  bool converted = false;
  // The first failure message, or why the file was not converted.
  std::string message;
};

// How many of the planned reports exist already.
std::size_t ExistingReports(const std::vector<BatchEntry>& items);

// Converts the items in order. `replace_existing`: an existing report is replaced, else kept
// and its input counted as failed. `progress(done)` is called after each item; `stop` ends the
// run before the next item. Gives one outcome per item that was started.
std::vector<BatchOutcome> RunBatch(const std::vector<BatchEntry>& items,
                                   const ConversionSettings& settings, bool replace_existing,
                                   const std::atomic<bool>& stop,
                                   const std::function<void(std::size_t done)>& progress);

}  // namespace korvanta::gui
