#include "formats/export_opening.h"

#include "formats/export_file.h"

namespace korvanta {

std::int32_t Opening::MethodCode() const { return TextToInteger(method_str); }

Opening ReadOpening(ExportFile& file) {
  Opening opening;
  opening.method_type = file.ReadInteger("method_type");
  opening.measurement_type = file.ReadInteger("measurement_type");
  opening.method_str = file.ReadLine("method_str");
  return opening;
}

}  // namespace korvanta
