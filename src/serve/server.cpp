#include "serve/server.h"

#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <thread>

#include "driver/data_types.h"
#include "serve/convert_endpoint.h"
#include "serve/host_check.h"
#include "serve/page_assets.h"

namespace korvanta::serve {
namespace {

using Json = nlohmann::ordered_json;

// Connections beyond the conversions at once: uploads still arriving and light requests
// (the page, health) are served while every conversion slot is busy.
constexpr int kSpareConnections = 8;
constexpr char kConvertPath[] = "/api/convert";
constexpr std::size_t kRequestsPerConnection = 1000;

std::string ShownAddress(const std::string& host, int port) {
  const bool ipv6 = host.find(':') != std::string::npos && !host.starts_with('[');
  return (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

void SetJson(httplib::Response& response, const Json& body) {
  response.set_content(body.dump(), "application/json");
}

void AddRoutes(httplib::Server& server, const ConvertEndpoint& endpoint) {
  for (const PageAsset& asset : PageAssets()) {
    server.Get(std::string(asset.path), [&asset](const httplib::Request&, httplib::Response& res) {
      res.set_content(std::string(asset.bytes), std::string(asset.content_type));
    });
  }
  server.Get("/api/health", [](const httplib::Request&, httplib::Response& res) {
    SetJson(res, {{"status", "ok"}, {"version", KORVANTA_VERSION}});
  });
  server.Get("/api/types", [](const httplib::Request&, httplib::Response& res) {
    Json types = Json::array();
    for (const DataType& type : DataTypes()) {
      types.push_back({{"extension", type.extension}, {"type", type.button_text}});
    }
    SetJson(res, types);
  });
  server.Post(kConvertPath,
              [&endpoint](const httplib::Request& req, httplib::Response& res,
                          const httplib::ContentReader& read) { endpoint.Handle(req, res, read); });
}

// `port`: the one bound, which port 0 leaves to the system.
void SetGuards(httplib::Server& server, const ServeOptions& options, int port) {
  const bool loopback = IsLoopbackHost(options.host);
  server.set_pre_routing_handler(
      [port, loopback](const httplib::Request& req, httplib::Response& res) {
        // The page loads nothing from elsewhere and may not be framed by another site.
        res.set_header("Content-Security-Policy",
                       "default-src 'self'; img-src 'self' data: blob:; frame-ancestors 'none'");
        res.set_header("X-Content-Type-Options", "nosniff");
        res.set_header("Referrer-Policy", "no-referrer");
        if (loopback && !IsLoopbackHostHeader(req.get_header_value("Host"), port)) {
          SetErrorAnswer(res, 403, "This service answers only to localhost and 127.0.0.1.");
          res.set_header("Connection", "close");
          return httplib::Server::HandlerResponse::Handled;
        }
        if (req.method == "POST" && req.path == kConvertPath) {
          // The request object is the library's own, not const: only the handler's view is.
          ConvertEndpoint::TakeBodyAsBytes(const_cast<httplib::Request&>(req));
        }
        return httplib::Server::HandlerResponse::Unhandled;
      });
  // Answers the library gives on its own (no such path, a bad request line) in the same JSON.
  server.set_error_handler([](const httplib::Request& req, httplib::Response& res) {
    if (!res.body.empty()) return;
    SetErrorAnswer(res, res.status,
                   res.status == 404
                       ? "There is nothing at " + req.path + "."
                       : "The request was refused (" + std::to_string(res.status) + ").");
  });
  server.set_exception_handler(
      [](const httplib::Request&, httplib::Response& res, std::exception_ptr error) {
        std::string what = "unknown error";
        try {
          std::rethrow_exception(error);
        } catch (const std::exception& e) {
          what = e.what();
        } catch (...) {
        }
        SetErrorAnswer(res, 500, "The server failed: " + what + ".");
      });
  // Nagle's algorithm held each answer's body back for the client's delayed acknowledgement of
  // its headers (40 ms on Linux). The option is set on the listening socket; accepted
  // connections inherit it on Linux, Windows and macOS alike.
  server.set_tcp_nodelay(true);
  server.set_payload_max_length(options.max_body_bytes);
  server.set_read_timeout(options.idle_seconds, 0);
  server.set_write_timeout(options.idle_seconds, 0);
  server.set_keep_alive_timeout(std::min(options.idle_seconds, 5));
  // A script sending a batch keeps one connection instead of a new one every fifth file.
  server.set_keep_alive_max_count(kRequestsPerConnection);
}

}  // namespace

int RunServer(const ServeOptions& options, std::ostream& out, std::ostream& err) {
  ConversionSettings settings = SettingsFromEnvironment(
      options.template_dir ? std::optional<std::filesystem::path>(*options.template_dir)
                           : std::nullopt);
  const int conversions =
      std::clamp(options.jobs.value_or(static_cast<int>(std::thread::hardware_concurrency())), 1,
                 kMaxConversions);
  const ConvertEndpoint endpoint(options, std::move(settings),
                                 std::filesystem::temp_directory_path(), conversions);

  // The signals are taken by one thread of their own: every thread started from here on
  // inherits the blocked mask, and stop() is no call for a signal handler.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGTERM);
  sigaddset(&stop_signals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

  httplib::Server server;
  const auto threads = static_cast<std::size_t>(conversions + kSpareConnections);
  server.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
  const int port = options.port == 0
                       ? server.bind_to_any_port(options.host)
                       : (server.bind_to_port(options.host, options.port) ? options.port : -1);
  if (port <= 0) {
    err << "korvanta serve: cannot listen on " << ShownAddress(options.host, options.port) << '\n';
    return 1;
  }
  SetGuards(server, options, port);
  AddRoutes(server, endpoint);
  out << "korvanta serve: listening on http://" << ShownAddress(options.host, port) << "/\n";
  if (!IsLoopbackHost(options.host)) {
    out << "korvanta serve: " << options.host
        << " is not loopback: the service is open to every computer that reaches it on that "
           "network\n";
  }
  out.flush();

  std::thread stopper([&server, &stop_signals] {
    int received = 0;
    sigwait(&stop_signals, &received);
    server.stop();
  });
  const bool served = server.listen_after_bind();
  // listen_after_bind() returns after stop() with every request in flight answered; when it
  // ends on its own, the stopper is woken with the signal it waits for.
  pthread_kill(stopper.native_handle(), SIGTERM);
  stopper.join();
  out << "korvanta serve: stopped\n";
  return served ? 0 : 1;
}

}  // namespace korvanta::serve
