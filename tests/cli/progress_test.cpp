#include "cli/progress.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/console.h"

namespace korvanta::cli {
namespace {

using std::chrono::milliseconds;
using std::chrono::minutes;
using std::chrono::seconds;

TEST(ProgressText, DoneOfAllTheCurrentFileAndTheTimeLeft) {
  EXPECT_EQ(ProgressText(0, 200, "a.pht", seconds(3)), "0/200  a.pht");
  // 10 done in 20 s: 2 s each, 190 to go.
  EXPECT_EQ(ProgressText(10, 200, "b.pht", seconds(20)), "10/200  b.pht  about 6 min left");
  EXPECT_EQ(ProgressText(3, 4, "c.pht", seconds(3)), "3/4  c.pht  about 1 s left");
  // Nothing is left to estimate at the end.
  EXPECT_EQ(ProgressText(4, 4, "c.pht", seconds(4)), "4/4  c.pht");
}

TEST(ProgressText, TimeLeftInSecondsMinutesAndHours) {
  EXPECT_EQ(TimeLeftText(milliseconds(200)), "about 1 s left");
  EXPECT_EQ(TimeLeftText(seconds(59)), "about 59 s left");
  EXPECT_EQ(TimeLeftText(seconds(89)), "about 1 min left");
  EXPECT_EQ(TimeLeftText(seconds(90)), "about 2 min left");
  EXPECT_EQ(TimeLeftText(minutes(65)), "about 1 h 5 min left");
}

TEST(Console, NotLiveWritesMessageLinesOnly) {
  std::ostringstream err;
  Console console(err, false, 80);
  console.Status("1/2  a.pht");
  console.Line("a.pht: report written to a.xlsx");
  console.ClearStatus();
  EXPECT_EQ(err.str(), "a.pht: report written to a.xlsx\n");
}

TEST(Console, LiveKeepsTheStatusLineBelowTheMessages) {
  std::ostringstream err;
  Console console(err, true, 80);
  console.Status("1/2  a.pht");
  console.Line("a.pht: warning: ends early");
  console.Status("2/2  b.pht");
  console.ClearStatus();
  EXPECT_EQ(err.str(),
            "\r\x1b[K1/2  a.pht"
            "\r\x1b[Ka.pht: warning: ends early\n1/2  a.pht"
            "\r\x1b[K2/2  b.pht"
            "\r\x1b[K");
}

TEST(Console, TheStatusLineIsCutToTheTerminalWidth) {
  std::ostringstream err;
  Console console(err, true, 10);
  // The last column stays free; characters, not bytes, are counted.
  console.Status("1/2  \xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9");
  EXPECT_EQ(err.str(), "\r\x1b[K1/2  \xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9");
}

TEST(Progress, DrawsOnlyOnALiveConsole) {
  std::ostringstream err;
  Console console(err, false, 80);
  Progress progress(console, 2);
  progress.Started("a.pht");
  progress.Finished();
  EXPECT_EQ(err.str(), "");

  std::ostringstream live_err;
  Console live(live_err, true, 80);
  Progress shown(live, 1);
  shown.Started("a.pht");
  shown.Finished();
  EXPECT_EQ(live_err.str(), "\r\x1b[K0/1  a.pht\r\x1b[K1/1  a.pht");
}

}  // namespace
}  // namespace korvanta::cli
