#include "cli/memory_use.h"

// Any C library header defines __GLIBC__; without one the test below would always fail.
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace korvanta::cli {

void KeepFreedMemoryForReuse() {
#if defined(__GLIBC__)
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}

}  // namespace korvanta::cli
