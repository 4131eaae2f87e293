// Two inputs of one run writing one report: every spelling of the same file is caught, distinct
// files are not.
#include "driver/report_claims.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "support/paths.h"

namespace korvanta {
namespace {

namespace fs = std::filesystem;

struct Spelling {
  const char* what;
  std::string first;
  std::string second;
  bool same_report;
};

TEST(ReportClaims, ALaterClaimOnTheSameFileNamesTheEarlierInputWhateverItsSpelling) {
  const test::TempDir dir;
  fs::create_directories(dir / "out");
  fs::create_directory_symlink(dir / "out", dir / "link");
  const std::string out = (dir / "out").string();
  const Spelling spellings[] = {
      {"the same path", out + "/plate.xlsx", out + "/plate.xlsx", true},
      {"a dot and a dot-dot", out + "/plate.xlsx", out + "/./../out/plate.xlsx", true},
      {"a linked folder", out + "/plate.xlsx", (dir / "link" / "plate.xlsx").string(), true},
      {"a folder not made yet", out + "/new/plate.xlsx", out + "/new/../new/plate.xlsx", true},
      {"another name", out + "/plate.xlsx", out + "/run.xlsx", false},
      {"another folder", out + "/plate.xlsx", (dir / "plate.xlsx").string(), false},
  };
  for (const Spelling& spelling : spellings) {
    ReportClaims claims;
    EXPECT_EQ(claims.Claim(spelling.first, "a.pht"), std::nullopt) << spelling.what;
    const std::optional<std::string> earlier = claims.Claim(spelling.second, "b.pro");
    EXPECT_EQ(earlier, spelling.same_report ? std::optional<std::string>("a.pht") : std::nullopt)
        << spelling.what;
  }
}

TEST(ReportClaims, ARefusedClaimIsNotRecordedSoTheFirstInputStaysTheOwner) {
  const test::TempDir dir;
  const std::string report = (dir / "plate.xlsx").string();
  ReportClaims claims;
  EXPECT_EQ(claims.Claim(report, "a.pht"), std::nullopt);
  EXPECT_EQ(claims.Claim(report, "b.pro"), "a.pht");
  EXPECT_EQ(claims.Claim(report, "c.tm"), "a.pht");
}

}  // namespace
}  // namespace korvanta
