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

  // Called before the body is read. The library would take a multipart body apart itself,
  // with no word to the endpoint while the part headers arrive, so a client trickling them
  // would escape the time limit: the request's Content-Type is set aside, the body reaches
  // the endpoint as plain bytes, and the endpoint splits it once it is whole.
  static void TakeBodyAsBytes(httplib::Request& request);

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
