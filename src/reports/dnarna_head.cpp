#include "reports/dnarna_head.h"

#include "formats/dnarna_format.h"
#include "formats/export_file.h"
#include "reports/report_head.h"
#include "reports/report_sheet.h"

namespace korvanta {

void WriteDnaRnaHead(ReportSheet& c, const DnaRnaHead& head, bool dye_labelled) {
  WriteReportHead(c, NucleicAcidTypeName(head.opening.MethodCode(), dye_labelled),
                  head.sample_name);
  WriteMeasurementSettings(c, head.pathlength, head.dilution_factor, head.background);
  c.WriteTextCell('B', 9, head.factor);
}

}  // namespace korvanta
