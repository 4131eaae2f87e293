#include "cli/templates_command.h"

#include <filesystem>
#include <system_error>

#include "driver/template_files.h"
#include "driver/template_folders.h"

namespace korvanta::cli {
namespace {

namespace fs = std::filesystem;

int ListTemplates(const ConversionSettings& settings, std::ostream& out) {
  out << "Template folders, searched file by file:\n";
  if (!settings.user_template_dir.empty()) {
    out << "  user       " << settings.user_template_dir.string() << '\n';
  }
  out << "  installed  " << settings.template_dir.string() << '\n';
  int missing = 0;
  for (const TemplateFile& file : TemplateFiles()) {
    const fs::path used = ResolveTemplate(settings, file.name);
    std::error_code ignored;
    const char* origin = "installed";
    if (!fs::is_regular_file(used, ignored)) {
      origin = "missing";
      ++missing;
    } else if (used.parent_path() == settings.user_template_dir) {
      origin = "user";
    }
    out << '\n' << file.name << "  (" << file.reports << ")\n";
    out << "    " << origin << std::string(11 - std::string_view(origin).size(), ' ')
        << used.string() << '\n';
  }
  return missing == 0 ? 0 : 1;
}

int CopyToUserFolder(const ConversionSettings& settings, std::ostream& out, std::ostream& err) {
  if (settings.user_template_dir.empty()) {
    err << "korvanta: there is no folder for your own templates: the environment names no "
           "home folder.\n";
    return 1;
  }
  try {
    for (const std::string& name :
         CopyTemplates(settings.template_dir, settings.user_template_dir)) {
      err << "copied " << name << '\n';
    }
  } catch (const TemplateFolderError& error) {
    err << "korvanta: " << error.what() << '\n';
    return 1;
  }
  out << settings.user_template_dir.string() << '\n';
  return 0;
}

}  // namespace

int RunTemplates(const TemplatesOptions& options, std::ostream& out, std::ostream& err) {
  const ConversionSettings settings = SettingsFromEnvironment(std::nullopt);
  return options.copy ? CopyToUserFolder(settings, out, err) : ListTemplates(settings, out);
}

}  // namespace korvanta::cli
