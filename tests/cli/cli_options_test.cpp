#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvanta::cli {
namespace {

Arguments Parse(std::vector<std::string> args) { return ParseArguments(args); }

TEST(ConvertOptions, ShortAndLongFormsWithTheirValues) {
  const auto parsed = Parse(
      {"convert", "-j2", "--output-dir=out", "-tT", "a.pht", "-r", "--open", "--json", "b.pht"});
  ASSERT_EQ(parsed.command, Command::kConvert);
  const ConvertOptions& options = parsed.convert;
  EXPECT_EQ(options.inputs, (std::vector<std::string>{"a.pht", "b.pht"}));
  EXPECT_EQ(options.jobs, 2);
  EXPECT_EQ(options.output_dir, "out");
  EXPECT_EQ(options.template_dir, "T");
  EXPECT_TRUE(options.recursive);
  EXPECT_TRUE(options.open);
  EXPECT_TRUE(options.json);
  EXPECT_FALSE(options.force);

  EXPECT_EQ(Parse({"convert", "--jobs", "16", "a"}).convert.jobs, 16);
  EXPECT_EQ(Parse({"convert", "-j", "1", "a"}).convert.jobs, 1);
  EXPECT_FALSE(Parse({"convert", "a"}).convert.jobs.has_value());
}

TEST(ConvertOptions, BundledFlagsAndAValueAtTheirEnd) {
  const auto options = Parse({"convert", "-fqj", "3", "a.pht"}).convert;
  EXPECT_TRUE(options.force);
  EXPECT_EQ(options.verbosity, Verbosity::kQuiet);
  EXPECT_EQ(options.jobs, 3);
  // What follows an option that takes a value in its bundle is the value; at the bundle's end
  // the next argument is, even when it starts with a dash.
  EXPECT_EQ(Parse({"convert", "-roREPORT", "a"}).convert.output, "REPORT");
  EXPECT_EQ(Parse({"convert", "-ro", "-report", "a"}).convert.output, "-report");
}

TEST(ConvertOptions, DashDashEndsTheOptions) {
  const auto options = Parse({"convert", "--", "-f.pht", "--json"}).convert;
  EXPECT_EQ(options.inputs, (std::vector<std::string>{"-f.pht", "--json"}));
  EXPECT_FALSE(options.force);
  EXPECT_FALSE(options.json);
  EXPECT_EQ(Parse({"convert", "-"}).convert.inputs, std::vector<std::string>{"-"});
}

TEST(ConvertOptions, JobsMustBeAWholeNumberInRange) {
  for (const char* bad : {"0", "-1", "two", "2x", "", "257", "99999999999"}) {
    EXPECT_THROW(Parse({"convert", "--jobs", bad, "a"}), UsageError) << bad;
  }
  EXPECT_EQ(Parse({"convert", "--jobs=256", "a"}).convert.jobs, 256);
}

TEST(ConvertOptions, FormatNamesTheReportTheAsmDocumentOrBoth) {
  struct Case {
    const char* value;
    bool report;
    bool asm_document;
  };
  for (const Case& c : {Case{"xlsx", true, false}, Case{"asm", false, true},
                        Case{"xlsx,asm", true, true}, Case{"asm,xlsx", true, true}}) {
    const OutputFormats formats = Parse({"convert", "--format", c.value, "a"}).convert.formats;
    EXPECT_EQ(formats.report, c.report) << c.value;
    EXPECT_EQ(formats.asm_document, c.asm_document) << c.value;
  }
  const OutputFormats unset = Parse({"convert", "a"}).convert.formats;
  EXPECT_TRUE(unset.report);
  EXPECT_FALSE(unset.asm_document);
  for (const char* bad : {"", "json", "xlsx,", ",asm", "asm,asm", "xlsx;asm", "ASM"}) {
    EXPECT_THROW(Parse({"convert", "--format", bad, "a"}), UsageError) << bad;
  }
}

TEST(ConvertOptions, BadUsage) {
  EXPECT_THROW(Parse({}), UsageError);
  EXPECT_THROW(Parse({"convert"}), UsageError);
  EXPECT_THROW(Parse({"convert", "-x", "a"}), UsageError);
  EXPECT_THROW(Parse({"convert", "--recursive=yes", "a"}), UsageError);
  EXPECT_THROW(Parse({"convert", "a", "-d"}), UsageError);
  EXPECT_THROW(Parse({"convert", "a", "b", "-o", "r"}), UsageError);
  EXPECT_THROW(Parse({"convert", "a", "-o", "r", "-d", "d"}), UsageError);
  EXPECT_THROW(Parse({"convert", "--inspect", "a"}), UsageError);
  EXPECT_THROW(Parse({"frobnicate"}), UsageError);
}

TEST(InspectOptions, OneInputAndJson) {
  const auto parsed = Parse({"inspect", "--json", "a.pro"});
  ASSERT_EQ(parsed.command, Command::kInspect);
  EXPECT_EQ(parsed.inspect.input, "a.pro");
  EXPECT_TRUE(parsed.inspect.json);
  EXPECT_FALSE(Parse({"inspect", "a.pro"}).inspect.json);
  EXPECT_THROW(Parse({"inspect"}), UsageError);
  EXPECT_THROW(Parse({"inspect", "a.pro", "b.pro"}), UsageError);
  // Options of convert are not options of inspect.
  EXPECT_THROW(Parse({"inspect", "-j", "2", "a.pro"}), UsageError);
}

TEST(TemplatesOptions, CopyAloneAndNoInputs) {
  EXPECT_EQ(Parse({"templates"}).command, Command::kTemplates);
  EXPECT_FALSE(Parse({"templates"}).templates.copy);
  EXPECT_TRUE(Parse({"templates", "--copy"}).templates.copy);
  EXPECT_EQ(Parse({"templates", "--help"}).command, Command::kHelp);
  EXPECT_THROW(Parse({"templates", "photomet.xlsx"}), UsageError);
  EXPECT_THROW(Parse({"templates", "-t", "T"}), UsageError);
}

TEST(Help, AnyCommandAsksForHelp) {
  EXPECT_EQ(Parse({"--help"}).command, Command::kHelp);
  EXPECT_EQ(Parse({"help"}).command, Command::kHelp);
  EXPECT_EQ(Parse({"convert", "--help"}).command, Command::kHelp);
  EXPECT_EQ(Parse({"inspect", "-h"}).command, Command::kHelp);
  EXPECT_EQ(Parse({"--version"}).command, Command::kVersion);
}

}  // namespace
}  // namespace korvanta::cli
