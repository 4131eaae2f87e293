#include "serve/upload_name.h"

#include <cctype>
#include <filesystem>

namespace korvanta::serve {
namespace {

constexpr std::size_t kMaxNameBytes = 255;

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string DisplayName(std::string_view client_name) {
  // Both separators count: Windows browsers of old sent the whole path.
  const auto separator = client_name.find_last_of("/\\");
  if (separator != std::string_view::npos) client_name.remove_prefix(separator + 1);
  std::string name;
  for (const char c : client_name) {
    if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) name += c;
  }
  if (name.size() > kMaxNameBytes) {
    std::size_t cut = kMaxNameBytes;
    while (cut > 0 && IsUtf8Continuation(name[cut])) --cut;
    name.resize(cut);
  }
  if (name.empty() || name == "." || name == "..") return "upload";
  return name;
}

std::string DownloadName(const std::string& display_name, std::string_view extension) {
  return std::filesystem::path(display_name).replace_extension(extension).string();
}

std::string AttachmentHeader(std::string_view download_name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string fallback;
  std::string encoded;
  for (const char c : download_name) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = std::isalnum(byte) != 0 ||
                       std::string_view("!#$&+-.^_`|~").find(c) != std::string_view::npos;
    fallback += byte < 0x80 && c != '"' && c != '\\' ? c : '_';
    if (plain) {
      encoded += c;
    } else {
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0x0F];
    }
  }
  return "attachment; filename=\"" + fallback + "\"; filename*=UTF-8''" + encoded;
}

}  // namespace korvanta::serve
