// The dye of a labelling measurement, as both labelling forms (protein, nucleic acid) give it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace korvanta {

class AsmDocument;

// The dye's name and the values the file gives for it, as settings of the document.
void AddDyeSettings(AsmDocument& document, std::optional<std::int32_t> dyetype,
                    std::string_view od_max, std::string_view extinction_coefficient,
                    std::string_view correction);

}  // namespace korvanta
