#include "driver/data_types.h"

#include <algorithm>
#include <array>

#include "reports/report_variants.h"
#include "reports/report_writers.h"

namespace korvanta {
namespace {

// A default template is the template of the type's first report variant, the one a writer
// keeps when it does not hand over.
constexpr std::array<DataType, 8> kDataTypes{{
    {1000, "Protein", "pro", kProteinStandardCurve.template_file, "Protein (*.pro) | *.pro",
     &WriteProteinReport},
    {1001, "Concentration", "con", kConcentration.template_file, "Concentration (*.con) | *.con",
     &WriteConcentrationReport},
    {1002, "DNA/RNA", "nuc", kDnaRna.template_file, "DNA/RNA (*.nuc) | *.nuc", &WriteDnaRnaReport},
    {1003, "Kinetics", "tsc", kKinetics.template_file, "Kinetics (*.tsc) | *.tsc",
     &WriteKineticsReport},
    {1004, "OD600", "od", kOd600CellCount.template_file, "OD600 (*.od) | *.od", &WriteOd600Report},
    {1005, "Photometry", "pht", kPhotometry.template_file, "Photometry (*.pht) | *.pht",
     &WritePhotometryReport},
    {1006, "TM", "tm", kTm.template_file, "TM (*.tm) | *.tm", &WriteTmReport},
    {1007, "WL Scan", "wsc", kWlScan.template_file, "WL Scan (*.wsc) | *.wsc", &WriteWlScanReport},
}};

}  // namespace

std::span<const DataType> DataTypes() { return kDataTypes; }

const DataType* FindDataTypeByExtension(std::string_view lower_case_extension) {
  // The extension is compared exactly: the caller lower-cases it, nothing else is forgiven.
  const auto* found = std::find_if(kDataTypes.begin(), kDataTypes.end(), [&](const DataType& t) {
    return t.extension == lower_case_extension;
  });
  return found == kDataTypes.end() ? nullptr : &*found;
}

const DataType* FindDataTypeByButton(int button_id) {
  const auto* found = std::find_if(kDataTypes.begin(), kDataTypes.end(),
                                   [&](const DataType& t) { return t.button_id == button_id; });
  return found == kDataTypes.end() ? nullptr : &*found;
}

}  // namespace korvanta
