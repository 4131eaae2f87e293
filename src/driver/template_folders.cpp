#include "driver/template_folders.h"

#include <cstdlib>
#include <system_error>

#include "driver/template_files.h"

namespace korvanta {
namespace fs = std::filesystem;
namespace {

bool IsFolder(const fs::path& path) {
  std::error_code ignored;
  return fs::is_directory(path, ignored);
}

#if defined(_WIN32)
std::optional<fs::path> EnvironmentPath(const wchar_t* name) {
  const wchar_t* value = _wgetenv(name);
  if (value == nullptr || *value == L'\0') return std::nullopt;
  return fs::path(value);
}
#else
std::optional<fs::path> EnvironmentPath(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return fs::path(value);
}
#endif

}  // namespace

fs::path InstalledTemplateDirectory() {
  const fs::path exe_directory(GetExeDirectory());
  if (!exe_directory.empty()) {
    const fs::path beside = exe_directory / "template";
    if (IsFolder(beside)) return beside;
    const fs::path shared =
        (exe_directory / ".." / "share" / "korvanta" / "template").lexically_normal();
    if (IsFolder(shared)) return shared;
  }
  return fs::path(KORVANTA_DATADIR) / "korvanta" / "template";
}

std::optional<fs::path> UserTemplateDirectory() {
#if defined(_WIN32)
  const auto app_data = EnvironmentPath(L"APPDATA");
  if (!app_data) return std::nullopt;
  return *app_data / "Korvanta" / "template";
#elif defined(__APPLE__)
  const auto home = EnvironmentPath("HOME");
  if (!home) return std::nullopt;
  return *home / "Library" / "Application Support" / "Korvanta" / "template";
#else
  // A relative XDG_DATA_HOME is invalid and ignored, as the base-directory rules say.
  if (const auto data_home = EnvironmentPath("XDG_DATA_HOME");
      data_home && data_home->is_absolute()) {
    return *data_home / "korvanta" / "template";
  }
  const auto home = EnvironmentPath("HOME");
  if (!home) return std::nullopt;
  return *home / ".local" / "share" / "korvanta" / "template";
#endif
}

fs::path ResolveTemplate(const ConversionSettings& settings, std::string_view file_name) {
  if (!settings.user_template_dir.empty()) {
    const fs::path own = settings.user_template_dir / file_name;
    std::error_code ignored;
    if (fs::is_regular_file(own, ignored)) return own;
  }
  return settings.template_dir / file_name;
}

std::vector<std::string> CopyTemplates(const fs::path& from, const fs::path& to) {
  std::error_code error;
  fs::create_directories(to, error);
  if (error) {
    throw TemplateFolderError("Can not create the template folder " + to.string() + ": " +
                              error.message() + ".");
  }
  std::vector<std::string> copied;
  for (const TemplateFile& file : TemplateFiles()) {
    const fs::path source = from / file.name;
    const fs::path target = to / file.name;
    if (!fs::is_regular_file(source, error) || fs::exists(fs::symlink_status(target, error))) {
      continue;
    }
    const bool done = fs::copy_file(source, target, fs::copy_options::skip_existing, error);
    if (error) {
      throw TemplateFolderError("Can not copy " + source.string() + " to " + target.string() +
                                ": " + error.message() + ".");
    }
    if (!done) continue;
    // Installed templates may be read-only; the user's copy is there to be edited.
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                    error);
    copied.emplace_back(file.name);
  }
  return copied;
}

}  // namespace korvanta
