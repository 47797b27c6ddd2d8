// The history's CSV files and names, and the chart drawn from a run.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/utf8.h"
#include "results/chart_model.h"
#include "runs/history.h"

namespace quorvath {
namespace {

SavedRecord At(std::wstring resolution, std::wstring level, std::wstring low, std::wstring average,
               std::wstring high) {
  return {std::move(resolution), std::move(level), std::move(low), std::move(average),
          std::move(high)};
}

TEST(RunCsv, WritesTheHeaderAndQuotesWhatNeedsItAndReadsItBackUnchanged) {
  const SavedRun run = {
      At(L"1600 x 1200", L"Cinder Keep", L"24.22", L"41.06", L"70.62"),
      At(L"1280 x 1024", L"Deck, 16", L"say \"hi\"", L"\t1", L"  lead"),
      At(L"1024 x 768", L"\u65e5\u672c \u0416 \U0001F600", L"", L"x,y", L"end "),
  };
  const std::string csv = RunCsv(run);
  EXPECT_EQ(csv,
            "\xEF\xBB\xBFResolution,Level,Low FPS,Average FPS,High FPS\r\n"
            "1600 x 1200,Cinder Keep,24.22,41.06,70.62\r\n"
            "1280 x 1024,\"Deck, 16\",\"say \"\"hi\"\"\",\t1,\"  lead\"\r\n"
            "1024 x 768," +
                EncodeUtf8(L"\u65e5\u672c \u0416 \U0001F600") + ",,\"x,y\",\"end \"\r\n");
  EXPECT_EQ(ParseRunCsv(csv), run);
  EXPECT_EQ(ParseRunCsv(csv.substr(3)), run);  // without its byte-order mark
  EXPECT_EQ(ParseRunCsv("Resolution,Level,Low FPS,Average FPS,High FPS\nA,B,1,2,3"),
            (SavedRun{At(L"A", L"B", L"1", L"2", L"3")}));
  for (const std::string& bad : {std::string(), std::string("Level,Low\r\n"), csv + "1,2,3\r\n",
                                 csv + "\"open,2,3,4,5\r\n", csv + "\xC3(,2,3,4,5\r\n"}) {
    EXPECT_EQ(ParseRunCsv(bad), std::nullopt) << bad;
  }
}

TEST(SavedRecords, DropThePaddingAndCarryEachRecordsResolution) {
  const std::deque<FpsRecord> records =
      ReadFpsBytes("  Keep\r\n1  / 2 / 3 fps\r\nx\r\ny\r\nDock\r\n4 / 5 / 6 fps\r\nx\r\ny\r\n")
          .records;
  EXPECT_EQ(SavedRecords(records, RowLayout::kCpu, L"640 x 480"),
            (SavedRun{At(L"640 x 480", L"Keep", L"1", L"2", L"3"),
                      At(L"640 x 480", L"Dock", L"4", L"5", L"6")}));
  EXPECT_EQ(SavedRecords(records, RowLayout::kResolutionCaptions, L"All Resolutions")[1].resolution,
            L"1280 x 1024");
}

TEST(RunFileName, IsFormedAndReadBackAndSortsNewestFirst) {
  const struct {
    RunName name;
    std::wstring_view file;
  } cases[] = {
      {{L"2026-12-07 14-03-22", TestKind::kHigh, L"1280 x 1024", 1},
       L"2026-12-07 14-03-22 High Quality 1280 x 1024.csv"},
      {{L"2026-12-07 14-03-22", TestKind::kLow, L"All Resolutions", 2},
       L"2026-12-07 14-03-22 Low Quality All Resolutions (2).csv"},
      {{L"2027-01-31 09-00-05", TestKind::kCpu, L"", 13}, L"2027-01-31 09-00-05 CPU Test (13).csv"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunFileName(c.name), c.file);
    EXPECT_EQ(ParseRunFileName(c.file), c.name);
  }
  for (const std::wstring_view other :
       {L"2026-12-07 14-03-22 High Quality.csv", L"2026-12-07 14-03-22 CPU Test 640 x 480.csv",
        L"2026-12-07 14-03-22 High Quality 800 x 600.csv", L"2026-12-07 14-03-22 CPU Test (1).csv",
        L"2026-12-07 14-03-22 CPU Test (02).csv", L"2026-12-7 14-03-22 CPU Test.csv",
        L"2026-12-07 14-03-22 CPU Test.csv.partial", L"notes.csv"}) {
    EXPECT_EQ(ParseRunFileName(other), std::nullopt) << other.data();
  }
  std::vector<RunName> names = {{L"2026-12-07 14-03-22", TestKind::kCpu, L"", 1},
                                {L"2026-12-08 08-00-00", TestKind::kCpu, L"", 1},
                                {L"2026-12-07 14-03-22", TestKind::kCpu, L"", 2}};
  std::sort(names.begin(), names.end(), NewerFirst);
  EXPECT_EQ(names[0].stamp, L"2026-12-08 08-00-00");
  EXPECT_EQ(names[1].copy, 2);
  EXPECT_EQ(RunStamp(2026, 12, 7, 4, 3, 2), L"2026-12-07 04-03-02");
}

TEST(ChartAxis, HasRoundStepsThatReachTheLargestFigure) {
  const struct {
    double largest, max, step;
  } cases[] = {{0, 1, 0.2}, {70.62, 80, 20},       {100, 100, 20},      {143.02, 150, 50},
               {4, 4, 1},   {0.003, 0.003, 0.001}, {2.5e9, 2.5e9, 5e8}, {9.9, 10, 2}};
  for (const auto& c : cases) {
    const Axis axis = NiceAxis(c.largest);
    EXPECT_DOUBLE_EQ(axis.max, c.max) << c.largest;
    EXPECT_DOUBLE_EQ(axis.step, c.step) << c.largest;
  }
  EXPECT_EQ(AxisLabel(40, NiceAxis(70.62)), L"40");
  EXPECT_EQ(AxisLabel(0.002, NiceAxis(0.003)), L"0.002");
}

TEST(BuildChart, MatchesLevelsByNameAndResolutionAndLeavesTextThatIsNoNumber) {
  const SavedRun now = {At(L"1600 x 1200", L"Keep", L"20", L"41.6", L"70"),
                        At(L"1280 x 1024", L"Keep", L"30", L"50", L"n/a"),
                        At(L"1600 x 1200", L"Dock", L"1", L"2", L"3"),
                        At(L"1600 x 1200", L"Moor", L"1", L"fast", L"3")};
  const SavedRun before = {At(L"1280 x 1024", L"Keep", L"", L"51.2", L""),
                           At(L"1600 x 1200", L"Keep", L"", L"40", L""),
                           At(L"1600 x 1200", L"Moor", L"", L"2", L"")};
  const ChartModel chart = BuildChart(now, &before);
  ASSERT_EQ(chart.groups.size(), 3u);
  ASSERT_EQ(chart.groups[0].bars.size(), 2u);
  EXPECT_EQ(chart.resolutions, (std::vector<std::wstring>{L"1600 x 1200", L"1280 x 1024"}));
  EXPECT_EQ(chart.groups[0].bars[0].change, L"+4.0 %");
  EXPECT_EQ(chart.groups[0].bars[1].change, L"\u22122.3 %");
  EXPECT_EQ(chart.groups[0].bars[1].high, std::nullopt);
  EXPECT_EQ(chart.groups[1].bars[0].baseline_text, std::nullopt);  // only in this run
  EXPECT_EQ(chart.groups[2].bars[0].average, std::nullopt);
  EXPECT_EQ(chart.groups[2].bars[0].change, L"");
  EXPECT_DOUBLE_EQ(chart.axis.max, 80);
  const std::wstring_view text =
      L"Level\tResolution\tLow FPS\tAverage FPS\tHigh FPS\tCompared Average FPS\tChange\r\n"
      L"Keep\t1600 x 1200\t20\t41.6\t70\t40\t+4.0 %\r\n";
  EXPECT_EQ(ChartText(chart).substr(0, text.size()), text);
  for (const std::wstring_view figure : {L"", L".", L"1.2.3", L"-4", L" 5", L"1e3", L"12a"}) {
    EXPECT_EQ(PlainNumber(figure), std::nullopt) << figure.data();
  }
}

TEST(LayoutChart, StacksBarsGroupedByLevelWithRoomForTheComparison) {
  SavedRun all;
  for (const wchar_t* level : {L"A", L"B"}) {
    for (const wchar_t* resolution : {L"1600 x 1200", L"1280 x 1024", L"1024 x 768"}) {
      all.push_back(At(resolution, level, L"1", L"2", L"3"));
    }
  }
  const ChartLayout single = LayoutChart(BuildChart({all[0], all[3]}, nullptr), 600);
  const ChartLayout grouped = LayoutChart(BuildChart(all, &all), 600);
  EXPECT_EQ(single.legend_top, -1);
  EXPECT_GE(grouped.legend_top, 0);
  ASSERT_EQ(single.groups.size(), 2u);
  ASSERT_EQ(grouped.groups.size(), 2u);
  EXPECT_EQ(grouped.groups[0].bars.size(), 3u);
  for (const ChartLayout* layout : {&single, &grouped}) {
    int bottom = layout->axis_top;  // bars and groups one below the other
    for (const GroupPlace& group : layout->groups) {
      for (const BarPlace& bar : group.bars) {
        EXPECT_TRUE(bar.top > bottom && bar.baseline_top == bar.top + bar.height);
        bottom = bar.baseline_top + bar.baseline_height;
      }
      EXPECT_EQ(group.bottom, bottom);
    }
    EXPECT_GT(layout->height, bottom);
    EXPECT_EQ(layout->XFor(0, Axis{4, 1}), layout->plot_left);
    EXPECT_EQ(layout->XFor(4, Axis{4, 1}), layout->plot_right);
    EXPECT_LT(layout->plot_right, layout->figures_left);
  }
  EXPECT_EQ(single.groups[0].bars[0].baseline_height, 0);
  EXPECT_GT(grouped.groups[0].bars[0].baseline_height, 0);
  EXPECT_EQ(LayoutChart(BuildChart({}, nullptr), 50).width,
            LayoutChart(BuildChart({}, nullptr), 0).width);
}

}  // namespace
}  // namespace quorvath
