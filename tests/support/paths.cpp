#include "support/paths.h"

#include <atomic>
#include <random>
#include <string>
#include <system_error>

namespace korvanta::test {

std::filesystem::path TestDataDir() { return KORVANTA_TEST_DATA_DIR; }
std::filesystem::path TemplateDir() { return KORVANTA_TEMPLATE_DIR; }
std::filesystem::path BinDir() { return KORVANTA_BIN_DIR; }

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  std::random_device entropy;
  const auto base = std::filesystem::temp_directory_path();
  for (;;) {
    auto candidate =
        base / ("korvanta-test-" + std::to_string(entropy()) + "-" + std::to_string(counter++));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace korvanta::test
