// A request's own temporary folder: made with mode 0700 under a unique name, removed with
// everything in it when the request ends, whether it succeeded or not.
#pragma once

#include <filesystem>

namespace korvanta::serve {

class PrivateFolder {
 public:
  // Throws std::filesystem::filesystem_error when the folder cannot be made.
  explicit PrivateFolder(const std::filesystem::path& parent);
  ~PrivateFolder();
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace korvanta::serve
