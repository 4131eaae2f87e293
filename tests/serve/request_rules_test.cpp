// The rules a request's untrusted parts pass through: the client's file name and the Host
// header.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "serve/host_check.h"
#include "serve/multipart_form.h"
#include "serve/upload_name.h"

namespace korvanta::serve {
namespace {

TEST(UploadNameTest, KeepsOnlyTheLastComponentWithoutControlCharacters) {
  const struct {
    std::string client;
    std::string display;
  } cases[] = {
      {"a.pht", "a.pht"},
      {"../../x.pht", "x.pht"},
      {"C:\\data\\run 1.pro", "run 1.pro"},
      {"/etc/passwd", "passwd"},
      {"..", "upload"},
      {"dir/", "upload"},
      {"", "upload"},
      {"a\r\nb\x7f.nuc", "ab.nuc"},
      {"Mëssung.tsc", "Mëssung.tsc"},
      {std::string(300, 'x') + ".od", std::string(255, 'x')},
  };
  for (const auto& c : cases) EXPECT_EQ(DisplayName(c.client), c.display) << c.client;
  // A cut never splits a character: 127 two-byte "é" fill 254 bytes.
  std::string accents;
  for (int i = 0; i < 200; ++i) accents += "é";
  const std::string cut = DisplayName(accents);
  EXPECT_EQ(cut.size(), 254u);
  EXPECT_EQ(cut, accents.substr(0, 254));
}

TEST(UploadNameTest, DownloadHeadersNameTheFileExactlyAndPlainlyForOldClients) {
  const struct {
    std::string name;
    std::string header;
  } cases[] = {
      {"a.xlsx", "attachment; filename=\"a.xlsx\"; filename*=UTF-8''a.xlsx"},
      {"run 1.xlsx", "attachment; filename=\"run 1.xlsx\"; filename*=UTF-8''run%201.xlsx"},
      {"q\"u;o\\te.json",
       "attachment; filename=\"q_u;o_te.json\"; filename*=UTF-8''q%22u%3Bo%5Cte.json"},
      {"Mé.zip", "attachment; filename=\"M__.zip\"; filename*=UTF-8''M%C3%A9.zip"},
  };
  for (const auto& c : cases) EXPECT_EQ(AttachmentHeader(c.name), c.header) << c.name;
  EXPECT_EQ(DownloadName("run.1.pht", ".xlsx"), "run.1.xlsx");
  EXPECT_EQ(DownloadName("upload", ".json"), "upload.json");
}

TEST(HostCheckTest, LoopbackServerAnswersOnlyToLoopbackNamesOnItsPort) {
  const struct {
    std::string header;
    bool allowed;
  } cases[] = {
      {"localhost:8080", true},
      {"127.0.0.1:8080", true},
      {"127.1.2.3:8080", true},
      {"[::1]:8080", true},
      {"localhost", true},
      {"127.0.0.1", true},
      {"[::1]", true},
      {"localhost:80", false},
      {"evil.example:8080", false},
      {"evil.example", false},
      {"127.0.0.1.nip.io:8080", false},
      {"localhost.evil:8080", false},
      {"[::1]x", false},
      {"", false},
      {"10.0.0.1:8080", false},
      {"[::2]:8080", false},
      {"[::1", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsLoopbackHostHeader(c.header, 8080), c.allowed) << c.header;
  }
}

TEST(HostCheckTest, TellsLoopbackListenAddressesFromOthers) {
  for (const char* host : {"127.0.0.1", "127.0.0.2", "::1", "localhost"}) {
    EXPECT_TRUE(IsLoopbackHost(host)) << host;
  }
  for (const char* host : {"0.0.0.0", "::", "192.168.1.5", "lab-server", "128.0.0.1"}) {
    EXPECT_FALSE(IsLoopbackHost(host)) << host;
  }
}

TEST(MultipartFormTest, SplitsWellFormedBodiesAndRefusesBrokenOnes) {
  const std::string part_a =
      "--b\r\nContent-Disposition: form-data; name=\"file\"; filename=\"C:\\d\\a.pht\"\r\n"
      "Content-Type: text/plain\r\n\r\n4\r\n2\r\n";
  const std::string part_b =
      "--b\r\ncontent-disposition: FORM-DATA;name=note\r\n\r\n--b is not the end\r\n";
  const struct {
    std::string body;
    std::vector<std::string> parts;  // "name|filename|data"; empty and refused when malformed
    bool well_formed;
  } cases[] = {
      {part_a + "--b--\r\n", {"file|C:\\d\\a.pht|4\r\n2"}, true},
      {"preamble\r\n" + part_a + part_b + "--b--",
       {"file|C:\\d\\a.pht|4\r\n2", "note||--b is not the end"},
       true},
      {"--b--\r\n", {}, true},
      {part_a, {}, false},                                               // no closing delimiter
      {part_a.substr(0, 40), {}, false},                                 // cut off in its headers
      {"--b\r\nContent-Type: text/plain\r\n\r\nx\r\n--b--", {}, false},  // no field name
      {"--b\r\nContent-Disposition: attachment; name=f\r\n\r\nx\r\n--b--", {}, false},
      {"--b\r\nContent-Disposition: form-data; name=\"f\r\n\r\nx\r\n--b--", {}, false},
      {"--bx\r\n", {}, false},
      {"", {}, false},
  };
  for (const auto& c : cases) {
    const auto parts = ParseMultipart(c.body, "b");
    ASSERT_EQ(parts.has_value(), c.well_formed) << c.body;
    if (!parts) continue;
    std::vector<std::string> seen;
    for (const FormPart& part : *parts) {
      seen.push_back(part.name + "|" + part.filename + "|" + std::string(part.data));
    }
    EXPECT_EQ(seen, c.parts) << c.body;
  }
}

TEST(MultipartFormTest, TakesTheBoundaryOnlyFromFormData) {
  EXPECT_EQ(MultipartBoundary("multipart/form-data; boundary=abc"), "abc");
  EXPECT_EQ(MultipartBoundary("Multipart/Form-Data;boundary=\"a b;c\""), "a b;c");
  EXPECT_EQ(MultipartBoundary("multipart/form-data; charset=x; boundary=z"), "z");
  for (const char* refused : {"multipart/mixed; boundary=abc", "multipart/form-data",
                              "multipart/form-data; boundary=", "text/plain; boundary=abc",
                              "multipart/form-data; boundary=\"abc", ""}) {
    EXPECT_FALSE(MultipartBoundary(refused)) << refused;
  }
  EXPECT_FALSE(MultipartBoundary("multipart/form-data; boundary=" + std::string(71, 'x')));
}

}  // namespace
}  // namespace korvanta::serve
