// The history's file names, their order, and the runs a chart compares with.
#include "runs/history.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quorvath {

TEST(History, NamesRunFilesAndReadsTheNamesBack) {
  const std::pair<RunName, std::wstring_view> cases[] = {
      {{L"2026-12-07 14-03-22", TestKind::kHigh, L"1280 x 1024", 1},
       L"2026-12-07 14-03-22 High Quality 1280 x 1024.csv"},
      {{L"2026-12-07 14-03-22", TestKind::kLow, L"All Resolutions", 2},
       L"2026-12-07 14-03-22 Low Quality All Resolutions (2).csv"},
      {{L"2027-01-31 09-00-05", TestKind::kCpu, L"", 13},
       L"2027-01-31 09-00-05 CPU Test (13).csv"}};
  for (const auto& [name, file] : cases) {
    EXPECT_EQ(RunFileName(name), file);
    EXPECT_EQ(ParseRunFileName(file), name);
  }
  for (const auto* other :
       {L"2026-12-07 14-03-22 High Quality.csv", L"2026-12-07 14-03-22 CPU Test 640 x 480.csv",
        L"2026-12-07 14-03-22 High Quality 800 x 600.csv", L"2026-12-07 14-03-22 CPU Test (1).csv",
        L"2026-12-07 14-03-22 CPU Test (02).csv", L"2026-12-7 14-03-22 CPU Test.csv",
        L"2026-12-07 14-03-22_CPU Test.csv", L"2026-12-07 14-03-22 CPU Test.csv.partial",
        L"2026-12-07 14-03-22 CPU Test (2x).csv", L"notes.csv"}) {
    EXPECT_EQ(ParseRunFileName(other), std::nullopt) << other;
  }
  EXPECT_EQ(RunStamp(2026, 12, 7, 4, 3, 2), L"2026-12-07 04-03-02");
  EXPECT_EQ(RunPath(L"D:\\H", cases[2].first), L"D:\\H\\2027-01-31 09-00-05 CPU Test (13).csv");
}

TEST(History, ListsTheEarlierRunsNewestFirst) {
  std::vector<RunName> names;
  for (const auto& [stamp, copy] : {std::pair{L"2026-12-08 08-00-00", 1},
                                    {L"2026-12-09 10-00-00", 1},
                                    {L"2026-12-07 14-03-22", 1},
                                    {L"2026-12-08 08-00-00", 2}}) {
    names.push_back({stamp, TestKind::kCpu, L"", copy});
  }
  std::sort(names.begin(), names.end(), NewerFirst);
  const auto labels = [](const std::vector<RunName>& runs) {
    std::wstring text;
    for (const RunName& run : runs) text += RunLabel(run) + L";";
    return text;
  };
  EXPECT_EQ(
      labels(names),
      L"2026-12-09 10-00-00;2026-12-08 08-00-00 (2);2026-12-08 08-00-00;2026-12-07 14-03-22;");
  EXPECT_EQ(labels(EarlierRuns(names, std::nullopt, 10)), labels(names));
  EXPECT_EQ(labels(EarlierRuns(names, std::nullopt, 1)), L"2026-12-09 10-00-00;");
  EXPECT_EQ(labels(EarlierRuns(names, names[1], 10)), L"2026-12-08 08-00-00;2026-12-07 14-03-22;");
  EXPECT_EQ(labels(EarlierRuns(names, names[1], 1)), L"2026-12-08 08-00-00;");
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
