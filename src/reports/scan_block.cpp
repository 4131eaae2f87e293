#include "reports/scan_block.h"

namespace korvanta {

float StepPosition(int index, float step, float start) {
  return static_cast<float>(index) * step + start;
}

}  // namespace korvanta
