#include "results/fps_figures.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvath {
namespace {

struct FiguresCase {
  std::wstring_view line;
  std::wstring_view low, avg, high;
  std::optional<FpsProblem> problem;
};

void ExpectSplit(const FiguresCase& c) {
  SCOPED_TRACE(testing::Message() << "figures line \"" << std::wstring(c.line) << "\"");
  const FpsFigures figures = SplitFiguresLine(c.line);
  EXPECT_EQ(figures.low, c.low);
  EXPECT_EQ(figures.avg, c.avg);
  EXPECT_EQ(figures.high, c.high);
  EXPECT_EQ(figures.problem, c.problem);
}

TEST(SplitFiguresLine, SplitsAtTheFirstTwoSeparatorsAndDropsTheLastFourCharacters) {
  const FiguresCase cases[] = {
      {L"1 / 2 / 3abcd", L"1", L"2", L"3", std::nullopt},
      {L"41.27 / 63.90 / 118.52 fps", L"41.27", L"63.90", L"118.52", std::nullopt},
      // a third separator stays inside the high figure
      {L"1 / 2 / 3 / 4abcd", L"1", L"2", L"3 / 4", std::nullopt},
      // exactly four characters after the second separator: an empty high figure, no fault
      {L"1 / 2 / abcd", L"1", L"2", L"", std::nullopt},
      // the last four characters go whatever they are, separators and spaces included
      {L"1 / 2 / 3 / 4", L"1", L"2", L"3", std::nullopt},
      {L"1 / 2 / 3    ", L"1", L"2", L"3", std::nullopt},
      {L"1 / 2 / 3 fps  ", L"1", L"2", L"3 f", std::nullopt},
  };
  for (const FiguresCase& c : cases) ExpectSplit(c);
}

TEST(SplitFiguresLine, KeepsSpacesThatAreNotPartOfASeparator) {
  const FiguresCase cases[] = {
      // two spaces before the slash: the first belongs to the low figure
      {L"1  / 2 / 3abcd", L"1 ", L"2", L"3", std::nullopt},
      {L" 1 /  2  / 3 abcd", L" 1", L" 2 ", L"3 ", std::nullopt},
      {L" / 2 / 3abcd", L"", L"2", L"3", std::nullopt},
      {L"1 /  / 3abcd", L"1", L"", L"3", std::nullopt},
  };
  for (const FiguresCase& c : cases) ExpectSplit(c);
}

TEST(SplitFiguresLine, SeparatesOnlyAtSpaceSlashSpace) {
  const FiguresCase cases[] = {
      // a slash without a space on each side does not separate
      {L"1/2 / 3 / 4abcd", L"1/2", L"3", L"4", std::nullopt},
      {L"1 /2 / 3 / 4abcd", L"1 /2", L"3", L"4", std::nullopt},
      {L"1/ 2 / 3 / 4abcd", L"1/ 2", L"3", L"4", std::nullopt},
      {L"1\t/\t2 / 3 / 4abcd", L"1\t/\t2", L"3", L"4", std::nullopt},
      // the separators may not share a space: " / / " holds one separator, then "/ "
      {L"1 / / 2abcd", L"1", L"", L"", FpsProblem::kTooFewSeparators},
      {L"1 /  / 2abcd", L"1", L"", L"2", std::nullopt},
  };
  for (const FiguresCase& c : cases) ExpectSplit(c);
}

TEST(SplitFiguresLine, ReportsTooFewSeparatorsKeepingWhatTheLineGives) {
  const FiguresCase cases[] = {
      {L"", L"", L"", L"", FpsProblem::kTooFewSeparators},
      {L"1/2/3abcd", L"1/2/3abcd", L"", L"", FpsProblem::kTooFewSeparators},
      {L"1 / 2abcd", L"1", L"", L"", FpsProblem::kTooFewSeparators},
      {L" / ", L"", L"", L"", FpsProblem::kTooFewSeparators},
  };
  for (const FiguresCase& c : cases) ExpectSplit(c);
}

TEST(SplitFiguresLine, ReportsFewerThanFourCharactersAfterTheSecondSeparator) {
  const FiguresCase cases[] = {
      {L"1 / 2 / abc", L"1", L"2", L"", FpsProblem::kFiguresTooShort},
      {L"1 / 2 / ", L"1", L"2", L"", FpsProblem::kFiguresTooShort},
      {L" /  / ", L"", L"", L"", FpsProblem::kFiguresTooShort},
  };
  for (const FiguresCase& c : cases) ExpectSplit(c);
}

}  // namespace
}  // namespace quorvath
