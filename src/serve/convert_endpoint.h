// POST /api/convert: the uploaded export files received within the request's limits,
// converted each in a private folder, and answered with the outputs or the reasons.
#pragma once

#include <httplib.h>

#include <filesystem>
#include <semaphore>

#include "driver/conversion.h"
#include "serve/serve_options.h"

namespace korvanta::serve {

// The most conversions a server runs at once, whatever -j asks.
inline constexpr int kMaxConversions = 256;

class ConvertEndpoint {
 public:
  // `temp_root` holds the requests' private folders.
  ConvertEndpoint(const ServeOptions& options, ConversionSettings settings,
                  std::filesystem::path temp_root, int conversions);

  void Handle(const httplib::Request& request, httplib::Response& response,
              const httplib::ContentReader& read) const;

 private:
  const ServeOptions& options_;
  ConversionSettings settings_;
  std::filesystem::path temp_root_;
  mutable std::counting_semaphore<kMaxConversions> conversions_;
};

// An error answer: {"error": text, "warnings": [...]}.
void SetErrorAnswer(httplib::Response& response, int status, const std::string& error,
                    const std::vector<std::string>& warnings = {});

}  // namespace korvanta::serve
