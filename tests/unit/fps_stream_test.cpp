// Reading in pieces gives exactly what reading the whole text at once gives, wherever the
// pieces are cut and however the source hands out its bytes.
#include "results/fps_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/ansi_text.h"
#include "results/fps_reader.h"

namespace quorvath {
namespace {

TEST(CompleteLinesLength, EndsJustAfterTheLastWholeLineBreak) {
  EXPECT_EQ(CompleteLinesLength(""), 0u);
  EXPECT_EQ(CompleteLinesLength("no break yet"), 0u);
  EXPECT_EQ(CompleteLinesLength("a\n"), 2u);
  EXPECT_EQ(CompleteLinesLength("a\r\n"), 3u);
  EXPECT_EQ(CompleteLinesLength("a\r\nbc"), 3u);
  EXPECT_EQ(CompleteLinesLength("a\rb"), 2u);
  EXPECT_EQ(CompleteLinesLength("a\n\n"), 3u);
}

TEST(CompleteLinesLength, HoldsBackACarriageReturnAtTheVeryEnd) {
  // Its line feed may be the next byte: cutting between them would make an empty line.
  EXPECT_EQ(CompleteLinesLength("\r"), 0u);
  EXPECT_EQ(CompleteLinesLength("a\r"), 0u);
  EXPECT_EQ(CompleteLinesLength("a\nb\r"), 2u);
  EXPECT_EQ(CompleteLinesLength("a\r\r"), 2u);  // the first CR is followed: a line of its own
}

void ExpectSameRead(const FpsReadResult& actual, const FpsReadResult& expected) {
  ASSERT_EQ(actual.records.size(), expected.records.size());
  for (std::size_t i = 0; i < expected.records.size(); ++i) {
    EXPECT_EQ(actual.records[i], expected.records[i]) << "record index " << i;
  }
  EXPECT_EQ(actual.record_count, expected.record_count);
  EXPECT_EQ(actual.faults, expected.faults);
  EXPECT_EQ(actual.fault_count, expected.fault_count);
}

// Hands out at most `step` bytes per read, and fails after `fail_after` bytes if asked.
class MemorySource final : public FpsByteSource {
 public:
  MemorySource(std::string_view bytes, std::size_t step,
               std::size_t fail_after = std::string_view::npos, std::uint32_t error = 0)
      : bytes_(bytes), step_(step), fail_after_(fail_after), error_(error) {}

  FpsSourceRead Read(std::span<char> into) override {
    if (given_ >= fail_after_) return {0, true, error_};
    std::size_t count = std::min({into.size(), step_, bytes_.size() - given_});
    if (fail_after_ != std::string_view::npos) count = std::min(count, fail_after_ - given_);
    std::memcpy(into.data(), bytes_.data() + given_, count);
    given_ += count;
    return {count, false, 0};
  }

