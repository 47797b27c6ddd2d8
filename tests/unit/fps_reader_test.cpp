// The result-file reader: records, their fixed widths, the faults of damaged files, line ends,
// files read in pieces and from disk.
#include <gtest/gtest.h>

#include <string>

#include "results/fps_reader.h"

namespace quorvath {
namespace {

FpsRecord Record(std::wstring_view name, std::wstring_view low, std::wstring_view avg,
                 std::wstring_view high) {
  return {FixedText<14>(name), FixedText<10>(low), FixedText<10>(avg), FixedText<10>(high)};
}

std::string Group(std::string_view name, std::string_view figures) {
  return std::string(name) + "\r\n" + std::string(figures) + "\r\n1350 frames\r\n32.9 seconds\r\n";
}

TEST(FixedText, PadsCutsAndNeverSplitsASurrogatePair) {
  EXPECT_EQ(FixedText<4>(L"ab").units(), u"ab  ");
  EXPECT_EQ(FixedText<4>(L"abcdef").units(), u"abcd");
  EXPECT_EQ(FixedText<4>(L"").units(), u"    ");
  if constexpr (sizeof(wchar_t) == 2) {
    EXPECT_EQ(FixedText<4>(L"abc\xD83D\xDE00").units(), u"abc ");
    EXPECT_EQ(FixedText<4>(L"ab\xD83D\xDE00x").units(), u"ab\xD83D\xDE00");
  } else {
    EXPECT_EQ(FixedText<2>(std::wstring_view(L"a\U0001F600", 2)).units(), u"a\uFFFD");
  }
}

TEST(ReadFpsBytes, ReadsGroupsIntoRecordsByTheRulesOfTheFormat) {
  const struct {
    const char* what;
    std::string file;
    std::vector<FpsRecord> records;
  } cases[] = {
      {"empty file", "", {}},
      {"one group",
       Group("dm-deck16", "41.26 / 78.90 / 143.02 fps"),
       {Record(L"dm-deck16", L"41.26", L"78.90", L"143.02")}},
      {"digits then nine spaces", Group("L", "1 / 2 / 3wxyz"), {Record(L"L", L"1", L"2", L"3")}},
      {"two spaces before a slash",
       Group("L", "1  / 2 / 3wxyz"),
       {Record(L"L", L"1 ", L"2", L"3")}},
      {"a third separator", Group("L", "1 / 2 / 3 / 4wxyz"), {Record(L"L", L"1", L"2", L"3 / 4")}},
      {"no space around a slash",
       Group("L", "1/2 / 3 / 4 fps"),
       {Record(L"L", L"1/2", L"3", L"4")}},
      {"exactly four after the second, mid-file",
       Group("A", "1 / 2 / wxyz") + Group("B", "4 / 5 / 6 fps"),
       {Record(L"A", L"1", L"2", L""), Record(L"B", L"4", L"5", L"6")}},
      {"spaces at the line's end",
       Group("L", "1 / 2 / 3 fps  "),
       {Record(L"L", L"1", L"2", L"3 f")}},
      {"cut to the widths",
       Group("ABCDEFGHIJKLMNOPQRST", "123456789012 / 234567890123 / 345678901234 fps"),
       {Record(L"ABCDEFGHIJKLMN", L"1234567890", L"2345678901", L"3456789012")}},
      {"leading spaces dropped",
       Group("  Deck", "  1 / 2 / 3 fps"),
       {Record(L"Deck", L"1", L"2", L"3")}},
      {"a quoted name",
       Group("\"  Deck, 16\"", "1 / 2 / 3 fps"),
       {Record(L"  Deck, 16", L"1", L"2", L"3")}},
      {"lines 3 and 4 never inspected",
       "A\r\n1 / 2 / 3 fps\r\n / / x\r\n\"\r\nB\r\n4 / 5 / 6 fps\r\n\r\n\r\n",
       {Record(L"A", L"1", L"2", L"3"), Record(L"B", L"4", L"5", L"6")}},
      {"no terminator at the end",
       "A\r\n1 / 2 / 3 fps\r\nx\r\ny",
       {Record(L"A", L"1", L"2", L"3")}},
      {"LF and lone CR line ends",
       "A\n1 / 2 / 3 fps\rx\r\ny\nB\r4 / 5 / 6 fps\n\n\n",
       {Record(L"A", L"1", L"2", L"3"), Record(L"B", L"4", L"5", L"6")}},
      {"decoded where kept",
       Group("Caf\xe9 de la Gare", "\x80 12 / 3\xb2 / 99\xb0 fps"),
       {Record(L"Caf\u00e9 de la Gar", L"\u20ac 12", L"3\u00b2", L"99\u00b0")}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const FpsReadResult result = ReadFpsBytes(c.file);
    EXPECT_EQ(std::vector<FpsRecord>(result.records.begin(), result.records.end()), c.records);
    EXPECT_EQ(result.record_count, c.records.size() + 1);
    EXPECT_FALSE(result.damaged()) << result.faults.size();
  }
  std::string many;
  for (int i = 0; i < 40000; ++i) many += Group("L", "1 / 2 / 3 fps");
  EXPECT_EQ(ReadFpsBytes(many).record_count, 40001u);  // no 16-bit limit on the count
}

TEST(ReadFpsBytes, KeepsTheCompleteGroupsOfADamagedFileAndSaysWhereItIsDamaged) {
  const struct {
    const char* what;
    std::string file;
    std::size_t records;
    std::vector<FpsFault> faults;
  } cases[] = {
      {"ends inside a group",
       Group("A", "1 / 2 / 3 fps") + "B\r\n4 / 5 / 6 fps\r\n",
       1,
       {{FpsProblem::kEndsInsideGroup, 5, 0}}},
      {"a stray empty line at the end",
       Group("A", "1 / 2 / 3 fps") + "\r\n",
       1,
       {{FpsProblem::kEndsInsideGroup, 5, 0}}},
      {"one separator",
       Group("A", "1 / 2 fps") + Group("B", "4 3 fps"),
       2,
       {{FpsProblem::kTooFewSeparators, 2, 0}, {FpsProblem::kTooFewSeparators, 6, 0}}},
      {"short tail",
       Group("A", "1 / 2 / 3") + Group("B", "1 / 2 / \xe9"),
       2,
       {{FpsProblem::kFiguresTooShort, 2, 0}, {FpsProblem::kFiguresTooShort, 6, 0}}},
      {"a comma in the level line",
       "Deck,16\r\n1 / 2 / 3 fps\r\nx\r\ny\r\n",
       1,
       {{FpsProblem::kTooFewSeparators, 1, 0}, {FpsProblem::kEndsInsideGroup, 4, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const FpsReadResult result = ReadFpsBytes(c.file);
    EXPECT_EQ(result.records.size(), c.records);
    EXPECT_EQ(result.record_count, c.records + 1);
    EXPECT_EQ(result.faults, c.faults);
    EXPECT_EQ(result.fault_count, c.faults.size());
  }
  // A group with one separator keeps the low figure; "Deck,16" gives the figures "16".
  EXPECT_EQ(ReadFpsBytes(Group("A", "1 / 2 fps")).records[0], Record(L"A", L"1", L"", L""));
  EXPECT_EQ(ReadFpsBytes("Deck,16\r\n1\r\nx\r\n").records[0], Record(L"Deck", L"16", L"", L""));
  std::string many;
  for (int i = 0; i < 30; ++i) many += Group("X", "no separators");
  const FpsReadResult result = ReadFpsBytes(many);
  EXPECT_EQ(result.faults.size(), FpsReadResult::kMaxKeptFaults);
  EXPECT_EQ(result.fault_count, 30u);
  EXPECT_EQ(DescribeFpsFault(result.faults[1]),
            L"line 6: the figures line has fewer than two \" / \" separators.");
}

TEST(ReadFpsStream, GivesWhatTheWholeTextGivesHoweverTheReadsAreCut) {
  // High bytes at every place of lines longer than 64 bytes, long lines, every line end.
  std::string file;
  for (std::size_t at = 0; at < 70; ++at) {
    std::string name(70, 'n');
    name[at] = '\xe9';
    std::string figures = "1 / 2 / " + std::string(66, '3') + " fps";
    figures[at] = '\xb2';
    file += name + (at % 3 == 0 ? "\n" : at % 3 == 1 ? "\r" : "\r\n") + figures + "\r\n\r\n\r\n";
  }
  file += "Cut\r\n1 / 2";
  const FpsReadResult whole = ReadFpsBytes(file);
  ASSERT_EQ(whole.records.size(), 70u);
  EXPECT_EQ(whole.records[0].level_name.units(), u"\u00e9nnnnnnnnnnnnn");
  EXPECT_EQ(whole.records[5].fps_low.units(), u"1         ");
  for (const std::size_t read_size : {1u, 2u, 3u, 7u, 64u, 4096u, 100000u}) {
    SCOPED_TRACE(read_size);
    std::size_t at = 0;
    const FpsReadResult in_pieces = ReadFpsStream(
        [&](char* into, std::size_t size, std::uint32_t&) -> std::optional<std::size_t> {
          const std::size_t n = std::min({size, read_size, file.size() - at});
          file.copy(into, n, at);
          at += n;
          return n;
        });
    EXPECT_TRUE(in_pieces.records == whole.records);
    EXPECT_EQ(in_pieces.faults, whole.faults);
  }
  // A read error keeps what came before and says from which line on the file is lost.
  bool failed = false;
  const FpsReadResult broken = ReadFpsStream(
      [&](char* into, std::size_t, std::uint32_t& error) -> std::optional<std::size_t> {
        if (failed) {
          error = 5;
          return std::nullopt;
        }
        failed = true;
        return Group("A", "1 / 2 / 3 fps").copy(into, 40);
      });
  EXPECT_TRUE(broken.records.empty());
  EXPECT_EQ(broken.faults, (std::vector<FpsFault>{{FpsProblem::kReadFailed, 4, 5}}));
}

}  // namespace
}  // namespace quorvath
