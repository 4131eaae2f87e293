# Writes OUTPUT, a C++ source defining PageAssets() over FILES ("|" between them): index.html is served at "/",
# the icon at "/icon.svg", every other file at "/<its name>".
set(body "")
set(table "")
set(index 0)
string(REPLACE "|" ";" files "${FILES}")
foreach(file IN LISTS files)
  get_filename_component(name ${file} NAME)
  get_filename_component(extension ${file} LAST_EXT)
  file(READ ${file} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND body "const unsigned char kAsset${index}[] = {${bytes}};\n")
  if(name STREQUAL "index.html")
    set(path "/")
  elseif(extension STREQUAL ".svg")
    set(path "/icon.svg")
  else()
    set(path "/${name}")
  endif()
  if(extension STREQUAL ".html")
    set(type "text/html; charset=utf-8")
  elseif(extension STREQUAL ".css")
    set(type "text/css; charset=utf-8")
  elseif(extension STREQUAL ".js")
    set(type "text/javascript; charset=utf-8")
  else()
    set(type "image/svg+xml")
  endif()
  string(APPEND table "    {\"${path}\", \"${type}\", Bytes(kAsset${index}, sizeof kAsset${index})},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUTPUT}.new "// Generated from the page's files by embed_page.cmake.
#include \"serve/page_assets.h\"

namespace korvanta::serve {
namespace {

std::string_view Bytes(const unsigned char* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

${body}
}  // namespace

std::span<const PageAsset> PageAssets() {
  static const PageAsset kAssets[] = {
${table}  };
  return kAssets;
}

}  // namespace korvanta::serve
")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
