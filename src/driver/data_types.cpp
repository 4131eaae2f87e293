#include "driver/data_types.h"

#include <algorithm>
#include <array>

namespace korvanta {
namespace {

constexpr std::array<DataType, 8> kDataTypes{{
    {1000, "Protein", "pro", "Protein (*.pro) | *.pro"},
    {1001, "Concentration", "con", "Concentration (*.con) | *.con"},
    {1002, "DNA/RNA", "nuc", "DNA/RNA (*.nuc) | *.nuc"},
    {1003, "Kinetics", "tsc", "Kinetics (*.tsc) | *.tsc"},
    {1004, "OD600", "od", "OD600 (*.od) | *.od"},
    {1005, "Photometry", "pht", "Photometry (*.pht) | *.pht", true},
    {1006, "TM", "tm", "TM (*.tm) | *.tm"},
    {1007, "WL Scan", "wsc", "WL Scan (*.wsc) | *.wsc"},
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
