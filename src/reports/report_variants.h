// The report variants: the name a summary and `korvanta inspect` give each one and, for the
// variants a writer hands over to, the template it switches to. Writers and inspect read them
// here, as the data types are read from their table.
#pragma once

#include <span>
#include <string_view>

namespace korvanta {

struct ReportVariant {
  std::string_view name;  // "Protein UV"
  // The template the writer switches to on a hand-over ("brad6.xlsx"); empty when the report
  // is laid out by its data type's default template.
  std::string_view handover_template;
};

inline constexpr ReportVariant kProteinStandardCurve{"Protein standard curve", ""};
inline constexpr ReportVariant kProteinKFactor{"Protein K factor", ""};
inline constexpr ReportVariant kProteinUv{"Protein UV", "brad6.xlsx"};
inline constexpr ReportVariant kProteinLabelling{"Protein labelling", "brad6_2.xlsx"};
inline constexpr ReportVariant kConcentration{"Concentration", ""};
inline constexpr ReportVariant kDnaRna{"DNA/RNA", ""};
inline constexpr ReportVariant kDnaRnaLabelling{"DNA/RNA labelling", "dnarna_dye.xlsx"};
inline constexpr ReportVariant kKinetics{"Kinetics", ""};
inline constexpr ReportVariant kOd600CellCount{"OD600 cell count", ""};
inline constexpr ReportVariant kOd600OpticalDensity{"OD600 optical density", "OD600_OD.xlsx"};
inline constexpr ReportVariant kPhotometry{"Photometry", ""};
inline constexpr ReportVariant kTm{"TM", ""};
inline constexpr ReportVariant kWlScan{"WL Scan", ""};

// Every variant, for checks over the whole set.
std::span<const ReportVariant> ReportVariants();

}  // namespace korvanta
