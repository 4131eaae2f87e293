#include "app/batch_conversion.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "driver/host.h"

namespace korvanta::gui {
namespace {

namespace fs = std::filesystem;

// The user of one conversion of a batch: the output is decided, messages are kept for the
// summary, and the finished report stays closed.
class BatchHost : public Host {
 public:
  BatchHost(std::string output, bool replace_existing)
      : output_(std::move(output)), replace_existing_(replace_existing) {}

  std::optional<OutputChoice> ChooseOutputPath() override {
    return OutputChoice{output_, replace_existing_};
  }
  bool ConfirmOverwrite(const std::string& path) override {
    if (!replace_existing_ && message_.empty()) message_ = path + " already exists; it is kept.";
    return replace_existing_;
  }
  void ShowMessage(const std::string& text) override {
    if (message_.empty()) message_ = text;
  }
  void ShowWarning(const std::string& /*text*/) override {}
  void SetStatus(const std::string& /*text*/) override {}
  void ShowWorkbook(const std::string& /*path*/) override {}

  const std::string& message() const { return message_; }

 private:
  std::string output_;
  bool replace_existing_;
  std::string message_;
};

}  // namespace

std::size_t ExistingReports(const std::vector<BatchEntry>& items) {
  std::size_t count = 0;
  for (const BatchEntry& item : items) {
    std::error_code ignored;
    if (item.refusal.empty() && fs::exists(item.output, ignored)) ++count;
  }
  return count;
}

std::vector<BatchOutcome> RunBatch(const std::vector<BatchEntry>& items,
                                   const ConversionSettings& settings, bool replace_existing,
                                   const std::atomic<bool>& stop,
                                   const std::function<void(std::size_t done)>& progress) {
  std::vector<BatchOutcome> outcomes;
  for (const BatchEntry& item : items) {
    if (stop) break;
    BatchOutcome outcome{item.input, false, item.refusal};
    if (item.refusal.empty()) {
      BatchHost host(item.output, replace_existing);
      try {
        Conversion conversion(host, settings);
        conversion.SetExportPath(item.input);
        outcome.converted = conversion.OnConvert() == ConversionStatus::kCompleted;
        if (!outcome.converted) outcome.message = host.message();
      } catch (const std::exception& error) {
        // Whatever escapes the driver still ends up in the summary, not with the thread.
        outcome.message = error.what();
      }
    }
    outcomes.push_back(std::move(outcome));
    progress(outcomes.size());
  }
  return outcomes;
}

}  // namespace korvanta::gui
