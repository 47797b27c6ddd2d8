// A damaged result file keeps every complete group it holds and says what is wrong, where.
#include "results/fps_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvath {
namespace {

std::wstring Padded(std::wstring_view text, std::size_t width) {
  std::wstring padded(text);
  padded.resize(width, L' ');
  return padded;
}

constexpr std::string_view kGoodGroup = "Good\r\n1 / 2 / 3wxyz\r\nx\r\ny\r\n";

void ExpectCountMatchesRecords(const FpsReadResult& result) {
  EXPECT_EQ(result.record_count, result.records.size() + 1);
}

TEST(ReadFpsDamaged, FileEndingInsideAGroupKeepsTheCompleteGroups) {
  const std::string file = std::string(kGoodGroup) + "Half\r\n4 / 5 / 6wxyz\r\n";
  const FpsReadResult result = ReadFpsBytes(file);
  ASSERT_EQ(result.records.size(), 1u);
  ExpectCountMatchesRecords(result);
  EXPECT_EQ(result.records[0].level_name.text(), Padded(L"Good", 14));
  EXPECT_TRUE(result.damaged());
  ASSERT_EQ(result.faults.size(), 1u);
  EXPECT_EQ(result.faults[0], (FpsFault{FpsProblem::kEndsInsideGroup, 5, 0}));
  EXPECT_EQ(result.fault_count, 1u);
}

TEST(ReadFpsDamaged, AnEmptyLineAfterTheLastGroupBeginsAGroupThatNeverEnds) {
  for (const std::string_view stray : {"\r\n", "\n", "\r", " "}) {
    const FpsReadResult result = ReadFpsBytes(std::string(kGoodGroup) + std::string(stray));
    ASSERT_EQ(result.records.size(), 1u);
    ExpectCountMatchesRecords(result);
    ASSERT_EQ(result.faults.size(), 1u);
    EXPECT_EQ(result.faults[0], (FpsFault{FpsProblem::kEndsInsideGroup, 5, 0}));
  }
}

TEST(ReadFpsDamaged, FileOfFewerThanFourLinesHasNoRecords) {
  for (const std::string_view file : {"Level", "Level\r\n", "Level\r\n1 / 2 / 3wxyz\r\nx"}) {
    const FpsReadResult result = ReadFpsBytes(file);
    EXPECT_TRUE(result.records.empty());
    EXPECT_EQ(result.record_count, 1u);
    ASSERT_EQ(result.faults.size(), 1u);
    EXPECT_EQ(result.faults[0], (FpsFault{FpsProblem::kEndsInsideGroup, 1, 0}));
  }
}

TEST(ReadFpsDamaged, FiguresLineWithoutTwoSeparatorsKeepsItsGroupAndReadingGoesOn) {
  const std::string file = std::string(kGoodGroup) + "Bad\r\n12.5/40.25/99.75 fps\r\nx\r\ny\r\n" +
                           "One\r\n12.5 / 40.25wxyz\r\nx\r\ny\r\n" + std::string(kGoodGroup);
  const FpsReadResult result = ReadFpsBytes(file);
  ASSERT_EQ(result.records.size(), 4u);
  ExpectCountMatchesRecords(result);
  // No separator: the whole line, cut to its width, is the low figure.
  EXPECT_EQ(result.records[1].level_name.text(), Padded(L"Bad", 14));
  EXPECT_EQ(result.records[1].fps_low.text(), L"12.5/40.25");
  EXPECT_EQ(result.records[1].fps_avg.text(), Padded(L"", 10));
  EXPECT_EQ(result.records[1].fps_high.text(), Padded(L"", 10));
  // One separator: the text before it.
  EXPECT_EQ(result.records[2].fps_low.text(), Padded(L"12.5", 10));
  EXPECT_EQ(result.records[2].fps_avg.text(), Padded(L"", 10));
  EXPECT_EQ(result.records[3], result.records[0]);
  ASSERT_EQ(result.faults.size(), 2u);
  EXPECT_EQ(result.faults[0], (FpsFault{FpsProblem::kTooFewSeparators, 6, 0}));
  EXPECT_EQ(result.faults[1], (FpsFault{FpsProblem::kTooFewSeparators, 10, 0}));
  EXPECT_EQ(DescribeFpsFault(result.faults[0]),
            L"line 6: the figures line has fewer than two \" / \" separators.");
}

TEST(ReadFpsDamaged, ShortRemainderAfterTheSecondSeparatorKeepsTheOtherFigures) {
  const std::string file = "Short\r\n1 / 2 / abc\r\nx\r\ny\r\n" + std::string(kGoodGroup);
  const FpsReadResult result = ReadFpsBytes(file);
  ASSERT_EQ(result.records.size(), 2u);
  ExpectCountMatchesRecords(result);
  EXPECT_EQ(result.records[0].level_name.text(), Padded(L"Short", 14));
  EXPECT_EQ(result.records[0].fps_low.text(), Padded(L"1", 10));
  EXPECT_EQ(result.records[0].fps_avg.text(), Padded(L"2", 10));
  EXPECT_EQ(result.records[0].fps_high.text(), Padded(L"", 10));
  ASSERT_EQ(result.faults.size(), 1u);
  EXPECT_EQ(result.faults[0], (FpsFault{FpsProblem::kFiguresTooShort, 2, 0}));
}

TEST(ReadFpsDamaged, FaultsComeInFileOrderAcrossKinds) {
  const std::string file = std::string(kGoodGroup) + "A\n1 / 2 / ab\nx\ny\n" +
                           std::string(kGoodGroup) + "B\n1 2 3\nx\ny\n" + "C\n";
  const FpsReadResult result = ReadFpsBytes(file);
  ASSERT_EQ(result.records.size(), 4u);
  ExpectCountMatchesRecords(result);
  const std::vector<FpsFault> expected = {{FpsProblem::kFiguresTooShort, 6, 0},
                                          {FpsProblem::kTooFewSeparators, 14, 0},
                                          {FpsProblem::kEndsInsideGroup, 17, 0}};
  EXPECT_EQ(result.faults, expected);
  EXPECT_EQ(result.fault_count, 3u);
}

TEST(ReadFpsDamaged, KeepsTheFirstFaultsAndCountsThemAll) {
  constexpr std::size_t kBadGroups = FpsReadResult::kMaxKeptFaults + 7;
  std::string file;
  for (std::size_t i = 0; i < kBadGroups; ++i) file += "L\nno figures\nx\ny\n";
  const FpsReadResult result = ReadFpsBytes(file);
  EXPECT_EQ(result.records.size(), kBadGroups);
  ExpectCountMatchesRecords(result);
  EXPECT_EQ(result.fault_count, kBadGroups);
  ASSERT_EQ(result.faults.size(), FpsReadResult::kMaxKeptFaults);
  for (std::size_t i = 0; i < result.faults.size(); ++i) {
    EXPECT_EQ(result.faults[i].line, 4 * i + 2);
  }
}

TEST(ReadFpsDamaged, NothingWrongMeansNotDamaged) {
  const FpsReadResult result = ReadFpsBytes(std::string(kGoodGroup) + std::string(kGoodGroup));
  EXPECT_FALSE(result.damaged());
  EXPECT_EQ(result.fault_count, 0u);
}

TEST(DescribeFpsFault, NamesTheLineAndWhatIsWrong) {
  EXPECT_EQ(DescribeFpsFault({FpsProblem::kCannotOpen, 0, 2}),
            L"the file could not be opened (system error 2).");
  EXPECT_EQ(DescribeFpsFault({FpsProblem::kCannotOpen, 0, 0}), L"the file could not be opened.");
  EXPECT_EQ(DescribeFpsFault({FpsProblem::kReadFailed, 41, 23}),
            L"line 41: the file could not be read from this line on (system error 23).");
  EXPECT_EQ(DescribeFpsFault({FpsProblem::kEndsInsideGroup, 9, 0}),
            L"line 9: the file ends inside the group of four lines that begins here.");
  EXPECT_EQ(DescribeFpsFault({FpsProblem::kTooFewSeparators, 6, 0}),
            L"line 6: the figures line has fewer than two \" / \" separators.");
  EXPECT_EQ(DescribeFpsFault({FpsProblem::kFiguresTooShort, 123456, 0}),
            L"line 123456: the figures line has fewer than four characters after its second "
            L"\" / \".");
}

TEST(FpsCannotOpen, HasNoRecordsACountOfOneAndTheSystemError) {
  const FpsReadResult result = FpsCannotOpen(5);
  EXPECT_TRUE(result.records.empty());
  EXPECT_EQ(result.record_count, 1u);
  EXPECT_TRUE(result.damaged());
  ASSERT_EQ(result.faults.size(), 1u);
  EXPECT_EQ(result.faults[0], (FpsFault{FpsProblem::kCannotOpen, 0, 5}));
}

}  // namespace
}  // namespace quorvath
