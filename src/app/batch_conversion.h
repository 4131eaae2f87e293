// Several export files converted into one folder, one after the other, for the window: each
// report is FOLDER/<file name without extension>.xlsx; nothing is asked per file and no
// report is opened.
#pragma once

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "driver/conversion.h"

namespace korvanta::gui {

struct BatchItem {
  std::string input;
  std::string output;
  // Why the file is not converted at all (two inputs would write one report); empty when not.
  std::string refusal;
};

struct BatchOutcome {
  std::string input;
  bool converted = false;
  // The first failure message, or why the file was not converted.
  std::string message;
};

// The reports of `inputs` in `folder`; a later input whose report an earlier one already
// writes is refused.
std::vector<BatchItem> PlanBatch(const std::vector<std::string>& inputs,
                                 const std::filesystem::path& folder);

// How many of the planned reports exist already.
std::size_t ExistingReports(const std::vector<BatchItem>& items);

// Converts the items in order. `replace_existing`: an existing report is replaced, else kept
// and its input counted as failed. `progress(done)` is called after each item; `stop` ends the
// run before the next item. Gives one outcome per item that was started.
std::vector<BatchOutcome> RunBatch(const std::vector<BatchItem>& items,
                                   const ConversionSettings& settings, bool replace_existing,
                                   const std::atomic<bool>& stop,
                                   const std::function<void(std::size_t done)>& progress);

}  // namespace korvanta::gui
