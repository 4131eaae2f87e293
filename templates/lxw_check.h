#pragma once

#include <xlsxwriter.h>

#include <stdexcept>
#include <string>

namespace korvanta::templates {

// libxlsxwriter reports failures as return codes; a template that cannot be built exactly
// must stop the build rather than leave a partial workbook behind.
inline void CheckLxw(lxw_error error, const std::string& action) {
  if (error != LXW_NO_ERROR) {
    throw std::runtime_error(action + ": " + lxw_strerror(error));
  }
}

}  // namespace korvanta::templates
