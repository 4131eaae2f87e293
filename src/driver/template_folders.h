// Where the template workbooks come from: the user's own folder, taken file by file before
// the installed templates, unless a template folder is given explicitly.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "driver/conversion.h"

namespace korvanta {

// The installed templates, found from the executable so that a package, an unpacked
// tarball and a staging root work alike: template/ beside it, else
// <exe dir>/../share/korvanta/template, else the data folder the program was built for.
std::filesystem::path InstalledTemplateDirectory();

// The user's own template folder: $XDG_DATA_HOME/korvanta/template (default
// ~/.local/share/korvanta/template); %APPDATA%\Korvanta\template on Windows;
// ~/Library/Application Support/Korvanta/template on macOS. Nothing when the environment
// names no home. The folder need not exist.
std::optional<std::filesystem::path> UserTemplateDirectory();

// The file a conversion uses for the template `file_name`: the user's copy when there is
// one, else the one in the template folder (which need not exist either).
std::filesystem::path ResolveTemplate(const ConversionSettings& settings,
                                      std::string_view file_name);

// A template folder that cannot be made or filled; the message is a whole sentence.
class TemplateFolderError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Copies each of the twelve templates that `from` holds and `to` lacks into `to` (made when
// missing), writable by the user; a file already in `to` is never replaced. Gives the names
// copied. Throws TemplateFolderError.
std::vector<std::string> CopyTemplates(const std::filesystem::path& from,
                                       const std::filesystem::path& to);

}  // namespace korvanta
