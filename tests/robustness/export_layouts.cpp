#include "robustness/export_layouts.h"

#include <stdexcept>

namespace korvanta::test {
namespace {

// The body Protein standard-curve and Concentration files share from method_str on: two
// wavelengths, two standards, two samples.
std::vector<ExportField> StandardCurveFile(std::string_view method_type) {
  return {
      {"method_type", method_type},
      {"measurement_type", "0"},
      {"method_str", "1"},
      {"sample_name", "Plate 3"},
      {"pathlength", "4"},
      {"dilution_factor", "1.5"},
      {"unit_style", "00"},
      {"std_number", "2"},
      {"calibration_mode", "0"},
      {"wl_number", "2"},
      {"wavelength", "595"},
      {"wavelength", "450"},
      {"standard", "0"},
      {"standard", "0.012"},
      {"standard", "125"},
      {"standard", "0.094"},
      {"k0", "-18.7"},
      {"k1", "1523.4"},
      {"R", "0.9991"},
      {"sample_number", "2"},
      {"sample_id", "Lysate 1"},
      {"sample_wl_od_value", "0.321"},
      {"sample_wl_od_value", "0.300"},
      {"od_value", "0.321"},
      {"concentration", "470.6"},
      {"sample_id", "Lysate 2"},
      {"sample_wl_od_value", "0.160"},
      {"sample_wl_od_value", "0.150"},
      {"od_value", "0.160"},
      {"concentration", "225.5"},
  };
}

std::vector<ExportLayout> MakeLayouts() {
  std::vector<ExportLayout> layouts;
  layouts.push_back({"Protein standard curve", "pro", StandardCurveFile("1")});
  layouts.push_back({"Concentration", "con", StandardCurveFile("4")});
  layouts.push_back({"Protein UV",
                     "pro",
                     {
                         {"method_type", "6"},   {"measurement_type", "0"},
                         {"method_str", "1"},    {"sample_name", "UV plate"},
                         {"pathlength", "4"},    {"dilution_factor", "2"},
                         {"background", "0"},    {"wl_number", "2"},
                         {"wavelength", "260"},  {"wavelength", "280"},
                         {"a280_factor", "1.0"}, {"a260_factor", "0.5"},
                         {"protein", "0"},       {"dummy", "1"},
                         {"dummy", "2"},         {"dummy", "3"},
                         {"dummy", "4"},         {"dummy", "5"},
                         {"dummy", "6"},         {"dummy", "7"},
                         {"dummy", "8"},         {"unit_style", "3"},
                         {"sample_number", "2"}, {"sample_id", "BSA 1"},
                         {"a260", "0.512"},      {"a280", "0.933"},
                         {"a320", "0.010"},      {"dummy", "x"},
                         {"a280_a260", "1.82"},  {"sample_id", "BSA 2"},
                         {"a260", "0.256"},      {"a280", "0.466"},
                         {"a320", "0.008"},      {"dummy", "x"},
                         {"a280_a260", "1.82"},
                     }});
  layouts.push_back({"Protein labelling",
                     "pro",
                     {
                         {"method_type", "6"},
                         {"measurement_type", "0"},
                         {"method_str", "2"},
                         {"sample_name", "Labelled IgG"},
                         {"pathlength", "4"},
                         {"dilution_factor", "1"},
                         {"background", "0"},
                         {"wl_number", "4"},
                         {"wavelength", "260"},
                         {"wavelength", "280"},
                         {"wavelength", "320"},
                         {"wavelength", "494"},
                         {"a280_factor", "1.0"},
                         {"a260_factor", "0.5"},
                         {"protein", "3"},
                         {"dummy", "1"},
                         {"dummy", "2"},
                         {"dummy", "3"},
                         {"dyetype", "8"},
                         {"proextcoefficient", "210000"},
                         {"dyeodmax", "494"},
                         {"dyeextcoeff", "68000"},
                         {"dyecorrect", "0.30"},
                         {"unit_style", "3"},
                         {"sample_number", "1"},
                         {"sample_id", "IgG-FITC"},
                         {"a260", "0.120"},
                         {"a280", "0.410"},
                         {"a320", "0.005"},
                         {"dye", "0.380"},
                         {"a260_a280", "0.29"},
                         {"concentration", "1.41"},
                         {"dye_concentration", "5.6"},
                         {"Degreeoflabelling", "4.2"},
                     }});
  layouts.push_back({"DNA/RNA",
                     "nuc",
                     {
                         {"method_type", "1"},      {"measurement_type", "2"},
                         {"method_str", "1"},       {"sample_name", "Plasmid preps"},
                         {"pathlength", "4"},       {"dilution_factor", "10"},
                         {"background", "0"},       {"wl_number", "2"},
                         {"wavelength", "260"},     {"wavelength", "280"},
                         {"factor", "50"},          {"oligo_factor", "33"},
                         {"unit_style", "2"},       {"sample_number", "1"},
                         {"sample_id", "pUC19 #1"}, {"a230", "0.210"},
                         {"a260", "0.452"},         {"a280", "0.243"},
                         {"a320", "0.004"},         {"a260_a280", "1.86"},
                         {"a260_a230", "2.15"},     {"concentration", "226.0"},
                     }});
  layouts.push_back({"DNA/RNA labelling",
                     "nuc",
                     {
                         {"method_type", "5"},      {"measurement_type", "2"},
                         {"method_str", "1"},       {"sample_name", "Cy3 probes"},
                         {"pathlength", "4"},       {"dilution_factor", "1"},
                         {"background", "1"},       {"wl_number", "1"},
                         {"wavelength", "260"},     {"factor", "50"},
                         {"dyetype", "4"},          {"dyeodmax", "550"},
                         {"dyeextcoeff", "150000"}, {"dyecorrect", "0.08"},
                         {"unit_style", "2"},       {"sample_number", "1"},
                         {"sample_id", "Probe A"},  {"a230", "0.100"},
                         {"a260", "0.300"},         {"a280", "0.160"},
                         {"a320", "0.002"},         {"dye", "0.250"},
                         {"a260_a280", "1.88"},     {"a260_a230", "3.00"},
                         {"concentration", "15.0"}, {"dye_concentration", "1.7"},
                         {"frequency", "29.4"},
                     }});
  layouts.push_back({"Kinetics",
                     "tsc",
                     {
                         {"method_type", "4"},
                         {"measurement_type", "1"},
                         {"method_str", "Kinetics"},
                         {"sample_name", "NADH oxidation"},
                         {"pathlength", "4"},
                         {"datamode", "1"},
                         {"dummy", "0"},
                         {"dummy", "1"},
                         {"scantime", "600"},
                         {"wl", "340"},
                         {"sample_interval", "1"},
                         {"totaldatanumber", "3"},
                         {"realmeasuredata", "3"},
                         {"value", "0.0500"},
                         {"value", "0.0555"},
                         {"value", "0.0604"},
                     }});
  layouts.push_back({"Photometry",
                     "pht",
                     {
                         {"method_type", "4"},
                         {"measurement_type", "2"},
                         {"method_str", "0"},
                         {"sample_name", "DNA plate"},
                         {"pathlength", "4"},
                         {"dilution_factor", "1"},
                         {"dummy", "0"},
                         {"wl_number", "2"},
                         {"wavelength", "260"},
                         {"wavelength", "280"},
                         {"datamode", "1"},
                         {"sample_number", "2"},
                         {"sample_id", "S01"},
                         {"wl_value", "0.629"},
                         {"wl_value", "0.314"},
                         {"sample_id", "S02"},
                         {"wl_value", "0.681"},
                         {"wl_value", "0.344"},
                     }});
  layouts.push_back({"TM",
                     "tm",
                     {
                         {"method_type", "3"},     {"measurement_type", "1"},
                         {"method_str", "0"},      {"sample_name", "Duplex melt"},
                         {"pathlength", "4"},      {"datamode", "1"},
                         {"dummy", "0"},           {"dummy", "0"},
                         {"starttemp", "40"},      {"endtemp", "41"},
                         {"heatmode", "1"},        {"dataresot", "0.5"},
                         {"kquiltime", "60"},      {"K", "1"},
                         {"measurenumber", "3"},   {"realmeasurenumber", "3"},
                         {"measuredata", "0.412"}, {"measuredata", "0.418"},
                         {"measuredata", "0.431"},
                     }});
  layouts.push_back({"WL Scan",
                     "wsc",
                     {
                         {"method_type", "4"},
                         {"measurement_type", "0"},
                         {"method_str", "0"},
                         {"sample_name", "Cytochrome c"},
                         {"pathlength", "4"},
                         {"datamode", "1"},
                         {"dummy", "0"},
                         {"dummy", "0"},
                         {"startwl", "400"},
                         {"endwl", "402"},
                         {"sampleinterval", "3"},
                         {"totaldatanumber", "3"},
                         {"realmeasurenumber", "3"},
                         {"measuredata", "0.731"},
                         {"measuredata", "0.744"},
                         {"measuredata", "0.760"},
                     }});
  for (const std::string_view unit : {"1", "0"}) {
    layouts.push_back({unit == "1" ? "OD600 cell count" : "OD600 optical density",
                       "od",
                       {
                           {"method_type", "3"},
                           {"measurement_type", "2"},
                           {"method_str", "0"},
                           {"sample_name", "E. coli growth"},
                           {"pathlength", "4"},
                           {"dilution_factor", "1"},
                           {"background", "0"},
                           {"wl_number", "1"},
                           {"dummy", "0"},
                           {"wavelength", "600"},
                           {"factor", "8e8"},
                           {"unit", unit},
                           {"multiple", "2"},
                           {"sample_number", "2"},
                           {"sample_id", "t0"},
                           {"od_value", "0.052"},
                           {"sample_id", "t30"},
                           {"od_value", "0.110"},
                       }});
  }
  return layouts;
}

}  // namespace

std::string ExportLayout::Text(std::size_t line_count, std::string_view line_end,
                               bool last_line_end) const {
  std::string text;
  for (std::size_t i = 0; i < line_count && i < fields.size(); ++i) {
    text += fields[i].text;
    if (i + 1 < line_count || last_line_end) text += line_end;
  }
  return text;
}

std::string ExportLayout::With(std::string_view name, std::string_view text) const {
  ExportLayout changed = *this;
  for (ExportField& field : changed.fields) {
    if (field.name == name) {
      field.text = text;
      return changed.Text();
    }
  }
  throw std::invalid_argument("no field " + std::string(name));
}

int ExportLayout::LineOf(std::string_view name) const {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].name == name) return static_cast<int>(i) + 1;
  }
  throw std::invalid_argument("no field " + std::string(name));
}

const std::vector<ExportLayout>& ExportLayouts() {
  static const std::vector<ExportLayout> layouts = MakeLayouts();
  return layouts;
}

const ExportLayout& ExportLayoutOf(std::string_view variant) {
  for (const ExportLayout& layout : ExportLayouts()) {
    if (layout.variant == variant) return layout;
  }
  throw std::invalid_argument("no layout " + std::string(variant));
}

}  // namespace korvanta::test
