// The data block of the scan reports: one row per point from the template's data row down,
// the point's position (time, temperature, wavelength) in column A, its reading in column B.
#pragma once

namespace korvanta {

// The position of point `index`, index × step + start, in single precision as the instrument
// software computes it.
float StepPosition(int index, float step, float start);

}  // namespace korvanta
