#include "driver/template_files.h"

#include <array>

namespace korvanta {
namespace {

constexpr std::array<TemplateFile, 12> kTemplateFiles{{
    {"brad.xlsx", "Protein standard curve, Protein K factor"},
    {"brad6.xlsx", "Protein UV"},
    {"brad6_2.xlsx", "Protein labelling"},
    {"concentration.xlsx", "Concentration"},
    {"dnarna.xlsx", "DNA/RNA"},
    {"dnarna_dye.xlsx", "DNA/RNA labelling"},
    {"kinetics.xlsx", "Kinetics"},
    {"od600.xlsx", "OD600 cell count"},
    {"OD600_OD.xlsx", "OD600 optical density"},
    {"photomet.xlsx", "Photometry"},
    {"tm.xlsx", "TM"},
    {"wlscan.xlsx", "WL Scan"},
}};

}  // namespace

std::span<const TemplateFile> TemplateFiles() { return kTemplateFiles; }

}  // namespace korvanta
