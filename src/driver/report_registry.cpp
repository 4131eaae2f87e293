#include "driver/report_registry.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <vector>

#include "asm/asm_builders.h"
#include "driver/data_types.h"
#include "driver/record_summaries.h"
#include "formats/dnarna_format.h"
#include "formats/export_file.h"
#include "formats/export_opening.h"
#include "formats/kinetics_format.h"
#include "formats/od600_format.h"
#include "formats/photometry_format.h"
#include "formats/protein_labelling_format.h"
#include "formats/protein_uv_format.h"
#include "formats/standard_curve_format.h"
#include "formats/tm_format.h"
#include "formats/wlscan_format.h"
#include "inspect/describers.h"
#include "reports/report_layouts.h"
#include "reports/report_limits.h"
#include "reports/standard_curve_body.h"

namespace korvanta {
namespace {

// How the variants are recognised from the opening fields.
bool AnyOpening(const Opening&) { return true; }
bool IsProteinColorimetric(const Opening& o) { return o.method_type != kProteinUvMethodType; }
bool IsProteinUv(const Opening& o) {
  return o.method_type == kProteinUvMethodType && o.MethodCode() != kProteinLabellingMethodCode;
}
bool IsProteinLabelling(const Opening& o) {
  return o.method_type == kProteinUvMethodType && o.MethodCode() == kProteinLabellingMethodCode;
}
bool IsDnaRna(const Opening& o) { return o.method_type != kDnaRnaLabellingMethod; }
bool IsDnaRnaLabelling(const Opening& o) { return o.method_type == kDnaRnaLabellingMethod; }

// A reader going on from the opening, held to what its report can hold.
template <auto kRead, auto kLimits>
auto ReadWithin(ExportFile& file, const Opening& opening) {
  return kRead(file, opening, kLimits());
}

// Both OD600 reports read alike, and the unit chooses between them, so the reading holds to
// the smaller of the two.
ListLimits Od600ReportLimits() {
  const ListLimits cell_count = Od600CellCountReportLimits();
  const ListLimits density = Od600DensityReportLimits();
  return {std::min(cell_count.wavelengths, density.wavelengths),
          std::min(cell_count.samples, density.samples)};
}

// Told apart after reading: the calibration mode, the OD600 unit.
bool IsStandardCurveMode(const StandardCurveRecord& record) { return record.IsStandardCurve(); }
bool IsOd600Density(const Od600File& record) { return record.unit == kOd600DensityUnit; }
bool IsOd600CellCount(const Od600File& record) { return !IsOd600Density(record); }

AsmJson Od600CellCountAsm(const Od600File& record, const AsmSource& source) {
  return Od600Asm(record, true, source);
}
AsmJson Od600DensityAsm(const Od600File& record, const AsmSource& source) {
  return Od600Asm(record, false, source);
}

constexpr TypedSteps<StandardCurveRecord> kStandardCurveMode{
    &ReadWithin<&ReadStandardCurveBody, &StandardCurveReportLimits>,
    &IsStandardCurveMode,
    &Summarise,
    &StandardCurveBody,
    &StandardCurveAsm,
    &DescribeStandardCurve};
constexpr TypedSteps<StandardCurveRecord> kStandardCurveAnyMode{
    &ReadWithin<&ReadStandardCurveBody, &StandardCurveReportLimits>,
    nullptr,
    &Summarise,
    &StandardCurveBody,
    &StandardCurveAsm,
    &DescribeStandardCurve};
constexpr TypedSteps<ProteinUvRecord> kProteinUv{
    &ReadWithin<&ReadProteinUvBody, &ProteinUvReportLimits>,
    nullptr,
    &Summarise,
    &LayOutProteinUv,
    &ProteinUvAsm,
    &DescribeProteinUv};
constexpr TypedSteps<ProteinLabellingRecord> kProteinLabelling{
    &ReadWithin<&ReadProteinLabelling, &ProteinLabellingReportLimits>,
    nullptr,
    &Summarise,
    &LayOutProteinLabelling,
    &ProteinLabellingAsm,
    &DescribeProteinLabelling};
constexpr TypedSteps<DnaRnaFile> kDnaRna{&ReadWithin<&ReadDnaRnaFile, &DnaRnaReportLimits>,
                                         nullptr,
                                         &Summarise,
                                         &LayOutDnaRna,
                                         &DnaRnaAsm,
                                         &DescribeDnaRna};
constexpr TypedSteps<DnaRnaLabellingFile> kDnaRnaLabelling{
    &ReadWithin<&ReadDnaRnaLabellingFile, &DnaRnaLabellingReportLimits>,
    nullptr,
    &Summarise,
    &LayOutDnaRnaLabelling,
    &DnaRnaLabellingAsm,
    &DescribeDnaRnaLabelling};
constexpr TypedSteps<KineticsFile> kKinetics{&ReadWithin<&ReadKineticsFile, &KineticsMaxPoints>,
                                             nullptr,
                                             &Summarise,
                                             &LayOutKinetics,
                                             &KineticsAsm,
                                             &DescribeKinetics};
constexpr TypedSteps<Od600File> kOd600CellCount{&ReadWithin<&ReadOd600File, &Od600ReportLimits>,
                                                &IsOd600CellCount,
                                                &Summarise,
                                                &LayOutOd600CellCount,
                                                &Od600CellCountAsm,
                                                &DescribeOd600CellCount};
constexpr TypedSteps<Od600File> kOd600Density{&ReadWithin<&ReadOd600File, &Od600ReportLimits>,
                                              &IsOd600Density,
                                              &Summarise,
                                              &LayOutOd600Density,
                                              &Od600DensityAsm,
                                              &DescribeOd600Density};
constexpr TypedSteps<PhotometryFile> kPhotometry{
    &ReadWithin<&ReadPhotometryFile, &PhotometryReportLimits>,
    nullptr,
    &Summarise,
    &LayOutPhotometry,
    &PhotometryAsm,
    &DescribePhotometry};
constexpr TypedSteps<TmFile> kTm{
    &ReadWithin<&ReadTmFile, &TmMaxPoints>, nullptr, &Summarise, &LayOutTm, &TmAsm, &DescribeTm};
constexpr TypedSteps<WlScanFile> kWlScan{&ReadWithin<&ReadWlScanFile, &WlScanMaxPoints>,
                                         nullptr,
                                         &Summarise,
                                         &LayOutWlScan,
                                         &WlScanAsm,
                                         &DescribeWlScan};

constexpr std::array<ReportVariant, 13> kVariants{{
    {"Protein", "Protein standard curve", "brad.xlsx", &IsProteinColorimetric,
     ErasedSteps<kStandardCurveMode>()},
    {"Protein", "Protein K factor", "brad.xlsx", &IsProteinColorimetric,
     ErasedSteps<kStandardCurveAnyMode>()},
    {"Protein", "Protein UV", "brad6.xlsx", &IsProteinUv, ErasedSteps<kProteinUv>()},
    {"Protein", "Protein labelling", "brad6_2.xlsx", &IsProteinLabelling,
     ErasedSteps<kProteinLabelling>()},
    {"Concentration", "Concentration", "concentration.xlsx", &AnyOpening,
     ErasedSteps<kStandardCurveAnyMode>()},
    {"DNA/RNA", "DNA/RNA", "dnarna.xlsx", &IsDnaRna, ErasedSteps<kDnaRna>()},
    {"DNA/RNA", "DNA/RNA labelling", "dnarna_dye.xlsx", &IsDnaRnaLabelling,
     ErasedSteps<kDnaRnaLabelling>()},
    {"Kinetics", "Kinetics", "kinetics.xlsx", &AnyOpening, ErasedSteps<kKinetics>()},
    {"OD600", "OD600 cell count", "od600.xlsx", &AnyOpening, ErasedSteps<kOd600CellCount>()},
    {"OD600", "OD600 optical density", "OD600_OD.xlsx", &AnyOpening, ErasedSteps<kOd600Density>()},
    {"Photometry", "Photometry", "photomet.xlsx", &AnyOpening, ErasedSteps<kPhotometry>()},
    {"TM", "TM", "tm.xlsx", &AnyOpening, ErasedSteps<kTm>()},
    {"WL Scan", "WL Scan", "wlscan.xlsx", &AnyOpening, ErasedSteps<kWlScan>()},
}};

bool OfType(const ReportVariant& variant, const DataType& type) {
  return variant.data_type == type.button_text;
}

}  // namespace

std::span<const ReportVariant> ReportVariants() { return kVariants; }

const ReportVariant& FirstVariant(const DataType& type) {
  const auto* first =
      std::find_if(kVariants.begin(), kVariants.end(),
                   [&](const ReportVariant& variant) { return OfType(variant, type); });
  if (first == kVariants.end()) throw std::logic_error("A data type without report variants.");
  return *first;
}

std::optional<std::string_view> SharedTemplate(const DataType& type) {
  std::optional<std::string_view> shared;
  for (const ReportVariant& variant : kVariants) {
    if (!OfType(variant, type)) continue;
    if (shared && *shared != variant.template_file) return std::nullopt;
    shared = variant.template_file;
  }
  return shared;
}

ReadExport ReadVariantRecord(ExportFile& file, const DataType& type,
                             const RecognisedSink& recognised) {
  const Opening opening = ReadOpening(file);
  // Variants recognising the same opening are read alike: the first one's reader reads the
  // record, the first whose steps fit it is the variant.
  std::vector<const ReportVariant*> recognising;
  for (const ReportVariant& variant : kVariants) {
    if (OfType(variant, type) && variant.recognises(opening)) recognising.push_back(&variant);
  }
  if (recognising.empty()) throw std::logic_error("No report variant reads this file.");
  if (recognised) recognised(*recognising.front());
  ReadExport read;
  read.record = recognising.front()->steps.read(file, opening);
  const auto fitting =
      std::find_if(recognising.begin(), recognising.end(),
                   [&](const ReportVariant* v) { return v->steps.fits(*read.record); });
  if (fitting == recognising.end()) throw std::logic_error("No report variant fits this file.");
  read.variant = *fitting;
  return read;
}

}  // namespace korvanta
