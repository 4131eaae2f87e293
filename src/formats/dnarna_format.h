// The DNA/RNA export format (.nuc) in its plain and dye-labelled forms, and the code tables
// both reports share.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/export_opening.h"
#include "formats/read_limits.h"

namespace korvanta {

class ExportFile;

// method_type of a dye-labelled measurement; any other code is a plain DNA/RNA file.
inline constexpr std::int32_t kDnaRnaLabellingMethod = 5;

// The names of a sample's readings, in the order of DnaRnaSample::readings and
// DnaRnaLabellingSample::readings.
inline constexpr std::array<std::string_view, 7> kDnaRnaReadingFields = {
    "a230", "a260", "a280", "a320", "a260_a280", "a260_a230", "concentration"};
inline constexpr std::array<std::string_view, 10> kDnaRnaLabellingReadingFields = {
    "a230",      "a260",          "a280",
    "a320",      "dye",           "a260_a280",
    "a260_a230", "concentration", "dye_concentration",
    "frequency"};

// The fields both forms share, from method_type to factor.
struct DnaRnaHead {
  Opening opening;  // the three fields the file opens with
  std::string sample_name;
  // Codes are missing when the file ended before them; their cells keep what the template holds.
  std::optional<std::int32_t> pathlength;
  std::string dilution_factor;
  std::optional<std::int32_t> background;
  std::vector<std::int32_t> wavelengths;  // those the file holds
  std::string factor;
};

struct DnaRnaSample {
  std::string sample_id;
  // a230, a260, a280, a320, a260_a280, a260_a230, concentration, as read.
  std::array<std::string, 7> readings;
};

struct DnaRnaFile {
  DnaRnaHead head;
  std::string oligo_factor;
  std::string unit_style;
  std::vector<DnaRnaSample> samples;  // those whose id the file holds
};

struct DnaRnaLabellingSample {
  std::string sample_id;
  // a230, a260, a280, a320, dye, a260_a280, a260_a230, concentration, dye_concentration,
  // frequency, as read.
  std::array<std::string, 10> readings;
};

struct DnaRnaLabellingFile {
  DnaRnaHead head;
  std::optional<std::int32_t> dyetype;
  std::string dyeodmax;
  std::string dyeextcoeff;
  std::string dyecorrect;
  std::string unit_style;
  std::vector<DnaRnaLabellingSample> samples;  // those whose id the file holds
};

// The plain and the dye-labelled form, read on from the opening. More wavelengths or samples
// than `limits` allow are refused.
DnaRnaFile ReadDnaRnaFile(ExportFile& file, const Opening& opening, const ListLimits& limits);
DnaRnaLabellingFile ReadDnaRnaLabellingFile(ExportFile& file, const Opening& opening,
                                            const ListLimits& limits);

// Nucleic-acid type of method_str's code 1..4: "dsDNA" .. "Oligo", with " DYE" appended for
// the labelled form; nothing for another code.
std::optional<std::string_view> NucleicAcidTypeName(std::int32_t code, bool dye_labelled);

// Unit of a unit_style token: "0" .. "15" in plain decimal ("07" is no code); nothing when
// the token names no unit.
std::optional<std::string_view> NucleicAcidUnit(std::string_view unit_style);

}  // namespace korvanta
