#include "asm/asm_dye_settings.h"

#include "asm/asm_document.h"
#include "formats/dye_table.h"

namespace korvanta {

void AddDyeSettings(AsmDocument& document, std::optional<std::int32_t> dyetype,
                    std::string_view od_max, std::string_view extinction_coefficient,
                    std::string_view correction) {
  if (dyetype) document.AddSetting("dye", DyeName(*dyetype).value_or(""));
  document.AddQuantitySetting("dye OD max", od_max, kAsmNanometre);
  document.AddQuantitySetting("dye extinction coefficient", extinction_coefficient,
                              kAsmMolarExtinctionUnit);
  document.AddQuantitySetting("dye correction", correction, kAsmUnitless);
}

}  // namespace korvanta
