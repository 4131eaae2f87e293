#include "driver/record_summaries.h"

#include "formats/dnarna_format.h"
#include "formats/kinetics_format.h"
#include "formats/od600_format.h"
#include "formats/photometry_format.h"
#include "formats/protein_labelling_format.h"
#include "formats/protein_uv_format.h"
#include "formats/report_summary.h"
#include "formats/standard_curve_format.h"
#include "formats/tm_format.h"
#include "formats/wlscan_format.h"

namespace korvanta {
namespace {

template <typename List>
int Count(const List& list) {
  return static_cast<int>(list.size());
}

}  // namespace

void Summarise(const PhotometryFile& record, ReportSummary& summary) {
  summary.samples = record.sample_number;
  summary.wavelengths = record.wl_number;
}

void Summarise(const StandardCurveRecord& record, ReportSummary& summary) {
  summary.samples = Count(record.samples);
  summary.wavelengths = Count(record.wavelengths);
  if (record.IsStandardCurve()) summary.standards = Count(record.standards);
}

void Summarise(const ProteinUvRecord& record, ReportSummary& summary) {
  summary.samples = Count(record.samples);
  summary.wavelengths = Count(record.wavelengths);
}

void Summarise(const ProteinLabellingRecord& record, ReportSummary& summary) {
  summary.samples = Count(record.samples);
  summary.wavelengths = Count(record.wavelengths);
}

void Summarise(const DnaRnaFile& record, ReportSummary& summary) {
  summary.samples = Count(record.samples);
  summary.wavelengths = Count(record.head.wavelengths);
}

void Summarise(const DnaRnaLabellingFile& record, ReportSummary& summary) {
  summary.samples = Count(record.samples);
  summary.wavelengths = Count(record.head.wavelengths);
}

void Summarise(const Od600File& record, ReportSummary& summary) {
  summary.samples = Count(record.samples);
  summary.wavelengths = Count(record.wavelengths);
}

void Summarise(const KineticsFile& record, ReportSummary& summary) {
  summary.points = Count(record.values);
}

void Summarise(const TmFile& record, ReportSummary& summary) {
  summary.points = Count(record.values);
}

void Summarise(const WlScanFile& record, ReportSummary& summary) {
  summary.points = Count(record.values);
}

}  // namespace korvanta
