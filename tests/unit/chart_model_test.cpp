// The chart of a run: its figures as numbers, the axis, the change against another run, the
// text it copies and where its bars go.
#include "results/chart_model.h"

#include <gtest/gtest.h>

namespace quorvath {

static SavedRecord At(std::wstring res, std::wstring level, std::wstring avg) {
  return {std::move(res), std::move(level), L"1", std::move(avg), L"3"};
}

TEST(ChartModel, ReadsPlainNumbersAndHasAnAxisOfRoundStepsAndChangesInPerCent) {
  const std::pair<std::wstring_view, double> numbers[] = {
      {L"41.26", 41.26}, {L"143", 143}, {L"0", 0}, {L".5", 0.5}, {L"5.", 5}};
  for (const auto& [text, value] : numbers) EXPECT_EQ(PlainNumber(text), value) << text.data();
  for (const auto* figure : {L"", L".", L"1.2.3", L"-4", L"+4", L" 5", L"1e3", L"12a"}) {
    EXPECT_EQ(PlainNumber(figure), std::nullopt) << figure;
  }
  // clang-format off
  const std::tuple<double, double, double> axes[] = {
      {0, 1, 0.2}, {70.62, 80, 20}, {100, 100, 20}, {143.02, 150, 50}, {4, 4, 1}, {10, 10, 2},
      {25, 25, 5}, {26, 30, 10}, {0.003, 0.003, 0.001}, {2.5e9, 2.5e9, 5e8}};
  const std::tuple<double, double, std::wstring_view> changes[] = {
      {41.6, 40, L"+4.0 %"}, {100, 97, L"+3.1 %"}, {40, 40, L"+0.0 %"}, {50, 51.2, L"\u22122.3 %"},
      {96.94, 100, L"\u22123.1 %"}, {1, 0, L""}};
  // clang-format on
  for (const auto& [largest, max, step] : axes) {
    EXPECT_DOUBLE_EQ(NiceAxis(largest).max, max) << largest;
    EXPECT_DOUBLE_EQ(NiceAxis(largest).step, step) << largest;
  }
  EXPECT_EQ(AxisLabel(40, NiceAxis(70.62)), L"40");
  EXPECT_EQ(AxisLabel(0.4, NiceAxis(1)), L"0.4");
  EXPECT_EQ(AxisLabel(0.002, NiceAxis(0.003)), L"0.002");
  for (const auto& [now, before, text] : changes) EXPECT_EQ(ChangeText(now, before), text) << now;
}

TEST(ChartModel, MatchesLevelsByNameAndResolutionEachOnce) {
  const SavedRun now = {{At(L"1600 x 1200", L"Keep", L"41.6"), At(L"1280 x 1024", L"Keep", L"50"),
                         At(L"1600 x 1200", L"Dock", L"70"), At(L"1600 x 1200", L"Moor", L"fast"),
                         At(L"1600 x 1200", L"Moor", L"6")}};
  const SavedRun before = {{At(L"1280 x 1024", L"Keep", L"51.2"),
                            At(L"1600 x 1200", L"Keep", L"40"), At(L"1600 x 1200", L"Moor", L"2"),
                            At(L"1600 x 1200", L"Moor", L"4")}};
  const ChartModel chart = BuildChart(now, &before);
  EXPECT_EQ(ChartText(chart),
            L"Level\tResolution\tLow FPS\tAverage FPS\tHigh FPS\tCompared Average FPS\tChange\r\n"
            L"Keep\t1600 x 1200\t1\t41.6\t3\t40\t+4.0 %\r\n"
            L"Keep\t1280 x 1024\t1\t50\t3\t51.2\t\u22122.3 %\r\n"
            L"Dock\t1600 x 1200\t1\t70\t3\t\t\r\n"
            L"Moor\t1600 x 1200\t1\tfast\t3\t2\t\r\n"
            L"Moor\t1600 x 1200\t1\t6\t3\t4\t+50.0 %\r\n");
  ASSERT_EQ(chart.groups.size(), 3u);
  EXPECT_EQ(chart.groups[2].level, L"Moor");
  EXPECT_EQ(chart.groups[2].bars.size(), 2u);
  EXPECT_EQ(chart.resolutions, (std::vector<std::wstring>{L"1600 x 1200", L"1280 x 1024"}));
  EXPECT_EQ(chart.groups[0].bars[1].resolution, 1u);
  EXPECT_EQ(chart.groups[1].bars[0].resolution, 0u);
  EXPECT_EQ(chart.groups[2].bars[0].average, std::nullopt);
  EXPECT_EQ(chart.groups[2].bars[0].high, 3);
  EXPECT_DOUBLE_EQ(chart.axis.max, 80);
  EXPECT_EQ(
      ChartText(BuildChart({{now.records[2]}}, nullptr)),
      L"Level\tResolution\tLow FPS\tAverage FPS\tHigh FPS\r\nDock\t1600 x 1200\t1\t70\t3\r\n");
}

TEST(ChartModel, StacksBarsGroupedByLevelWithRoomForTheComparison) {
  SavedRun all;
  for (const auto* level : {L"A", L"B"}) {
    for (const auto* res : {L"1600 x 1200", L"1280 x 1024", L"1024 x 768"}) {
      all.records.push_back(At(res, level, L"2"));
    }
  }
  const auto places = [](const SavedRun& run, const SavedRun* baseline) {
    const ChartLayout layout = LayoutChart(BuildChart(run, baseline), 600);
    std::vector<int> numbers = {layout.legend_top, layout.axis_top, layout.height};
    for (const GroupPlace& group : layout.groups) {
      numbers.insert(numbers.end(), {group.top, group.bottom});
      for (const BarPlace& bar : group.bars) {
        numbers.insert(numbers.end(), {bar.top, bar.height, bar.baseline_top, bar.baseline_height});
      }
    }
    return numbers;
  };
  EXPECT_EQ(places({{all.records[0], all.records[3]}}, nullptr),
            (std::vector<int>{-1, 12, 84, 30, 46, 30, 16, 46, 0, 56, 72, 56, 16, 72, 0}));
  EXPECT_EQ(
      places(all, &all),
      (std::vector<int>{12, 32,  222, 50,  125, 50,  16, 66,  7,  76,  16, 92,  7,  102, 16, 118,
                        7,  135, 210, 135, 16,  151, 7,  161, 16, 177, 7,  187, 16, 203, 7}));
  EXPECT_EQ(places({{all.records[0]}}, &all),
            (std::vector<int>{12, 32, 85, 50, 73, 50, 16, 66, 7}));
  EXPECT_EQ(places({}, nullptr), (std::vector<int>{-1, 12, 42}));
  const ChartLayout layout = LayoutChart(BuildChart(all, nullptr), 600);
  EXPECT_EQ(std::vector<int>({layout.label_left, layout.plot_left, layout.plot_right,
                              layout.figures_left, layout.XFor(-1, {3, 1}), layout.XFor(1, {3, 1}),
                              layout.XFor(2, {3, 1}), layout.XFor(5, {4, 1})}),
            (std::vector<int>{12, 132, 386, 398, 132, 217, 301, 386}));
  EXPECT_EQ(LayoutChart(BuildChart({}, nullptr), 0).width, 414);
}

}  // namespace quorvath
