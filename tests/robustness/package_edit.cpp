#include "robustness/package_edit.h"

#include <zip.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace korvanta::test {
namespace {

struct ArchiveDiscard {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct FileClose {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

[[noreturn]] void Fail(const std::string& what) { throw std::runtime_error("package: " + what); }

}  // namespace

PackageEntries ReadPackage(std::string_view zip) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(zip.data(), zip.size(), 0, &error);
  zip_error_fini(&error);
  if (source == nullptr) Fail("no source");
  std::unique_ptr<zip_t, ArchiveDiscard> archive(zip_open_from_source(source, ZIP_RDONLY, nullptr));
  if (!archive) {
    zip_source_free(source);
    Fail("not a zip");
  }
  PackageEntries entries;
  const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
  for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(count); ++i) {
    zip_stat_t stat;
    if (zip_stat_index(archive.get(), i, 0, &stat) != 0) Fail("unreadable entry");
    std::string content(static_cast<std::size_t>(stat.size), '\0');
    std::unique_ptr<zip_file_t, FileClose> file(zip_fopen_index(archive.get(), i, 0));
    if (!file || zip_fread(file.get(), content.data(), content.size()) !=
                     static_cast<zip_int64_t>(content.size())) {
      Fail(std::string("unreadable entry ") + stat.name);
    }
    entries.emplace_back(stat.name, std::move(content));
  }
  return entries;
}

std::string WritePackage(const PackageEntries& entries) {
  zip_source_t* output = zip_source_buffer_create(nullptr, 0, 0, nullptr);
  if (output == nullptr) Fail("no output");
  zip_source_keep(output);
  zip_t* archive = zip_open_from_source(output, ZIP_TRUNCATE, nullptr);
  if (archive == nullptr) {
    zip_source_free(output);
    Fail("cannot create");
  }
  for (const auto& [name, content] : entries) {
    zip_source_t* data = zip_source_buffer(archive, content.data(), content.size(), 0);
    if (data == nullptr || zip_file_add(archive, name.c_str(), data, ZIP_FL_ENC_UTF_8) < 0) {
      zip_source_free(data);
      zip_discard(archive);
      zip_source_free(output);
      Fail("cannot add " + name);
    }
  }
  if (zip_close(archive) != 0) {
    zip_discard(archive);
    zip_source_free(output);
    Fail("cannot close");
  }
  std::string bytes;
  if (zip_source_open(output) == 0) {
    zip_source_seek(output, 0, SEEK_END);
    bytes.resize(static_cast<std::size_t>(zip_source_tell(output)));
    zip_source_seek(output, 0, SEEK_SET);
    zip_source_read(output, bytes.data(), bytes.size());
    zip_source_close(output);
  }
  zip_source_free(output);
  return bytes;
}

std::string PackagePart(std::string_view zip, std::string_view name) {
  for (const auto& [entry, content] : ReadPackage(zip)) {
    if (entry == name) return content;
  }
  return {};
}

std::string WithPart(std::string_view zip, std::string_view name, std::string content) {
  PackageEntries entries = ReadPackage(zip);
  const auto found = std::find_if(entries.begin(), entries.end(),
                                  [&](const auto& entry) { return entry.first == name; });
  if (found == entries.end()) {
    entries.emplace_back(std::string(name), std::move(content));
  } else {
    found->second = std::move(content);
  }
  return WritePackage(entries);
}

std::string WithoutPart(std::string_view zip, std::string_view name) {
  PackageEntries entries = ReadPackage(zip);
  std::erase_if(entries, [&](const auto& entry) { return entry.first == name; });
  return WritePackage(entries);
}

std::string Replaced(std::string text, std::string_view from, std::string_view to) {
  std::size_t at = text.find(from);
  if (at == std::string::npos) throw std::invalid_argument("not found: " + std::string(from));
  while (at != std::string::npos) {
    text.replace(at, from.size(), to);
    at = text.find(from, at + to.size());
  }
  return text;
}

}  // namespace korvanta::test
