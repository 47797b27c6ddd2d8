#include "results/fps_figures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace quorvath {
namespace {

struct FiguresCase {
  std::wstring_view line;
  std::wstring_view low, avg, high;
  std::optional<FpsProblem> problem;
};

std::string Bytes(std::wstring_view ascii) { return std::string(ascii.begin(), ascii.end()); }

// Each case over decoded text with the whole rule, and over the line's bytes, which are only
// cut at the separators: the rest keeps its last four characters, to be dropped once decoded.
void ExpectSplit(const FiguresCase& c) {
  SCOPED_TRACE(testing::Message() << "figures line \"" << std::wstring(c.line) << "\"");
  const FpsFigures figures = SplitFiguresLine(c.line);
  EXPECT_EQ(figures.low, c.low);
  EXPECT_EQ(figures.avg, c.avg);
  EXPECT_EQ(figures.high, c.high);
  EXPECT_EQ(figures.problem, c.problem);

  const std::string line = Bytes(c.line);
  const FiguresSplit<char> split = SplitAtSeparators(line);
  EXPECT_EQ(split.low, Bytes(c.low));
  EXPECT_EQ(split.avg, Bytes(c.avg));
  EXPECT_EQ(split.has_two_separators, c.problem != FpsProblem::kTooFewSeparators);
  if (c.problem == std::nullopt) {
    ASSERT_GE(split.rest.size(), kFiguresTailLength);
    EXPECT_EQ(split.rest.substr(0, split.rest.size() - kFiguresTailLength), Bytes(c.high));
    EXPECT_EQ(split.rest.data() + split.rest.size(), line.data() + line.size());
  } else if (c.problem == FpsProblem::kFiguresTooShort) {
    EXPECT_LT(split.rest.size(), kFiguresTailLength);
  } else {
    EXPECT_TRUE(split.rest.empty());
  }
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

TEST(SplitAtSeparators, CutsBytesOfDoubleByteCharactersOnlyAtSeparators) {
  // Japanese code page 932: full-width 1 / 2 / 3 and a katakana tail, two bytes each;
  // 0x5C (a backslash on its own) and 0x40 follow lead bytes.
  const std::string line = "\x82\x50\x95\x5c / \x82\x51 / \x82\x52\x83\x74\x83\x8c\x81\x5b\x83\x80";
  const FiguresSplit<char> split = SplitAtSeparators(line);
  EXPECT_TRUE(split.has_two_separators);
  EXPECT_EQ(split.low, "\x82\x50\x95\x5c");
  EXPECT_EQ(split.avg, "\x82\x51");
  EXPECT_EQ(split.rest, "\x82\x52\x83\x74\x83\x8c\x81\x5b\x83\x80");
}

// Lines of every length up to past 32 bytes, with separators, overlapping ones and near
// misses at every place: the bytes are searched many at a time (one way for lines of 16 to
// 30 bytes, another for the rest), the decoded text one character at a time.
TEST(SplitAtSeparators, BytesAndTextAgreeWhateverTheLengthAndPlaces) {
  const std::wstring_view marks[] = {L" / ", L" / / ", L" /x", L"x/ ", L"  /  "};
  for (std::size_t length = 0; length <= 40; ++length) {
    for (std::size_t first = 0; first < length; ++first) {
      for (std::size_t second = first; second <= length; ++second) {
        for (const std::wstring_view mark : marks) {
          std::wstring line(length, L'7');
          line.replace(first, std::min(mark.size(), length - first),
                       mark.substr(0, length - first));
          if (second < length) {
            line.replace(second, std::min(std::size_t{3}, length - second),
                         std::wstring_view(L" / ").substr(0, length - second));
          }
          const FiguresSplit<wchar_t> text = SplitAtSeparators(line);
          const std::string bytes = Bytes(line);
          const FiguresSplit<char> split = SplitAtSeparators(bytes);
          ASSERT_EQ(split.has_two_separators, text.has_two_separators) << Bytes(line);
          ASSERT_EQ(split.low, Bytes(text.low)) << Bytes(line);
          ASSERT_EQ(split.avg, Bytes(text.avg)) << Bytes(line);
          ASSERT_EQ(split.rest, Bytes(text.rest)) << Bytes(line);
          // Every part lies in the line, an empty one too.
          for (const std::string_view part : {split.low, split.avg, split.rest}) {
            ASSERT_TRUE(part.data() >= bytes.data() &&
                        part.data() + part.size() <= bytes.data() + bytes.size());
          }
        }
      }
    }
  }
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
