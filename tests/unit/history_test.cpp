// The history's file names, their order, and the runs a chart compares with.
#include "runs/history.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quorvath {

TEST(History, NamesRunFilesAndReadsTheNamesBack) {
  using enum TestKind;
  const std::pair<RunName, std::wstring_view> cases[] = {
      {{L"2026-12-07 14-03-22", kHigh, L"1280 x 1024", 1, L""},
       L"2026-12-07 14-03-22 High Quality 1280 x 1024.csv"},
      {{L"2026-12-07 14-03-22", kLow, L"All Resolutions", 2, L""},
       L"2026-12-07 14-03-22 Low Quality All Resolutions (2).csv"},
      {{L"2027-01-31 09-00-05", kCpu, L"", 13, L""}, L"2027-01-31 09-00-05 CPU Test (13).csv"},
      {{L"2026-12-07 14-03-22", kHigh, L"1280 x 1024", 1, L"new driver"},
       L"2026-12-07 14-03-22 High Quality 1280 x 1024 - new driver.csv"},
      {{L"2026-12-07 14-03-22", kCpu, L"", 3, L"a - b (x)"},
       L"2026-12-07 14-03-22 CPU Test - a - b (x) (3).csv"},
      {{L"2026-12-07 14-03-22", kLow, L"1024 x 768", 1, L"v2 (beta)"},
       L"2026-12-07 14-03-22 Low Quality 1024 x 768 - v2 (beta).csv"}};
  for (const auto& [name, file] : cases) {
    EXPECT_EQ(RunFileName(name), file);
    EXPECT_EQ(ParseRunFileName(file), name);
  }
  for (const auto* other :
       {L"2026-12-07 14-03-22 High Quality.csv", L"2026-12-07 14-03-22 CPU Test 640 x 480.csv",
        L"2026-12-07 14-03-22 High Quality 800 x 600.csv", L"2026-12-07 14-03-22 CPU Test (1).csv",
        L"2026-12-07 14-03-22 CPU Test (02).csv", L"2026-12-7 14-03-22 CPU Test.csv",
        L"2026-12-07 14-03-22_CPU Test.csv", L"2026-12-07 14-03-22 CPU Test.csv.partial",
        L"2026-12-07 14-03-22 CPU Test (2x).csv", L"notes.csv",
        L"2026-12-07 14-03-22 CPU Test - .csv", L"2026-12-07 14-03-22 CPU Test -  x.csv",
        L"2026-12-07 14-03-22 CPU Test-x.csv", L"2026-12-07 14:03:22 CPU Test.csv"}) {
    EXPECT_EQ(ParseRunFileName(other), std::nullopt) << other;
  }
  EXPECT_EQ(RunStamp(2026, 12, 7, 4, 3, 2), L"2026-12-07 04-03-02");
  EXPECT_EQ(RunStamp(2026, 12, 7, 14, 3, 22, L':'), L"2026-12-07 14:03:22");
  EXPECT_EQ(RunPath(L"D:\\H", cases[2].first), L"D:\\H\\2027-01-31 09-00-05 CPU Test (13).csv");
}

