// The kit tests judge the kit's result files with this reader, so it must refuse what
// Quorvath would misread.
#include <gtest/gtest.h>

#include "result_file.h"

namespace quorvath::kit_test {
namespace {

constexpr std::string_view kTwoGroups =
    "Cinder Keep\r\n41.26 / 78.90 / 143.02 fps\r\n2556 frames rendered\r\n32.40 seconds\r\n"
    "Ironreach Gate\r\n9.05 / 10.50 / 12.00 fps\r\n348 frames rendered\r\n33.20 seconds\r\n";

TEST(ResultFileReader, ReadsGroupsOfFourLines) {
  const ParsedResultFile parsed = ParseResultFile(kTwoGroups);
  ASSERT_TRUE(parsed.WellFormed()) << parsed.fault;
  ASSERT_EQ(parsed.groups.size(), 2u);
  EXPECT_EQ(parsed.groups[0].level, "Cinder Keep");
  EXPECT_EQ(parsed.groups[0].low, "41.26");
  EXPECT_EQ(parsed.groups[0].average, "78.90");
  EXPECT_EQ(parsed.groups[0].high, "143.02");
  EXPECT_EQ(parsed.groups[0].tail, " fps");
  EXPECT_EQ(parsed.groups[0].line3, "2556 frames rendered");
  EXPECT_EQ(parsed.groups[0].line4, "32.40 seconds");
  EXPECT_EQ(parsed.groups[1].level, "Ironreach Gate");
  EXPECT_EQ(parsed.groups[1].high, "12.00");
}

TEST(ResultFileReader, DropsExactlyFourCharactersAfterTheHighFigure) {
  const ParsedResultFile parsed = ParseResultFile("L\r\n1.00 / 2.00 / 3.00 FPS\r\na\r\nb\r\n");
  ASSERT_TRUE(parsed.WellFormed()) << parsed.fault;
  EXPECT_EQ(parsed.groups[0].high, "3.00");
  EXPECT_EQ(parsed.groups[0].tail, " FPS");
  // Three trailing characters leave "3.0f" as the high figure, which is no figure.
  EXPECT_FALSE(ParseResultFile("L\r\n1.00 / 2.00 / 3.00fps\r\na\r\nb\r\n").WellFormed());
  EXPECT_FALSE(ParseResultFile("L\r\n1.00 / 2.00 / fps\r\na\r\nb\r\n").WellFormed());
}

TEST(ResultFileReader, RefusesLinesThatDoNotEndInCrLf) {
  EXPECT_FALSE(ParseResultFile("L\n1.00 / 2.00 / 3.00 fps\na\nb\n").WellFormed());
  EXPECT_FALSE(ParseResultFile("L\r\n1.00 / 2.00 / 3.00 fps\r\na\r\nb").WellFormed());
  EXPECT_FALSE(ParseResultFile("L\r\n1.00 / 2.00 / 3.00 fps\ra\r\nb\r\n").WellFormed());
}

TEST(ResultFileReader, RefusesAFileThatEndsInsideAGroup) {
  const std::string one_more_line = std::string(kTwoGroups) + "Frostmere\r\n";
  const ParsedResultFile parsed = ParseResultFile(one_more_line);
  EXPECT_FALSE(parsed.WellFormed());
  EXPECT_NE(parsed.fault.find("inside a group"), std::string::npos) << parsed.fault;
  // A trailing empty line is a new group to Quorvath, and so a damaged file.
  EXPECT_FALSE(ParseResultFile(std::string(kTwoGroups) + "\r\n").WellFormed());
}

TEST(ResultFileReader, RefusesWhatQuorvathWouldSplitOrShorten) {
  // A comma splits a line into two fields.
  EXPECT_FALSE(ParseResultFile("Keep, North\r\n1.00 / 2.00 / 3.00 fps\r\na\r\nb\r\n").WellFormed());
  EXPECT_FALSE(
      ParseResultFile("L\r\n1.00 / 2.00 / 3.00 fps\r\n1,000 frames\r\nb\r\n").WellFormed());
  // A leading double quote starts a quoted field.
  EXPECT_FALSE(ParseResultFile("\"Keep\"\r\n1.00 / 2.00 / 3.00 fps\r\na\r\nb\r\n").WellFormed());
  // Fifteen characters are cut to fourteen; fourteen are kept whole.
  EXPECT_FALSE(
      ParseResultFile("Ironreach Gates\r\n1.00 / 2.00 / 3.00 fps\r\na\r\nb\r\n").WellFormed());
  EXPECT_TRUE(
      ParseResultFile("Ironreach Gate\r\n1.00 / 2.00 / 3.00 fps\r\na\r\nb\r\n").WellFormed());
  EXPECT_FALSE(ParseResultFile("\r\n1.00 / 2.00 / 3.00 fps\r\na\r\nb\r\n").WellFormed());
}

TEST(ResultFileReader, NeedsExactlyTwoSeparators) {
  EXPECT_FALSE(ParseResultFile("L\r\n1.00 / 2.00 fps\r\na\r\nb\r\n").WellFormed());
  EXPECT_FALSE(ParseResultFile("L\r\n1.00/2.00/3.00 fps\r\na\r\nb\r\n").WellFormed());
  EXPECT_FALSE(ParseResultFile("L\r\n1.00 / 2.00 / 3.00 / 4.00 fps\r\na\r\nb\r\n").WellFormed());
}

TEST(ResultFileReader, FiguresHaveTwoDecimals) {
  EXPECT_EQ(FigureHundredths("143.02"), 14302);
  EXPECT_EQ(FigureHundredths("0.05"), 5);
  EXPECT_FALSE(FigureHundredths("78.9"));
  EXPECT_FALSE(FigureHundredths("78"));
  EXPECT_FALSE(FigureHundredths(".90"));
  EXPECT_FALSE(FigureHundredths("7a.90"));
  EXPECT_FALSE(FigureHundredths("78.90 "));
  EXPECT_FALSE(FigureHundredths("12345678901.00"));
}

TEST(ResultFileReader, AnEmptyFileHasNoGroups) {
  const ParsedResultFile parsed = ParseResultFile("");
  EXPECT_TRUE(parsed.WellFormed());
  EXPECT_TRUE(parsed.groups.empty());
}

}  // namespace
}  // namespace quorvath::kit_test
