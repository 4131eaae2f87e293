// Where the tests find their data, the built templates and the executables.
#pragma once

#include <filesystem>

namespace korvanta::test {

std::filesystem::path TestDataDir();  // tests/data
std::filesystem::path TemplateDir();  // build/bin/template
std::filesystem::path BinDir();       // build/bin
// A fresh, empty folder under the system's temporary folder, removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace korvanta::test