TEST(History, TakesLabelsAndStampsAsTheyAreKept) {
  const std::pair<std::wstring_view, std::wstring_view> trims[] = {
      {L"  new driver ", L"new driver"}, {L"x", L"x"}, {L"   ", L""}, {L"", L""}, {L"\tx", L"\tx"}};
  for (const auto& [text, kept] : trims) EXPECT_EQ(TrimLabel(text), kept) << text.size();
  const std::pair<std::wstring_view, std::wstring_view> forbidden[] = {
      {L"driver 551.23 (beta) - #2 & more", L""},
      {L"a/b\\c:d*e?f\"g<h>i|j", L"/\\:*?\"<>|"},
      {L"x??y::", L"?:"},
      {L"tab\there\x1F\x7F ~", L"\t\x1F\x7F"}};
  for (const auto& [label, bad] : forbidden) EXPECT_EQ(ForbiddenLabelCharacters(label), bad);
  const std::pair<std::wstring, std::wstring_view> problems[] = {
      {std::wstring(60, L'x'), L""},
      {std::wstring(61, L'x'), L"A label holds at most 60 characters."},
      {L"a/b?", L"A label is part of the file name of each run, and a file name cannot hold / ?."},
      {L"a\tb",
       L"A label is part of the file name of each run, and a file name cannot hold control "
       L"characters such as tabs."},
      {L"a\t|",
       L"A label is part of the file name of each run, and a file name cannot hold | or "
       L"control characters."}};
  for (const auto& [label, problem] : problems) EXPECT_EQ(LabelProblem(label), problem);
  const auto parts = [](std::wstring_view stamp) {
    const std::optional<StampParts> p = ParseStamp(stamp);
    return p ? std::vector<int>{p->year, p->month, p->day, p->hour, p->minute, p->second}
             : std::vector<int>{};
  };
  EXPECT_EQ(parts(L"2026-12-07 14-03-22"), (std::vector<int>{2026, 12, 7, 14, 3, 22}));
  EXPECT_EQ(parts(L"2027-01-31 09:00:05"), (std::vector<int>{2027, 1, 31, 9, 0, 5}));
  for (const auto* other : {L"2026-12-07 14-03:22", L"2026-12-07 14-03-2", L"2026-12-07T14-03-22",
                            L"2026-12-07 14-03-22 ", L""}) {
    EXPECT_EQ(parts(other), std::vector<int>{}) << other;
  }
}

TEST(History, ListsTheEarlierRunsNewestFirst) {
  std::vector<RunName> names;
  for (const auto& [stamp, copy] : {std::pair{L"2026-12-08 08-00-00", 1},
                                    {L"2026-12-09 10-00-00", 1},
                                    {L"2026-12-07 14-03-22", 1},
                                    {L"2026-12-08 08-00-00", 2}}) {
    names.push_back({stamp, TestKind::kCpu, L"", copy, L""});
  }
  std::sort(names.begin(), names.end(), NewerFirst);
  const auto labels = [](const std::vector<RunName>& runs) {
    std::wstring text;
    for (const RunName& run : runs)
      text += run.stamp.substr(8, 5) + std::to_wstring(run.copy) + L";";
    return text;
  };
  EXPECT_EQ(labels(names), L"09 101;08 082;08 081;07 141;");
  EXPECT_EQ(labels(EarlierRuns(names, std::nullopt, 10)), labels(names));
  EXPECT_EQ(labels(EarlierRuns(names, std::nullopt, 1)), L"09 101;");
  EXPECT_EQ(labels(EarlierRuns(names, names[1], 10)), L"08 081;07 141;");
  EXPECT_EQ(labels(EarlierRuns(names, names[1], 1)), L"08 081;");
  EXPECT_EQ(labels(EarlierRuns(names, names[3], 10)), L"");
}

TEST(History, KeepsTheResolutionAndLayoutOfEachTest) {
  using enum TestKind;
  using Rows = RowLayout;
  // clang-format off
  using Text = std::wstring_view;
  const std::tuple<TestKind, Text, Text, Text, RowLayout> cases[] = {
      {kCpu, L"All Resolutions", L"", L"640 x 480", Rows::kCpu},
      {kCpu, L"1280 x 1024", L"", L"640 x 480", Rows::kCpu},
      {kHigh, L"All Resolutions", L"All Resolutions", L"All Resolutions", Rows::kResolutionCaptions},
      {kLow, L"All resolutions", L"All resolutions", L"All resolutions", Rows::kOneResolution},
      {kLow, L"1024 x 768", L"1024 x 768", L"1024 x 768", Rows::kOneResolution}};
  // clang-format on
  for (const auto& [test, chosen, history, record, layout] : cases) {
    EXPECT_EQ(HistoryResolution(test, chosen), history);
    EXPECT_EQ(RecordResolution(test, chosen), record);
    EXPECT_EQ(LayoutFor(test, chosen), layout);
  }
}

}  // namespace quorvath

