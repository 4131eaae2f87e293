// The counts a summary gives of each kind of record: samples, standards, wavelengths or points.
#pragma once

namespace korvanta {

struct ReportSummary;
struct PhotometryFile;
struct StandardCurveRecord;
struct ProteinUvRecord;
struct ProteinLabellingRecord;
struct DnaRnaFile;
struct DnaRnaLabellingFile;
struct Od600File;
struct KineticsFile;
struct TmFile;
struct WlScanFile;

void Summarise(const PhotometryFile& record, ReportSummary& summary);
// Standards in standard-curve mode only.
void Summarise(const StandardCurveRecord& record, ReportSummary& summary);
void Summarise(const ProteinUvRecord& record, ReportSummary& summary);
void Summarise(const ProteinLabellingRecord& record, ReportSummary& summary);
void Summarise(const DnaRnaFile& record, ReportSummary& summary);
void Summarise(const DnaRnaLabellingFile& record, ReportSummary& summary);
void Summarise(const Od600File& record, ReportSummary& summary);
void Summarise(const KineticsFile& record, ReportSummary& summary);
void Summarise(const TmFile& record, ReportSummary& summary);
void Summarise(const WlScanFile& record, ReportSummary& summary);

}  // namespace korvanta
