// The result-file reader: records, their fixed widths, the faults of damaged files, line ends,
// files read in pieces and from disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>

#include "results/fps_reader.h"

namespace quorvath {

static FpsRecord Rec(std::wstring_view name, std::wstring_view low, std::wstring_view avg,
                     std::wstring_view high) {
  return {FixedText<14>(name), FixedText<10>(low), FixedText<10>(avg), FixedText<10>(high)};
}

static std::string Group(std::string_view name, std::string_view figures) {
  return std::string(name) + "\r\n" + std::string(figures) + "\r\n1350 frames\r\n32.9 seconds\r\n";
}

using Records = std::vector<FpsRecord>;
static Records All(const FpsReadResult& read) { return {read.records.begin(), read.records.end()}; }

TEST(FixedText, PadsCutsAndNeverSplitsASurrogatePair) {
  // clang-format off
  const std::pair<std::wstring, std::u16string_view> cases[] = {
      {L"ab", u"ab  "}, {L"abcdef", u"abcd"}, {L"", u"    "},
      {{L'a', L'b', L'c', 0xD83D, 0xDE00}, u"abc "}, {{L'a', L'b', L'c', 0xDBFF, 0xDC00}, u"abc "},
      {{L'a', L'b', L'c', 0xDC00, 0xDC00}, u"abc\xDC00"},
      {{L'a', L'b', L'c', 0xD83D, L'x'}, u"abc\xD83D"},
      {{L'a', L'b', 0xD83D, 0xDE00, L'x'}, u"ab\xD83D\xDE00"}};
  // clang-format on
  for (const auto& [text, units] : cases) EXPECT_EQ(FixedText<4>(text).units(), units);
  EXPECT_EQ(FixedText<2>(L"a\U0001F600").units(), sizeof(wchar_t) == 2 ? u"a " : u"a\uFFFD");
}

TEST(ReadFpsBytes, ReadsGroupsIntoRecordsByTheRulesOfTheFormat) {
  const Records none;
  const Records one = {Rec(L"A", L"1", L"2", L"3")}, two = {one[0], Rec(L"B", L"4", L"5", L"6")};
  // clang-format off
  const std::pair<std::string, Records> cases[] = {
      {"", none},
      {Group("A", "1 / 2 / 3 fps"), one},
      {Group("  A", "  1 / 2 / 3wxyz"), one},  // leading spaces dropped, any four last characters
      {Group("dm-deck16", "41.26 / 78.90 / 143.02 fps"),
       {Rec(L"dm-deck16", L"41.26", L"78.90", L"143.02")}},
      {Group("L", "1  / 2 / 3 / 4 fps  "), {Rec(L"L", L"1 ", L"2", L"3 / 4 f")}},
      {Group("L", "1/2 / 3 / 4 fps"), {Rec(L"L", L"1/2", L"3", L"4")}},
      {Group("A", "1 / 2 / wxyz") + Group("B", "4 / 5 / \xE9xyz"),
       {Rec(L"A", L"1", L"2", L""), Rec(L"B", L"4", L"5", L"")}},
      {Group("ABCDEFGHIJKLMNOPQRST", "123456789012 / 234567890123 / 345678901234 fps"),
       {Rec(L"ABCDEFGHIJKLMN", L"1234567890", L"2345678901", L"3456789012")}},
      {Group("  \"  Deck, 16\" x", "1 / 2 / 3 fps"), {Rec(L"  Deck, 16", L"1", L"2", L"3")}},
      {"A\r\n1 / 2 / 3 fps\r\n / / x\r\n\"\r\nB\r\n4 / 5 / 6 fps\r\n\r\n\r\n", two},
      {"A\r\n1 / 2 / 3 fps\r\nx\r\ny", one},
      {"A\n1 / 2 / 3 fps\rx\r\ny\nB\r4 / 5 / 6 fps\n\n\n", two},
      {Group("Caf\xE9 de la Gare", "\x80 12 / 3\xB2 / 99\xB0 fps") +
           Group("\x80", "1 / 2 / 3 fps") + Group("ABCDEFGHIJKLM\xE9XYZ", "1 / 2 / 3 fps"),
       {Rec(L"Caf\u00E9 de la Gar", L"\u20AC 12", L"3\u00B2", L"99\u00B0"),
        Rec(L"\u20AC", L"1", L"2", L"3"), Rec(L"ABCDEFGHIJKLM\u00E9", L"1", L"2", L"3")}}};
  // clang-format on
  for (const auto& [file, records] : cases) {
    const FpsReadResult read = ReadFpsBytes(file);
    EXPECT_EQ(All(read), records) << file;
    EXPECT_EQ(read.fault_count, 0u) << file;
  }
}

TEST(ReadFpsBytes, KeepsTheCompleteGroupsOfADamagedFileAndSaysWhereItIsDamaged) {
  using enum FpsProblem;
  const Records one = {Rec(L"A", L"1", L"2", L"3")};
  // clang-format off
  const std::tuple<std::string, Records, std::vector<FpsFault>> cases[] = {
      {Group("A", "1 / 2 / 3 fps") + "B\r\n4 / 5 / 6 fps\r\n", one, {{kEndsInsideGroup, 5, 0}}},
      {Group("A", "1 / 2 / 3 fps") + "\r\n", one, {{kEndsInsideGroup, 5, 0}}},
      {Group("A", "1 / 2 fps") + Group("B", "4 / / 6 fps"),
       {Rec(L"A", L"1", L"", L""), Rec(L"B", L"4", L"", L"")},
       {{kTooFewSeparators, 2, 0}, {kTooFewSeparators, 6, 0}}},
      {Group("A", "1 / 2 / 3") + Group("B", "1 / 2 / \xE9xy"),
       {Rec(L"A", L"1", L"2", L""), Rec(L"B", L"1", L"2", L"")},
       {{kFiguresTooShort, 2, 0}, {kFiguresTooShort, 6, 0}}},
      {"Deck,16\r\n1 / 2 / 3 fps\r\nx\r\ny\r\n", {Rec(L"Deck", L"16", L"", L"")},
       {{kTooFewSeparators, 1, 0}, {kEndsInsideGroup, 4, 0}}}};
  // clang-format on
  for (const auto& [file, records, faults] : cases) {
    const FpsReadResult read = ReadFpsBytes(file);
    EXPECT_EQ(All(read), records) << file;
    EXPECT_EQ(read.faults, faults) << file;
    EXPECT_EQ(read.fault_count, faults.size()) << file;
  }
  std::string many;
  for (int i = 0; i < 30; ++i) many += Group("X", "no separators");
  const FpsReadResult read = ReadFpsBytes(many);
  EXPECT_EQ(read.faults.size(), 20u);
  EXPECT_EQ(read.fault_count, 30u);
  EXPECT_EQ(DescribeFpsFault(read.faults[1]),
            L"line 6: the figures line has fewer than two \" / \" separators.");
  EXPECT_EQ(DescribeFpsFault({kCannotOpen, 0, 2}),
            L"the file could not be opened (system error 2).");
  EXPECT_EQ(DescribeFpsFault({kReadFailed, 9, 0}),
            L"line 9: the file could not be read from this line on.");
}

TEST(ReadFpsStream, GivesWhatTheWholeTextGivesHoweverTheReadsAreCut) {
  // High bytes at every place of lines longer than 64 bytes, every line end split, a line
  // longer than the first buffer.
  std::string file = Group(std::string(70000, 'L'), "1 / 2 / 3 fps");
  for (std::size_t at = 0; at < 70; ++at) {
    std::string name(70, 'n'), figures = "1 / 2 / " + std::string(66, '3') + " fps";
    name[at] = '\xE9';
    figures[8 + at % 66] = '\xB2';
    file += name + (at % 3 == 0 ? "\n" : at % 3 == 1 ? "\r" : "\r\n") + figures + "\r\n\r\n\r\n";
  }
  file += "Cut\r\n1 / 2";
  const FpsReadResult whole = ReadFpsBytes(file);
  ASSERT_EQ(whole.records.size(), 71u);
  EXPECT_EQ(whole.records[0].level_name.units(), u"LLLLLLLLLLLLLL");
  EXPECT_EQ(whole.records[1].level_name.units(), u"\u00E9nnnnnnnnnnnnn");
  EXPECT_EQ(whole.faults, (std::vector<FpsFault>{{FpsProblem::kTooFewSeparators, 286, 0},
                                                 {FpsProblem::kEndsInsideGroup, 285, 0}}));
  for (const std::size_t read_size : {1u, 2u, 3u, 7u, 64u, 4096u, 100000u}) {
    std::size_t at = 0;
    const FpsReadResult in_pieces = ReadFpsStream(
        [&](char* into, std::size_t size, std::uint32_t&) -> std::optional<std::size_t> {
          const std::size_t n = std::min({size, read_size, file.size() - at});
          file.copy(into, n, at);
          at += n;
          return n;
        });
    EXPECT_TRUE(in_pieces.records == whole.records) << read_size;
    EXPECT_EQ(in_pieces.faults, whole.faults) << read_size;
  }
  // A read error keeps what came before and says from which line on the file is lost.
  bool failed = false;
  const FpsReadResult broken = ReadFpsStream(
      [&](char* into, std::size_t, std::uint32_t& error) -> std::optional<std::size_t> {
        error = 5;
        if (std::exchange(failed, true)) return std::nullopt;
        return Group("A", "1 / 2 / 3 fps").copy(into, 40);
      });
  EXPECT_TRUE(broken.records.empty());
  EXPECT_EQ(broken.faults, (std::vector<FpsFault>{{FpsProblem::kReadFailed, 4, 5}}));
}

#ifndef _WIN32
TEST(ReadFpsFile, ReadsAFileAndRefusesAFolderOrAMissingFile) {
  const std::string path = testing::TempDir() + "quorvath_fps_test.txt";
  std::ofstream(path, std::ios::binary) << Group("A", "1 / 2 / 3 fps");
  EXPECT_EQ(ReadFpsFile(path).records.at(0), Rec(L"A", L"1", L"2", L"3"));
  std::remove(path.c_str());
  EXPECT_EQ(ReadFpsFile(path).faults,
            (std::vector<FpsFault>{{FpsProblem::kCannotOpen, 0, ENOENT}}));
  EXPECT_EQ(ReadFpsFile("/").faults, (std::vector<FpsFault>{{FpsProblem::kCannotOpen, 0, EISDIR}}));
}
#endif

}  // namespace quorvath
