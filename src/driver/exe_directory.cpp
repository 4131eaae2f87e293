// Where the running executable lives.
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "driver/conversion.h"

#if defined(_WIN32)
#include <windows.h>
#elif defined(__APPLE__)
#include <mach-o/dyld.h>
#endif

namespace korvanta {
namespace {

std::filesystem::path ExecutablePath() {
#if defined(_WIN32)
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return std::filesystem::path(std::wstring(buffer.data(), length));
    buffer.resize(buffer.size() * 2);
  }
#elif defined(__APPLE__)
  std::uint32_t size = 0;
  _NSGetExecutablePath(nullptr, &size);
  std::vector<char> buffer(size + 1, '\0');
  if (_NSGetExecutablePath(buffer.data(), &size) != 0) return {};
  std::error_code ignored;
  auto resolved = std::filesystem::canonical(buffer.data(), ignored);
  return resolved.empty() ? std::filesystem::path(buffer.data()) : resolved;
#else
  std::error_code error;
  auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path{} : path;
#endif
}

}  // namespace

std::string GetExeDirectory() {
  const auto executable = ExecutablePath();
  if (executable.empty()) return {};
  auto folder = executable.parent_path();
  folder /= "";  // the trailing separator
  return folder.string();
}

}  // namespace korvanta
