// What the ASM document does with values the schema cannot hold as they are: text where a
// number belongs, units it has no string for, readings other than absorbance, no readings.
#include "asm/asm_document.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace korvanta {
namespace {

const AsmSource kSource{"plate.nuc",
                        "/runs/plate.nuc",
                        "2023-11-14T22:13:20+00:00",
                        "DNA/RNA",
                        "0a4d55a8d778e5022fab701977c5d840bbc486d0",
                        "",
                        {}};

const AsmJson& Aggregate(const AsmJson& document) {
  return document["spectrophotometry aggregate document"]["spectrophotometry document"][0]
                 ["measurement aggregate document"];
}

TEST(AsmDocument, TextReadingsAreLeftOutOfNumbersAndNoted) {
  AsmDocument document(kSource);
  const AsmSample sample{"S1", "Series", false};
  const auto a260 = document.AddAbsorbance("S1_A260", {sample, 260, "0.5", {}});
  const auto a280 = document.AddAbsorbance("S1_A280", {sample, 280, "----", {}});
  EXPECT_FALSE(a280);
  document.AddCalculated({"S1_R", "A260/A280", "S1", "----", {*a260}, ""});
  document.AddCalculated({"S1_Q", "A260/A230", "S1", "1.9", {*a260}, ""});
  const AsmJson result = std::move(document).Finish();

  const AsmJson& aggregate = Aggregate(result);
  ASSERT_EQ(aggregate["measurement document"].size(), 1u);
  EXPECT_EQ(aggregate["measurement document"][0]["absorbance"]["value"], 0.5);
  const AsmJson& calculated =
      result["spectrophotometry aggregate document"]["calculated data aggregate document"]
            ["calculated data document"];
  ASSERT_EQ(calculated.size(), 1u);
  EXPECT_EQ(calculated[0]["calculated data name"], "A260/A230");
  EXPECT_EQ(calculated[0]["data source aggregate document"]["data source document"].size(), 1u);
  const auto notes =
      aggregate["custom information document"]["notes"].get<std::vector<std::string>>();
  EXPECT_THAT(notes,
              testing::ElementsAre(testing::HasSubstr("S1 at 280 nm: the absorbance \"----\""),
                                   testing::HasSubstr("S1: A260/A280 \"----\"")));
}

TEST(AsmDocument, ConcentrationsWithoutAnAsmUnitKeepTheirTextInCustomInformation) {
  AsmDocument document(kSource);
  document.SetPathLength(3);  // 0.5 cm
  const auto id = document.AddAbsorbance("S1_A260", {{"S1", "", false}, 260, "0.5", {}});
  document.AddConcentration({"S1_C", "concentration", "S1", "25", {*id}, ""}, "ng/ul");
  document.AddConcentration({"S1_M", "concentration", "S1", "3.5", {*id}, ""}, "pmol/ul");
  document.AddConcentration({"S1_X", "concentration", "S1", "n/a", {*id}, ""}, "ng/ul");
  const AsmJson result = std::move(document).Finish();

  // Nested in the measurement they are read from.
  const AsmJson& processed =
      Aggregate(result)["measurement document"][0]["processed data aggregate document"]
                       ["processed data document"];
  ASSERT_EQ(processed.size(), 2u);
  EXPECT_EQ(processed[0]["mass concentration"],
            AsmJson::parse(R"({"value": 25, "unit": "ng/µL"})"));
  EXPECT_EQ(processed[0]["data processing document"]["cell path length"]["value"], 0.5);
  EXPECT_FALSE(processed[1].contains("mass concentration"));
  EXPECT_EQ(processed[1]["custom information document"]["concentration"],
            AsmJson::parse(R"({"value": 3.5, "unit": "pmol/ul"})"));
}

// Identifiers are name-based UUIDs of the file's content and the key: the same bytes give the
// same ones, other bytes (even under the same file name) others, and links follow them.
TEST(AsmDocument, IdentifiersComeFromTheContentAndTheKey) {
  const auto identifiers = [](std::string_view digest) {
    AsmSource source = kSource;
    source.content_digest = digest;
    AsmDocument document(source);
    const auto id = document.AddAbsorbance("S1_A260", {{"S1", "", false}, 260, "0.5", {}});
    document.AddCalculated({"S1_R", "ratio", "S1", "1.9", {*id}, ""});
    const AsmJson result = std::move(document).Finish();
    const AsmJson& calculated =
        result["spectrophotometry aggregate document"]["calculated data aggregate document"]
              ["calculated data document"][0];
    EXPECT_EQ(calculated["data source aggregate document"]["data source document"][0]
                        ["data source identifier"],
              *id);
    return std::vector<std::string>{*id, calculated["calculated data identifier"]};
  };
  const auto first = identifiers(kSource.content_digest);
  EXPECT_THAT(first[0],
              testing::MatchesRegex("[0-9a-f]{8}-[0-9a-f]{4}-5[0-9a-f]{3}-[89ab][0-9a-f]{3}-"
                                    "[0-9a-f]{12}"));
  EXPECT_NE(first[0], first[1]);
  EXPECT_EQ(identifiers(kSource.content_digest), first);
  const auto other = identifiers("f00d55a8d778e5022fab701977c5d840bbc486d0");
  EXPECT_NE(other[0], first[0]);
  EXPECT_NE(other[1], first[1]);
}

TEST(AsmDocument, RefusesAFileWithoutReadingsAndReadingsOtherThanAbsorbance) {
  AsmDocument empty(kSource);
  EXPECT_THAT([&] { std::move(empty).Finish(); },
              testing::ThrowsMessage<AsmRefusal>(testing::StartsWith("plate.nuc holds no")));

  const auto mode_text = [](std::int32_t code) {
    return code == 0 ? std::optional<std::string>("%T") : std::nullopt;
  };
  EXPECT_NO_THROW(RequireAbsorbance(kSource, std::nullopt, 1, mode_text));
  EXPECT_NO_THROW(RequireAbsorbance(kSource, 1, 1, mode_text));
  EXPECT_THAT([&] { RequireAbsorbance(kSource, 0, 1, mode_text); },
              testing::ThrowsMessage<AsmRefusal>(
                  testing::HasSubstr("plate.nuc holds DNA/RNA readings in %T, not absorbance")));
  EXPECT_THAT([&] { RequireAbsorbance(kSource, 7, 1, mode_text); },
              testing::ThrowsMessage<AsmRefusal>(testing::HasSubstr("in data mode 7")));
}

}  // namespace
}  // namespace korvanta