 private:
  std::string_view bytes_;
  std::size_t step_;
  std::size_t fail_after_;
  std::uint32_t error_;
  std::size_t given_ = 0;
};

// Files whose cuts bite: line breaks of every kind, a CR LF to be split between pieces, a
// line longer than any small piece, quotes, commas, damage, a last line without terminator.
const std::vector<std::string>& SampleFiles() {
  static const std::vector<std::string> files = {
      "",
      "Deck\r\n1 / 2 / 3wxyz\r\nx\r\ny\r\nMorpheus\r\n12.5 / 40.25 / 99.75 fps\r\n\r\n\r\n",
      "Deck\n1 / 2 / 3wxyz\nx\ny\nMorpheus\n12.5 / 40.25 / 99.75 fps\n\n",
      "Deck\r1 / 2 / 3wxyz\r\ry\rMorpheus\r12.5 / 40.25 / 99.75 fps\r\r\r",
      "Deck\r\n1 / 2 / 3wxyz\r\n\r\n\r\nLast\r\n4 / 5 / 6wxyz\r\nx\r\ny",
      "Deck\r\n1 / 2 / 3wxyz\r\nx\r\ny\r\n\r\n",
      "  \"Quoted, name\" tail\r\n\"7 / 8 / 9wxyz\",more\r\nx\r\ny\r\n",
      "Deck,16\r\n1 / 2 / 3wxyz\r\nthree\r\nfour\r\n",
      "A\r\n1 2 3\r\nx\r\ny\r\nB\r\n1 / 2 / ab\r\nx\r\ny\r\nC\r\n",
      std::string(300, 'L') + "\r\n" + std::string(120, '1') + " / 2 / 3" + std::string(200, ' ') +
          "wxyz\r\nx\r\ny\r\n",
      "\r\n\r\n\r\n\r\n\r",
      "\r\r\n\n\r",
      ",,,,,\r\n",
  };
  return files;
}

TEST(ReadFpsInPieces, AnyPieceSizeGivesTheWholeTextsRead) {
  for (const std::string& file : SampleFiles()) {
    const FpsReadResult whole = ReadFpsText(DecodeAnsi(file));
    for (std::size_t piece = 1; piece <= 40; ++piece) {
      SCOPED_TRACE(testing::Message() << "piece " << piece << ", file of " << file.size());
      ExpectSameRead(ReadFpsBytesInPieces(file, piece), whole);
    }
    ExpectSameRead(ReadFpsBytes(file), whole);
  }
}

TEST(ReadFpsInPieces, ShortReadsFromTheSourceChangeNothing) {
  for (const std::string& file : SampleFiles()) {
    const FpsReadResult whole = ReadFpsText(DecodeAnsi(file));
    for (const std::size_t piece :
         {std::size_t{1}, std::size_t{3}, std::size_t{8}, kFpsPieceBytes}) {
      for (const std::size_t step :
           {std::size_t{1}, std::size_t{2}, std::size_t{5}, std::size_t{64}}) {
        SCOPED_TRACE(testing::Message() << "piece " << piece << ", step " << step);
        MemorySource source(file, step);
        ExpectSameRead(ReadFpsStream(source, piece), whole);
      }
    }
  }
}

TEST(ReadFpsInPieces, ACarriageReturnEndingAPieceWaitsForItsLineFeed) {
  // Pieces of four bytes end "abc\r" with the LF in the next piece.
  const std::string file = "abc\r\n1 / 2 / 3wxyz\r\nx\r\ny\r\n";
  const FpsReadResult result = ReadFpsBytesInPieces(file, 4);
  ASSERT_EQ(result.records.size(), 1u);
  EXPECT_FALSE(result.damaged());
  EXPECT_EQ(result.records[0].level_name.text(), L"abc           ");
}

TEST(ReadFpsInPieces, ALineLongerThanAPieceIsReadWhole) {
  const std::string file =
      std::string(5000, 'n') + "\r\n1 / 2 / 3wxyz\r\nx\r\n" + std::string(70000, 'y') + "\r\n";
  MemorySource source(file, 1000);
  const FpsReadResult result = ReadFpsStream(source, 16);
  ASSERT_EQ(result.records.size(), 1u);
  EXPECT_FALSE(result.damaged());
  EXPECT_EQ(result.records[0].level_name.text(), std::wstring(14, L'n'));
  EXPECT_EQ(result.records[0].fps_high.text(), L"3         ");
}

TEST(ReadFpsInPieces, AReadErrorKeepsTheGroupsBeforeItAndNamesTheLine) {
  const std::string good = "Deck\r\n1 / 2 / 3wxyz\r\nx\r\ny\r\n";
  const std::string file = good + good + "Third\r\n7 / 8 / 9wxyz\r\nx\r\ny\r\n";
  // Fail inside "7 / 8 ...", line 10.
  const std::size_t fail_after = 2 * good.size() + 10;
  for (const std::size_t piece : {std::size_t{4}, std::size_t{16}, kFpsPieceBytes}) {
    MemorySource source(file, 7, fail_after, 23);
    const FpsReadResult result = ReadFpsStream(source, piece);
    EXPECT_EQ(result.records.size(), 2u);
    EXPECT_EQ(result.record_count, 3u);
    ASSERT_EQ(result.faults.size(), 1u);
    EXPECT_EQ(result.faults[0], (FpsFault{FpsProblem::kReadFailed, 10, 23}));
  }
}

TEST(ReadFpsInPieces, AReadErrorAtOnceGivesNoRecords) {
  MemorySource source("Deck\r\n", 100, 0, 5);
  const FpsReadResult result = ReadFpsStream(source);
  EXPECT_TRUE(result.records.empty());
  EXPECT_EQ(result.record_count, 1u);
  ASSERT_EQ(result.faults.size(), 1u);
  EXPECT_EQ(result.faults[0], (FpsFault{FpsProblem::kReadFailed, 1, 5}));
}

TEST(ReadFpsInPieces, ManyPiecesOfManyGroups) {
  std::string file;
  for (int k = 0; k < 50'000; ++k)
    file += "Level " + std::to_string(k) + "\r\n1 / 2 / 3wxyz\r\n\r\n\r\n";
  ASSERT_GT(file.size(), 4 * kFpsPieceBytes);
  const FpsReadResult whole = ReadFpsText(DecodeAnsi(file));
  ASSERT_EQ(whole.records.size(), 50'000u);
  ExpectSameRead(ReadFpsBytes(file), whole);
  MemorySource source(file, 100'000);
  ExpectSameRead(ReadFpsStream(source), whole);
}

}  // namespace
}  // namespace quorvath
