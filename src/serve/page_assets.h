// The page's files, built into the program so that it serves them with no folder of its own.
#pragma once

#include <span>
#include <string_view>

namespace korvanta::serve {

struct PageAsset {
  std::string_view path;  // "/", "/page.js"
  std::string_view content_type;
  std::string_view bytes;
};

std::span<const PageAsset> PageAssets();

}  // namespace korvanta::serve
