// How many entries of a file's lists a reading takes in. The output the reading serves sets
// these limits (a report knows its rows and cells; the reader does not), and a reader refuses a
// count beyond them as it reads the count, before the entries take memory.
#pragma once

namespace korvanta {

// A list of wavelengths and a list of samples, each with a fixed most.
struct ListLimits {
  int wavelengths = 0;
  int samples = 0;
};

}  // namespace korvanta
