#include "results/fps_reader.h"

#include <gtest/gtest.h>

#include "core/ansi_text.h"
#include "results/fps_stream.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace quorvath {
namespace {

std::wstring Padded(std::wstring_view text, std::size_t width) {
  std::wstring padded(text);
  padded.resize(width, L' ');
  return padded;
}

// A file of `lines`, each ended by `terminator`; the last one too unless told otherwise.
std::string FileOf(std::initializer_list<std::string_view> lines,
                   std::string_view terminator = "\r\n", bool last_terminated = true) {
  std::string file;
  std::size_t left = lines.size();
  for (const std::string_view line : lines) {
    file += line;
    if (--left > 0 || last_terminated) file += terminator;
  }
  return file;
}

void ExpectRecord(const FpsRecord& record, std::wstring_view level, std::wstring_view low,
                  std::wstring_view avg, std::wstring_view high) {
  EXPECT_EQ(record.level_name.text(), Padded(level, 14));
  EXPECT_EQ(record.fps_low.text(), Padded(low, 10));
  EXPECT_EQ(record.fps_avg.text(), Padded(avg, 10));
  EXPECT_EQ(record.fps_high.text(), Padded(high, 10));
}

void ExpectWhole(const FpsReadResult& result, std::size_t records) {
  EXPECT_EQ(result.records.size(), records);
  EXPECT_EQ(result.record_count, records + 1);
  EXPECT_FALSE(result.damaged());
  EXPECT_EQ(result.fault_count, 0u);
  EXPECT_TRUE(result.faults.empty());
}

TEST(ReadFpsCounts, EmptyFileGivesNoRecordsAndACountOfOne) {
  ExpectWhole(ReadFpsBytes(""), 0);
  ExpectWhole(ReadFpsText(L""), 0);
}

TEST(ReadFpsCounts, OneGroupGivesRecordOneAndACountOfTwo) {
  const FpsReadResult result =
      ReadFpsBytes(FileOf({"Deck", "1 / 2 / 3abcd", "line three", "line four"}));
  ExpectWhole(result, 1);
  ExpectRecord(result.records[0], L"Deck", L"1", L"2", L"3");
}

TEST(ReadFpsCounts, SevenGroupsGiveRecordsOneToSevenInFileOrder) {
  std::string file;
  for (int k = 1; k <= 7; ++k) {
    const std::string n = std::to_string(k);
    file += FileOf({"Level " + n, n + "0 / " + n + "1 / " + n + "2 FPS", "x", "y"});
  }
  const FpsReadResult result = ReadFpsBytes(file);
  ExpectWhole(result, 7);
  for (std::size_t k = 1; k <= 7; ++k) {
    const std::wstring n = std::to_wstring(k);
    SCOPED_TRACE(testing::Message() << "record " << k);
    ExpectRecord(result.records[k - 1], L"Level " + n, n + L"0", n + L"1", n + L"2");
  }
}

TEST(ReadFpsFigures, OneTwoThreeEachFollowedByNineSpaces) {
  const FpsReadResult result = ReadFpsBytes(FileOf({"L", "1 / 2 / 3wxyz", "", ""}));
  ExpectWhole(result, 1);
  EXPECT_EQ(result.records[0].fps_low.text(), L"1         ");
  EXPECT_EQ(result.records[0].fps_avg.text(), L"2         ");
  EXPECT_EQ(result.records[0].fps_high.text(), L"3         ");
}

TEST(ReadFpsFigures, TwoSpacesBeforeTheSlashLeaveOneInTheLowFigure) {
  const FpsReadResult result = ReadFpsBytes(FileOf({"L", "1  / 2 / 3wxyz", "", ""}));
  ExpectWhole(result, 1);
  EXPECT_EQ(result.records[0].fps_low.text(), L"1 " + std::wstring(8, L' '));
}

TEST(ReadFpsFigures, AThirdSeparatorStaysInTheHighFigure) {
  const FpsReadResult result = ReadFpsBytes(FileOf({"L", "1 / 2 / 3 / 4wxyz", "", ""}));
  ExpectWhole(result, 1);
  EXPECT_EQ(result.records[0].fps_high.text(), L"3 / 4     ");
}

TEST(ReadFpsFigures, ExactlyFourCharactersAfterTheSecondSeparatorGiveTenSpaces) {
  const FpsReadResult result = ReadFpsBytes(FileOf({"L", "1 / 2 / wxyz", "", ""}));
  ExpectWhole(result, 1);
  EXPECT_EQ(result.records[0].fps_high.text(), std::wstring(10, L' '));
}

TEST(ReadFpsFigures, SpacesAtTheEndOfTheLineAreAmongItsLastFourCharacters) {
  const FpsReadResult result = ReadFpsBytes(FileOf({"L", "1 / 2 / 3 fps  ", "", ""}));
  ExpectWhole(result, 1);
  EXPECT_EQ(result.records[0].fps_high.text(), Padded(L"3 f", 10));
}

TEST(ReadFpsWidths, CutsLevelNamesAtFourteenAndFiguresAtTen) {
  const FpsReadResult result = ReadFpsBytes(
      FileOf({"ABCDEFGHIJKLMNOPQRST", "123456789012 / 234567890123 / 345678901234abcd", "", ""}));
  ExpectWhole(result, 1);
  EXPECT_EQ(result.records[0].level_name.text(), L"ABCDEFGHIJKLMN");
  EXPECT_EQ(result.records[0].fps_low.text(), L"1234567890");
  EXPECT_EQ(result.records[0].fps_avg.text(), L"2345678901");
  EXPECT_EQ(result.records[0].fps_high.text(), L"3456789012");
}

TEST(ReadFpsWidths, CountsDecodedCharacters) {
  // As a double-byte code page decodes it: fourteen characters of two bytes each.
  const std::wstring name =
      L"\u65e5\u672c\u8a9e\u306e\u30ec\u30d9\u30eb\u540d\u524d\u30c6"
      L"\u30b9\u30c8\u8868\u793a";
  const FpsReadResult result =
      ReadFpsText(name + L"\u5916\r\n\uff11 / \uff12 / \uff13\u30d5\u30ec\u30fc\u30e0\r\n\r\n\r\n");
  ExpectWhole(result, 1);
  EXPECT_EQ(result.records[0].level_name.text(), name);
  EXPECT_EQ(result.records[0].fps_low.text(), Padded(L"\uff11", 10));
  EXPECT_EQ(result.records[0].fps_high.text(), Padded(L"\uff13", 10));
}

TEST(ReadFpsFields, LeadingSpacesOfALineAreDropped) {
  const FpsReadResult result = ReadFpsBytes(FileOf({"  Deck", "   1 / 2 / 3wxyz", "", ""}));
  ExpectWhole(result, 1);
  ExpectRecord(result.records[0], L"Deck", L"1", L"2", L"3");
}

TEST(ReadFpsFields, TrailingSpacesBelongToTheField) {
  // Seen only where they change what is kept: beyond the width, or in the last four.
  const FpsReadResult result =
      ReadFpsBytes(FileOf({"Long level name  ", "1 / 2 / 3 fps  ", "", ""}));
  ExpectWhole(result, 1);
  ExpectRecord(result.records[0], L"Long level nam", L"1", L"2", L"3 f");
}

TEST(ReadFpsFields, LinesThreeAndFourAreNeverInspected) {
  const FpsReadResult result = ReadFpsBytes(
      FileOf({"A", "1 / 2 / 3wxyz", "", "",                  // empty
              "B", "4 / 5 / 6wxyz", "  4 / 5 / 6  ", "   ",  // separators, only spaces
              "C", "7 / 8 / 9wxyz", "\"quoted, with a comma\"", "abc"}));  // one quoted field
  ExpectWhole(result, 3);
  ExpectRecord(result.records[0], L"A", L"1", L"2", L"3");
  ExpectRecord(result.records[1], L"B", L"4", L"5", L"6");
  ExpectRecord(result.records[2], L"C", L"7", L"8", L"9");
}

TEST(ReadFpsFields, AQuotedFieldIsTheTextBetweenTheQuotes) {
  const FpsReadResult result =
      ReadFpsBytes(FileOf({"\"  Deck, 16\" skipped", "\"1 / 2 / 3wxyz\"", "x", "y"}));
  ExpectWhole(result, 1);
  ExpectRecord(result.records[0], L"  Deck, 16", L"1", L"2", L"3");
}

TEST(ReadFpsFields, ACommaInTheLevelLineMakesTheRestTheFiguresField) {
  const FpsReadResult result = ReadFpsBytes(FileOf({"Deck,16", "1 / 2 / 3wxyz", "three", "four"}));
  ASSERT_EQ(result.records.size(), 1u);
  EXPECT_EQ(result.record_count, 2u);
  ExpectRecord(result.records[0], L"Deck", L"16", L"", L"");
  // "16" holds no separator; the group then ends on line 3, and line 4 begins a group that
  // the file never finishes.
  ASSERT_EQ(result.faults.size(), 2u);
  EXPECT_EQ(result.faults[0], (FpsFault{FpsProblem::kTooFewSeparators, 1, 0}));
  EXPECT_EQ(result.faults[1], (FpsFault{FpsProblem::kEndsInsideGroup, 4, 0}));
}

TEST(ReadFpsLineEnds, LastLineWithOrWithoutATerminatorGivesTheSameRecords) {
  const std::initializer_list<std::string_view> lines = {"A", "1 / 2 / 3wxyz", "x", "y",
                                                         "B", "4 / 5 / 6wxyz", "x", "y"};
  const FpsReadResult terminated = ReadFpsBytes(FileOf(lines, "\r\n", true));
  const FpsReadResult unterminated = ReadFpsBytes(FileOf(lines, "\r\n", false));
  ExpectWhole(terminated, 2);
  ExpectWhole(unterminated, 2);
  for (std::size_t i = 0; i < 2; ++i) EXPECT_EQ(terminated.records[i], unterminated.records[i]);
}

TEST(ReadFpsLineEnds, LineFeedAndLoneCarriageReturnEndLinesToo) {
  const std::initializer_list<std::string_view> lines = {"A", "1 / 2 / 3wxyz", "",  "y",
                                                         "B", "4 / 5 / 6wxyz", "x", "z"};
  const FpsReadResult crlf = ReadFpsBytes(FileOf(lines, "\r\n"));
  ExpectWhole(crlf, 2);
  for (const std::string_view terminator : {"\n", "\r"}) {
    for (const bool last : {true, false}) {
      const FpsReadResult other = ReadFpsBytes(FileOf(lines, terminator, last));
      ExpectWhole(other, 2);
      for (std::size_t i = 0; i < 2; ++i) EXPECT_EQ(other.records[i], crlf.records[i]);
    }
  }
  const FpsReadResult mixed = ReadFpsBytes("A\r1 / 2 / 3wxyz\n\r\ny\rB\n4 / 5 / 6wxyz\r\nx\rz");
  ExpectWhole(mixed, 2);
  for (std::size_t i = 0; i < 2; ++i) EXPECT_EQ(mixed.records[i], crlf.records[i]);
}

TEST(ReadFpsLineEnds, TheTextAndTheBytesReadersAgree) {
  const std::string file = FileOf(
      {"  Deck", "1  / 2 / 3 / 4wxyz", "x", "y", "Morpheus", "12.5 / 40.25 / 99.75 fps", "", ""});
  const FpsReadResult from_bytes = ReadFpsBytes(file);
  const FpsReadResult from_text = ReadFpsText(std::wstring(file.begin(), file.end()));
  ExpectWhole(from_bytes, 2);
  ExpectWhole(from_text, 2);
  for (std::size_t i = 0; i < 2; ++i) EXPECT_EQ(from_bytes.records[i], from_text.records[i]);
}

// Bytes from 0x80 up anywhere in the kept fields: before the cut, after it, in the four
// characters that end a figures line. The bytes reader decodes only those fields and must
// give what decoding the whole file first gives.
TEST(ReadFpsBytesDecoding, DecodesTheKeptFieldsAsTheWholeTextWouldBe) {
  // The cases count on one byte per character; the double-byte code pages have their own
  // tests, under Wine.
  if (DecodeAnsi("\xe9\x80") != L"\u00e9\u20ac") GTEST_SKIP() << "not Windows-1252";
  const std::string file = FileOf(
      {"Caf\xe9 de la Gare 16", "\x80 12 / 3\xb2 / 99\xb0 fps\xa0", "\"\xe9,\xe9\"", "\xff",  //
       "ABCDEFGHIJKLMN\xe9", "1 / 2 / 3\xe9\xe9\xe9\xe9", "x", "y",                           //
       "\xe9", "1 / 2 / \xe9\xe9\xe9", "x", "y",                                              //
       "A", "\xe9\xe9\xe9\xe9\xe9\xe9\xe9\xe9\xe9\xe9\xe9 / 1 / 2345", "x", "y"});
  const FpsReadResult from_bytes = ReadFpsBytes(file);
  const FpsReadResult from_text = ReadFpsText(DecodeAnsi(file));
  ASSERT_EQ(from_bytes.records.size(), 4u);
  ASSERT_EQ(from_text.records.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(from_bytes.records[i], from_text.records[i]);
  EXPECT_EQ(from_bytes.faults, from_text.faults);
  ASSERT_EQ(from_bytes.faults.size(), 1u);
  EXPECT_EQ(from_bytes.faults[0], (FpsFault{FpsProblem::kFiguresTooShort, 10, 0}));
  ExpectRecord(from_bytes.records[0], L"Caf\u00e9 de la Gar", L"\u20ac 12", L"3\u00b2",
               L"99\u00b0");
  ExpectRecord(from_bytes.records[1], L"ABCDEFGHIJKLMN", L"1", L"2", L"3");
  ExpectRecord(from_bytes.records[2], L"\u00e9", L"1", L"2", L"");
  ExpectRecord(from_bytes.records[3], L"A", std::wstring(10, L'\u00e9'), L"1", L"");
}

// A byte from 0x80 up at every place of each kept field, before, at and after its width,
// and the fields at every distance from the end of a piece: the bytes reader looks at sixteen
// bytes at once where the piece goes on that far, one at a time where it does not.
TEST(ReadFpsBytesDecoding, AHighByteAnywhereGivesWhatDecodingTheWholeTextGives) {
  if (DecodeAnsi("\xe9") != L"\u00e9") GTEST_SKIP() << "not Windows-1252";
  std::string file;
  for (std::size_t at = 0; at < 20; ++at) {
    std::string name(18, 'n');
    std::string low(12, '1');
    std::string high_and_tail = "98765432 fps";
    name[at % name.size()] = '\xe9';
    low[at % low.size()] = '\x80';
    high_and_tail[at % high_and_tail.size()] = '\xb0';
    file += FileOf(
        {name.substr(0, at), low.substr(0, at % 13) + " / 5.5 / " + high_and_tail, "x", "y"});
    file += FileOf({name, "1 / " + low + " / " + high_and_tail.substr(at % 7), "x", "y"});
  }
  const FpsReadResult whole = ReadFpsText(DecodeAnsi(file));
  ASSERT_EQ(whole.records.size(), 40u);
  for (std::size_t piece = 1; piece <= 200; piece += (piece < 40 ? 1 : 37)) {
    SCOPED_TRACE(testing::Message() << "pieces of " << piece);
    const FpsReadResult in_pieces = ReadFpsBytesInPieces(file, piece);
    ASSERT_EQ(in_pieces.records.size(), whole.records.size());
    for (std::size_t i = 0; i < whole.records.size(); ++i) {
      ASSERT_EQ(in_pieces.records[i], whole.records[i]) << "record index " << i;
    }
    EXPECT_EQ(in_pieces.faults, whole.faults);
  }
}

TEST(ReadFpsCounts, HasNoSixteenBitLimit) {
  constexpr std::size_t kGroups = 40'000;  // past the 32,766 a signed 16-bit count allows
  std::string file;
  for (std::size_t k = 1; k <= kGroups; ++k) {
    file += std::to_string(k) + "\n1 / 2 / 3wxyz\n\n\n";
  }
  const FpsReadResult result = ReadFpsBytes(file);
  ExpectWhole(result, kGroups);
  for (const std::size_t k :
       {std::size_t{1}, std::size_t{32'766}, std::size_t{32'767}, std::size_t{32'768}, kGroups}) {
    EXPECT_EQ(result.records[k - 1].level_name.text(), Padded(std::to_wstring(k), 14));
  }
}

}  // namespace
}  // namespace quorvath
