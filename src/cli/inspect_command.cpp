#include "cli/inspect_command.h"

#include "cli/inspect_file.h"
#include "cli/inspect_output.h"

namespace korvanta::cli {

int RunInspect(const InspectOptions& options, std::ostream& out, std::ostream& err) {
  const FileInspection inspection = InspectExportFile(options.input);
  if (options.json) {
    out << InspectionJson(inspection).dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
  } else {
    out << InspectionText(inspection);
    if (!inspection.ok()) err << options.input << ": " << inspection.summary.error << '\n';
  }
  return inspection.ok() ? 0 : 1;
}

}  // namespace korvanta::cli
