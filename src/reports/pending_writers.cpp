// Stand-ins for the report writers not built yet: each says so and writes nothing.
#include "driver/conversion.h"
#include "reports/report_writers.h"

namespace korvanta {
namespace {

void NotAvailable(Conversion& c, const std::string& type) {
  c.Fail("Conversion of " + type + " files is not available yet.");
}

}  // namespace

void WriteKineticsReport(Conversion& c) { NotAvailable(c, "Kinetics"); }
void WriteTmReport(Conversion& c) { NotAvailable(c, "TM"); }
void WriteWlScanReport(Conversion& c) { NotAvailable(c, "WL Scan"); }

}  // namespace korvanta
