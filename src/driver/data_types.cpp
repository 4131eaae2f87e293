#include "driver/data_types.h"

#include <algorithm>
#include <array>

#include "reports/report_writers.h"

namespace korvanta {
namespace {

constexpr std::array<DataType, 8> kDataTypes{{
    {1000, "Protein", "pro", "brad.xlsx", "Protein (*.pro) | *.pro", &WriteProteinReport},
    {1001, "Concentration", "con", "concentration.xlsx", "Concentration (*.con) | *.con",
     &WriteConcentrationReport},
    {1002, "DNA/RNA", "nuc", "dnarna.xlsx", "DNA/RNA (*.nuc) | *.nuc", &WriteDnaRnaReport},
    {1003, "Kinetics", "tsc", "kinetics.xlsx", "Kinetics (*.tsc) | *.tsc", &WriteKineticsReport},
    {1004, "OD600", "od", "od600.xlsx", "OD600 (*.od) | *.od", &WriteOd600Report},
    {1005, "Photometry", "pht", "photomet.xlsx", "Photometry (*.pht) | *.pht",
     &WritePhotometryReport},
    {1006, "TM", "tm", "tm.xlsx", "TM (*.tm) | *.tm", &WriteTmReport},
    {1007, "WL Scan", "wsc", "wlscan.xlsx", "WL Scan (*.wsc) | *.wsc", &WriteWlScanReport},
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
