#include "serve/private_folder.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

namespace korvanta::serve {

PrivateFolder::PrivateFolder(const std::filesystem::path& parent) {
  std::string pattern = (parent / "korvanta-serve-XXXXXX").string();
  // mkdtemp makes the folder 0700 under a name no other request or user can claim first.
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::filesystem::filesystem_error("cannot make a temporary folder", parent,
                                            std::error_code(errno, std::generic_category()));
  }
  path_ = pattern;
}

PrivateFolder::~PrivateFolder() {
  std::error_code ignored;  // nothing to tell a client whose answer is already made
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace korvanta::serve
