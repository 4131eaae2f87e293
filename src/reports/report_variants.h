// The report variants: the name a summary and `korvanta inspect` give each one and the template
// it is laid out on. Writers, inspect, the data types and the template listing read them here.
#pragma once

#include <span>
#include <string_view>

namespace korvanta {

struct ReportVariant {
  std::string_view name;  // "Protein UV"
  // The template the report is laid out on ("brad6.xlsx"): its data type's default template,
  // or the one the writer switches to on a hand-over.
  std::string_view template_file;
};

inline constexpr ReportVariant kProteinStandardCurve{"Protein standard curve", "brad.xlsx"};
inline constexpr ReportVariant kProteinKFactor{"Protein K factor", "brad.xlsx"};
inline constexpr ReportVariant kProteinUv{"Protein UV", "brad6.xlsx"};
inline constexpr ReportVariant kProteinLabelling{"Protein labelling", "brad6_2.xlsx"};
inline constexpr ReportVariant kConcentration{"Concentration", "concentration.xlsx"};
inline constexpr ReportVariant kDnaRna{"DNA/RNA", "dnarna.xlsx"};
inline constexpr ReportVariant kDnaRnaLabelling{"DNA/RNA labelling", "dnarna_dye.xlsx"};
inline constexpr ReportVariant kKinetics{"Kinetics", "kinetics.xlsx"};
inline constexpr ReportVariant kOd600CellCount{"OD600 cell count", "od600.xlsx"};
inline constexpr ReportVariant kOd600OpticalDensity{"OD600 optical density", "OD600_OD.xlsx"};
inline constexpr ReportVariant kPhotometry{"Photometry", "photomet.xlsx"};
inline constexpr ReportVariant kTm{"TM", "tm.xlsx"};
inline constexpr ReportVariant kWlScan{"WL Scan", "wlscan.xlsx"};

// Every variant, grouped by data type in button order.
std::span<const ReportVariant> ReportVariants();

}  // namespace korvanta
