#include "driver/template_files.h"

#include <algorithm>
#include <vector>

#include "driver/report_registry.h"

namespace korvanta {
namespace {

std::vector<TemplateFile> GatherTemplateFiles() {
  std::vector<TemplateFile> files;
  for (const ReportVariant& variant : ReportVariants()) {
    const auto file = std::find_if(files.begin(), files.end(), [&](const TemplateFile& f) {
      return f.name == variant.template_file;
    });
    if (file == files.end()) {
      files.push_back({variant.template_file, std::string(variant.name)});
    } else {
      file->reports += ", ";
      file->reports += variant.name;
    }
  }
  return files;
}

}  // namespace

std::span<const TemplateFile> TemplateFiles() {
  static const std::vector<TemplateFile> kFiles = GatherTemplateFiles();
  return kFiles;
}

}  // namespace korvanta
