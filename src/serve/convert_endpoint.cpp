#include "serve/convert_endpoint.h"

#include <chrono>
#include <nlohmann/json.hpp>
#include <set>
#include <string_view>

#include "serve/multipart_form.h"
#include "serve/private_folder.h"
#include "serve/response_zip.h"
#include "serve/serve_conversion.h"
#include "serve/upload_name.h"

namespace korvanta::serve {
namespace {

using Json = nlohmann::ordered_json;
using Clock = std::chrono::steady_clock;

constexpr std::string_view kXlsxType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";
constexpr std::string_view kJsonType = "application/json";
constexpr std::string_view kZipType = "application/zip";
constexpr std::string_view kFileField = "file";
// Where TakeBodyAsBytes() keeps the client's Content-Type.
constexpr char kFormTypeHeader[] = "X-Korvanta-Form-Type";

// ASCII only, so that the JSON fits in a header and any client decodes it.
std::string AsciiJson(const Json& value) {
  return value.dump(-1, ' ', true, Json::error_handler_t::replace);
}

std::optional<OutputFormats> ParseOutputs(const std::string& text) {
  if (text.empty() || text == "xlsx") return OutputFormats{true, false};
  if (text == "asm") return OutputFormats{false, true};
  if (text == "xlsx,asm" || text == "asm,xlsx") return OutputFormats{true, true};
  return std::nullopt;
}

// Holds one of the server's conversion slots for as long as it lives.
class ConversionSlot {
 public:
  explicit ConversionSlot(std::counting_semaphore<kMaxConversions>& slots) : slots_(slots) {
    slots_.acquire();
  }
  ~ConversionSlot() { slots_.release(); }
  ConversionSlot(const ConversionSlot&) = delete;
  ConversionSlot& operator=(const ConversionSlot&) = delete;