namespace quorvath {

TEST(History, SummarizesWhatARunsFileHolds) {
  const auto record = [](std::wstring average) {
    return SavedRecord{L"1280 x 1024", L"Deck", L"1", std::move(average), L"3"};
  };
  const auto cells = [](const HistoryEntry& entry) {
    std::vector<std::wstring> texts;
    for (std::size_t column = 1; column < kHistoryColumnCount; ++column) {
      texts.push_back(HistoryCellText(entry, static_cast<HistoryColumn>(column)));
    }
    return texts;
  };
  using Texts = std::vector<std::wstring>;
  HistoryEntry entry{{L"2026-12-07 14-03-22", TestKind::kHigh, L"1280 x 1024", 2, L"v2"}};
  entry.label = L"v2";
  EXPECT_EQ(cells(entry), (Texts{L"High Quality", L"1280 x 1024", L"v2", L"", L"", L""}));
  SavedRun run{{record(L"10"), record(L"20.5"), record(L"n/a"), record(L""), record(L"30.5")}};
  run.context.label = L"v2 (2)";
  run.context.computer = L"RIG-1";
  Summarize(entry, run);
  EXPECT_EQ(cells(entry),
            (Texts{L"High Quality", L"1280 x 1024", L"v2 (2)", L"RIG-1", L"5", L"20.33"}));
  Summarize(entry, SavedRun{{record(L"-4"), record(L"x")}});
  EXPECT_EQ(cells(entry), (Texts{L"High Quality", L"1280 x 1024", L"", L"", L"2", L""}));
  HistoryEntry other{{L"2026-12-07 14-03-22", TestKind::kCpu, L"", 1, L"old"}};
  other.label = L"old";
  Summarize(other, std::nullopt);
  EXPECT_EQ(other.content, HistoryEntry::Content::kNotARun);
  EXPECT_EQ(cells(other), (Texts{L"CPU Test", L"640 x 480", L"old", L"", L"", L""}));
  EXPECT_TRUE(NeedsContent(HistoryColumn::kLabel));
  EXPECT_FALSE(NeedsContent(HistoryColumn::kResolution));
}

// Five runs, A to E, sorted by each column both ways: texts without letter case and with their
// numbers as numbers, what is not known first, and the newest first where two are alike.
TEST(History, SortsTheHistoryListByEachColumn) {
  using enum TestKind;
  using Content = HistoryEntry::Content;
  // clang-format off
  const std::vector<HistoryEntry> runs = {
      // name                                                         content             label          computer levels average
      {{L"2026-12-07 10-00-00", kHigh, L"1280 x 1024", 1, L"driver 10"}, 0, 0, Content::kRun,     L"driver 10", L"rig-b", 7,  41.5},
      {{L"2026-12-08 10-00-00", kLow, L"All Resolutions", 1, L"driver 9"}, 0, 0, Content::kRun,   L"driver 9",  L"RIG-C", 21, 12},
      {{L"2026-12-08 10-00-00", kCpu, L"", 2, L""},                     0, 0, Content::kRun,     L"",          L"RIG-C", 7,  {}},
      {{L"2026-12-09 10-00-00", kHigh, L"1024 x 768", 1, L"Driver 9"},   0, 0, Content::kNotARun, L"Driver 9",  L"",      0,  {}},
      {{L"2026-12-10 10-00-00", kLow, L"1280 x 1024", 1, L""},           0, 0, Content::kRun,     L"",          L"",      0,  {}}};
  const std::tuple<HistoryColumn, std::wstring_view, std::wstring_view> orders[] = {
      {HistoryColumn::kDate, L"ABCDE", L"EDCBA"},       {HistoryColumn::kTest, L"CDAEB", L"EBDAC"},
      {HistoryColumn::kResolution, L"CDEAB", L"BEADC"}, {HistoryColumn::kLabel, L"ECDBA", L"ABDEC"},
      {HistoryColumn::kComputer, L"EDACB", L"CBAED"},   {HistoryColumn::kLevels, L"DECAB", L"BCAED"},
      {HistoryColumn::kAverage, L"EDCBA", L"ABEDC"}};
  // clang-format on
  for (const auto& [column, ascending, descending] : orders) {
    for (const bool up : {true, false}) {
      std::vector<HistoryEntry> sorted = runs;
      SortHistory(sorted, column, up);
      std::wstring letters;
      for (const HistoryEntry& entry : sorted) {
        const auto at = std::find_if(runs.begin(), runs.end(), [&](const HistoryEntry& run) {
          return run.name == entry.name;
        });
        letters += static_cast<wchar_t>(L'A' + (at - runs.begin()));
      }
      EXPECT_EQ(letters, up ? ascending : descending) << static_cast<int>(column);
    }
  }
}

}  // namespace quorvath
