#include "serve/response_zip.h"

#include <zip.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace korvanta::serve {

std::string ZipOf(const ZipEntries& entries, const std::filesystem::path& scratch) {
  int error = 0;
  zip_t* archive = zip_open(scratch.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (archive == nullptr) throw std::runtime_error("the zip of the answer can not be created");
  for (const auto& [name, bytes] : entries) {
    zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
    if (source == nullptr || zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
      if (source != nullptr) zip_source_free(source);
      zip_discard(archive);
      throw std::runtime_error("the zip of the answer can not be created");
    }
  }
  // The entries' bytes are read here, while `entries` still holds them.
  if (zip_close(archive) != 0) {
    zip_discard(archive);
    throw std::runtime_error("the zip of the answer can not be completed");
  }
  std::ifstream in(scratch, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace korvanta::serve