 private:
  std::counting_semaphore<kMaxConversions>& slots_;
};

// Why a request's files are not taken, where the reason is the server's own limit.
enum class Refusal { kNone, kTooSlow, kStalled, kIncomplete, kMalformed, kTooManyFiles };

struct ReceivedUploads {
  std::vector<Upload> uploads;
  Refusal refusal = Refusal::kNone;
};

// The body read whole within the time limit (the library holds it to the size limit), then
// its "file" parts; other fields are dropped.
ReceivedUploads Receive(const httplib::ContentReader& read, const std::string& boundary,
                        const ServeOptions& options) {
  ReceivedUploads received;
  const Clock::time_point deadline = Clock::now() + std::chrono::seconds(options.request_seconds);
  std::string body;
  Clock::time_point last_piece = Clock::now();
  const bool complete = read([&](const char* data, std::size_t length) {
    last_piece = Clock::now();
    // Checked as each piece arrives, so a client that trickles bytes is cut off too.
    if (Clock::now() > deadline) {
      received.refusal = Refusal::kTooSlow;
      return false;
    }
    body.append(data, length);
    return true;
  });
  if (!complete) {
    // The library gives up on a client that sends nothing for the idle time.
    const bool stalled = Clock::now() - last_piece >= std::chrono::seconds(options.idle_seconds);
    if (received.refusal == Refusal::kNone) {
      received.refusal = stalled ? Refusal::kStalled : Refusal::kIncomplete;
    }
    return received;
  }
  const auto parts = ParseMultipart(body, boundary);
  if (!parts) {
    received.refusal = Refusal::kMalformed;
    return received;
  }
  for (const FormPart& part : *parts) {
    if (part.name != kFileField) continue;
    if (static_cast<int>(received.uploads.size()) == options.max_files) {
      received.refusal = Refusal::kTooManyFiles;
      return received;
    }
    received.uploads.push_back({DisplayName(part.filename), std::string(part.data)});
  }
  return received;
}

// The name an output takes in a zip: the download name, numbered where an earlier file of
// the same request took it.
std::string UniqueName(std::set<std::string>& taken, const std::string& name) {
  std::string unique = name;
  for (int n = 2; !taken.insert(unique).second; ++n) {
    const std::filesystem::path path(name);
    unique = path.stem().string() + " (" + std::to_string(n) + ")" + path.extension().string();
  }
  return unique;
}

void AnswerOne(const UploadResult& result, const std::string& display_name,
               const OutputFormats& formats, const std::filesystem::path& folder,
               httplib::Response& response) {
  if (!result.converted) {
    SetErrorAnswer(response, 422, result.error, result.warnings);
    return;
  }
  response.set_header("X-Korvanta-Type", AsciiJson(result.data_type));
  response.set_header("X-Korvanta-Warnings", AsciiJson(result.warnings));
  std::string name;
  if (formats.report && formats.asm_document) {
    name = DownloadName(display_name, ".zip");
    response.set_content(ZipOf({{DownloadName(display_name, ".xlsx"), result.report},
                                {DownloadName(display_name, ".json"), result.asm_document}},
                               folder / "answer.zip"),
                         std::string(kZipType));
  } else if (formats.report) {
    name = DownloadName(display_name, ".xlsx");
    response.set_content(result.report, std::string(kXlsxType));
  } else {
    name = DownloadName(display_name, ".json");
    response.set_content(result.asm_document, std::string(kJsonType));
  }
  response.set_header("Content-Disposition", AttachmentHeader(name));
}

// Several files: one zip of every output and summary.json, one entry per file in order.
void AnswerMany(const std::vector<Upload>& uploads, const std::vector<UploadResult>& results,
                const std::filesystem::path& folder, httplib::Response& response) {
  ZipEntries entries;
  std::set<std::string> taken{"summary.json"};
  Json summary = Json::array();
  for (std::size_t i = 0; i < results.size(); ++i) {
    const UploadResult& result = results[i];
    Json outputs = Json::array();
    const auto add = [&](const std::string& bytes, std::string_view extension) {
      if (bytes.empty()) return;
      entries.emplace_back(UniqueName(taken, DownloadName(uploads[i].display_name, extension)),
                           bytes);
      outputs.push_back(entries.back().first);
    };
    add(result.report, ".xlsx");
    add(result.asm_document, ".json");
    Json entry = {{"file", uploads[i].display_name},
                  {"type", result.data_type},
                  {"converted", result.converted},
                  {"outputs", outputs}};
    if (!result.converted) entry["error"] = result.error;
    entry["warnings"] = result.warnings;
    summary.push_back(std::move(entry));
  }
  entries.emplace_back("summary.json", summary.dump(2, ' ', false, Json::error_handler_t::replace));
  response.set_content(ZipOf(entries, folder / "answer.zip"), std::string(kZipType));
  response.set_header("Content-Disposition", AttachmentHeader("korvanta-reports.zip"));
}

}  // namespace

void SetErrorAnswer(httplib::Response& response, int status, const std::string& error,
                    const std::vector<std::string>& warnings) {
  response.status = status;
  const Json body = {{"error", error}, {"warnings", warnings}};
  response.set_content(body.dump(-1, ' ', false, Json::error_handler_t::replace),
                       std::string(kJsonType));
}

void ConvertEndpoint::TakeBodyAsBytes(httplib::Request& request) {
  const std::string content_type = request.get_header_value("Content-Type");
  request.headers.erase(kFormTypeHeader);
  request.headers.erase("Content-Type");
  request.headers.emplace(kFormTypeHeader, content_type);
  request.headers.emplace("Content-Type", "application/octet-stream");
}

ConvertEndpoint::ConvertEndpoint(const ServeOptions& options, ConversionSettings settings,
                                 std::filesystem::path temp_root, int conversions)
    : options_(options),
      settings_(std::move(settings)),
      temp_root_(std::move(temp_root)),
      conversions_(conversions) {}

void ConvertEndpoint::Handle(const httplib::Request& request, httplib::Response& response,
                             const httplib::ContentReader& read) const {
  const std::string outputs_text = request.get_param_value("outputs");
  const auto formats = ParseOutputs(outputs_text);
  if (!formats) {
    SetErrorAnswer(response, 400,
                   "outputs takes xlsx, asm or xlsx,asm, not \"" + outputs_text + "\"");
    return;
  }
  const auto boundary = MultipartBoundary(request.get_header_value(kFormTypeHeader));
  if (!boundary) {
    SetErrorAnswer(response, 400,
                   "Send the export file as multipart/form-data in the field \"file\".");
    return;
  }
  const ReceivedUploads received = Receive(read, *boundary, options_);
  switch (received.refusal) {
    case Refusal::kNone:
      break;
    case Refusal::kTooSlow:
      SetErrorAnswer(response, 408,
                     "The request was not received within " +
                         std::to_string(options_.request_seconds) + " seconds.");
      break;
    case Refusal::kStalled:
      SetErrorAnswer(
          response, 408,
          "The client sent nothing for " + std::to_string(options_.idle_seconds) + " seconds.");
      break;
    case Refusal::kIncomplete:
      // The library has set 413 where the body was over the limit; else the client stopped.
      if (response.status == 413) {
        SetErrorAnswer(response, 413,
                       "The request is larger than " +
                           std::to_string(options_.max_body_bytes >> 20) + " MiB.");
      } else {
        SetErrorAnswer(response, 400, "The request ended before its body was complete.");
      }
      break;
    case Refusal::kMalformed:
      SetErrorAnswer(response, 400, "The request is no well-formed multipart/form-data.");
      break;
    case Refusal::kTooManyFiles:
      SetErrorAnswer(
          response, 413,
          "A request may carry at most " + std::to_string(options_.max_files) + " files.");
      break;
  }
  if (received.refusal != Refusal::kNone) {
    // What is left of a body read only in part must not be taken for the next request.
    response.set_header("Connection", "close");
    return;
  }
  if (received.uploads.empty()) {
    SetErrorAnswer(response, 400, "The request holds no file in the field \"file\".");
    return;
  }

  ConversionSettings settings = settings_;
  settings.formats = *formats;
  PrivateFolder folder(temp_root_);
  std::vector<UploadResult> results;
  {
    const ConversionSlot slot(conversions_);
    for (std::size_t i = 0; i < received.uploads.size(); ++i) {
      const std::filesystem::path own = folder.path() / std::to_string(i);
      std::filesystem::create_directory(own);
      results.push_back(ConvertUpload(received.uploads[i], settings, own));
    }
  }
  if (results.size() == 1) {
    AnswerOne(results.front(), received.uploads.front().display_name, *formats, folder.path(),
              response);
  } else {
    AnswerMany(received.uploads, results, folder.path(), response);
  }
}

}  // namespace korvanta::serve
