#include "reports/report_variants.h"

#include <array>

namespace korvanta {

std::span<const ReportVariant> ReportVariants() {
  static constexpr std::array kAll{kProteinStandardCurve,
                                   kProteinKFactor,
                                   kProteinUv,
                                   kProteinLabelling,
                                   kConcentration,
                                   kDnaRna,
                                   kDnaRnaLabelling,
                                   kKinetics,
                                   kOd600CellCount,
                                   kOd600OpticalDensity,
                                   kPhotometry,
                                   kTm,
                                   kWlScan};
  return kAll;
}

}  // namespace korvanta
