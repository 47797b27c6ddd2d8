// The chart of runs: its figures as numbers, the axis, the base and the runs compared with it,
// the resolutions shown, the notes, the text it copies and where everything goes.
#include "results/chart_layout.h"
#include "results/chart_model.h"

#include <gtest/gtest.h>

namespace quorvath {

static SavedRecord At(std::wstring res, std::wstring level, std::wstring avg) {
  return {std::move(res), std::move(level), L"1", std::move(avg), L"3"};
}

// Text 6 pixels a character on lines of 13, the title on lines of 16.
struct FixedMeasure final : ChartTextMeasure {
  int LineHeight() const override { return 13; }
  int Width(std::wstring_view text) const override { return 6 * static_cast<int>(text.size()); }
  int WrappedHeight(std::wstring_view text, int width, bool title) const override {
    const int lines = (Width(text) + width - 1) / width;
    return lines * (title ? 16 : 13);
  }
};

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

// The oldest readable run is the base; the others are matched with it by level name and
// resolution, the n-th record of a name with the base's n-th; runs without bars get notes.
TEST(ChartModel, ComparesEachRunWithTheOldestReadableOneLevelByLevel) {
  const SavedRun base = {{At(L"1280 x 1024", L"Keep", L"40"), At(L"1600 x 1200", L"Keep", L"9"),
                          At(L"1280 x 1024", L"Moor", L"4"), At(L"1280 x 1024", L"Moor", L"0")}};
  const SavedRun later = {{At(L"1280 x 1024", L"Dock", L"70"), At(L"1280 x 1024", L"Moor", L"6"),
                           At(L"1280 x 1024", L"Keep", L"41.6"), At(L"1280 x 1024", L"Moor", L"2"),
                           At(L"1280 x 1024", L"Moor", L"fast")}};
  const SavedRun elsewhere = {{At(L"1024 x 768", L"Keep", L"50")}};
  const ChartModel chart = BuildChart(L"High Quality", {{L"Mon", {}, L"Mon.csv is damaged."},
                                                        {L"Tue", {&base}},
                                                        {L"Wed", {&later}},
                                                        {L"Thu", {&elsewhere}},
                                                        {L"", {}, L"Fri.csv is gone."}});
  EXPECT_EQ(ChartText(chart),
            L"High Quality, 1280 x 1024: changes against Tue\r\n"
            L"Level\tResolution\tRun\tLow FPS\tAverage FPS\tHigh FPS\tChange\tRuns\tSD\tVerdict\r\n"
            L"Keep\t1280 x 1024\tTue\t1\t40\t3\t\t1\t\t\r\n"
            L"Keep\t1280 x 1024\tWed\t1\t41.6\t3\t+4.0 %\t1\t\t\r\n"
            L"Moor\t1280 x 1024\tTue\t1\t4\t3\t\t1\t\t\r\n"
            L"Moor\t1280 x 1024\tWed\t1\t6\t3\t+50.0 %\t1\t\t\r\n"
            L"Moor\t1280 x 1024\tTue\t1\t0\t3\t\t1\t\t\r\n"
            L"Moor\t1280 x 1024\tWed\t1\t2\t3\t\t1\t\t\r\n"
            L"Dock\t1280 x 1024\tWed\t1\t70\t3\t\t1\t\t\r\n"
            L"Moor\t1280 x 1024\tWed\t1\tfast\t3\t\t1\t\t\r\n"
            L"Mon is not drawn. Mon.csv is damaged.\r\n"
            L"Thu is not drawn. It has no level of the same name and resolution as Tue.\r\n"
            L"Fri.csv is gone.\r\n");
  EXPECT_EQ(chart.runs, (std::vector<std::wstring>{L"Tue", L"Wed"}));
  EXPECT_EQ(chart.resolutions, (std::vector<std::wstring>{L"1280 x 1024", L"1600 x 1200"}));
  EXPECT_FALSE(chart.grouped);
  EXPECT_TRUE(chart.has_changes);
  ASSERT_EQ(chart.groups.size(), 5u);
  const ChartBar& wed = chart.groups[0].bars[1];
  EXPECT_EQ(std::make_tuple(wed.run, wed.colour, wed.compared, wed.average, wed.low),
            std::make_tuple(1u, 1u, true, std::optional<double>(41.6), std::optional<double>(1)));
  EXPECT_EQ(BarFigures(wed), (std::array<std::wstring_view, 5>{L"", L"41.6", L"", L"+4.0 %", L""}));
  EXPECT_EQ(BarFigures(chart.groups[0].bars[0]),
            (std::array<std::wstring_view, 5>{L"1", L"40", L"3", L"", L""}));
  EXPECT_EQ(chart.groups[4].bars[0].average, std::nullopt);
  EXPECT_DOUBLE_EQ(chart.axis.max, 80);
  EXPECT_EQ(chart.legend.size(), 2u);
  EXPECT_EQ(chart.legend[1].text, L"Wed");
  EXPECT_EQ(chart.key.back().text, L"Change: average against the first run");

  // The other resolution (an index past the last is the last): the base's level at it, and a
  // note for the run that has none.
  EXPECT_EQ(ChartText(BuildChart(L"High Quality", {{L"Tue", {&base}}, {L"Wed", {&later}}}, 7)),
            L"High Quality, 1600 x 1200: changes against Tue\r\n"
            L"Level\tResolution\tRun\tLow FPS\tAverage FPS\tHigh FPS\tChange\tRuns\tSD\tVerdict\r\n"
            L"Keep\t1600 x 1200\tTue\t1\t9\t3\t\t1\t\t\r\n"
            L"Wed has no level at 1600 x 1200.\r\n");
}

TEST(ChartModel, ShowsOneRunOfSeveralResolutionsGroupedAndAtMostFiveRuns) {
  const SavedRun all = {{At(L"1600 x 1200", L"Keep", L"2"), At(L"1280 x 1024", L"Keep", L"3"),
                         At(L"1280 x 1024", L"Moor", L"5")}};
  const ChartModel grouped = BuildChart(L"High Quality", {{L"Sun", {&all}}});
  EXPECT_TRUE(grouped.grouped);
  EXPECT_FALSE(grouped.has_changes);
  ASSERT_EQ(grouped.groups.size(), 2u);
  EXPECT_EQ(grouped.groups[0].bars.size(), 2u);
  EXPECT_EQ(grouped.groups[0].bars[1].colour, 1u);
  EXPECT_EQ(grouped.groups[1].bars[0].colour, 1u);
  EXPECT_EQ(grouped.legend[1].text, L"1280 x 1024");
  EXPECT_EQ(grouped.key.size(), 3u);
  EXPECT_EQ(grouped.title, L"High Quality, All Resolutions: Sun");
  EXPECT_EQ(BuildChart(L"CPU Test", {{L"Sun", {&all}}}, 0).groups.size(), 2u);

  const SavedRun one = {{all.records[2]}};
  const ChartModel alone = BuildChart(L"", {{L"Sun", {&one}}});
  EXPECT_FALSE(alone.grouped);
  EXPECT_EQ(alone.title, L"1280 x 1024: Sun");
  EXPECT_TRUE(alone.legend.empty());
  EXPECT_EQ(BuildChart(L"CPU Test", {{L"Sun", {}}}).title, L"CPU Test: no run to draw");

  std::vector<ChartSource> seven;
  for (const auto* day : {L"1", L"2", L"3", L"4", L"5", L"6", L"7"}) seven.push_back({day, {&one}});
  const ChartModel five = BuildChart(L"", seven);
  EXPECT_EQ(five.runs.size(), 5u);
  EXPECT_EQ(five.groups[0].bars[4].colour, 4u);
  EXPECT_EQ(five.notes,
            (std::vector<std::wstring>{L"6 is not drawn. A chart shows at most 5 runs or sets.",
                                       L"7 is not drawn. A chart shows at most 5 runs or sets."}));
}

// A set of several runs is charted by the means of its runs' figures, with the spread of their
// averages; a compared set gets a verdict where both it and the base have several runs. Base
// Keep {40, 41, 42}: mean 41, SD 1. {44, 45, 46}: t = 4 / sqrt(1/3 + 1/3) = 4.90 > 2.776 (df 4),
// faster; {40, 42, 44}: t = 1 / sqrt(1/3 + 4/3) = 0.77, within noise. Base Moor {30, 30, 30}
// against {26, 27, 28}: t = -3 / sqrt(1/3) = -5.20 < -4.303 (df 2), slower.
TEST(ChartModel, ChartsSetsByTheirMeansWithTheirSpreadAndAVerdictAgainstTheBase) {
  const auto run = [](const wchar_t* keep, const wchar_t* moor) {
    SavedRun r{{At(L"1280 x 1024", L"Keep", keep)}};
    if (moor != nullptr) r.records.push_back(At(L"1280 x 1024", L"Moor", moor));
    return r;
  };
  const SavedRun base[] = {run(L"40", L"30"), run(L"41", L"30"), run(L"42", L"30")};
  const SavedRun faster[] = {run(L"44", L"26"), run(L"45", L"27"), run(L"46", L"28")};
  const SavedRun noise[] = {run(L"40", nullptr), run(L"42", nullptr), run(L"44", nullptr)};
  const SavedRun single = run(L"43", nullptr);
  const auto set = [](const SavedRun(&runs)[3]) {
    return std::vector<const SavedRun*>{&runs[0], &runs[1], &runs[2]};
  };
  const ChartModel chart = BuildChart(L"HQ", {{L"Mon", set(base)},
                                              {L"Tue", set(faster)},
                                              {L"new driver", set(noise)},
                                              {L"Thu", {&single}}});
  EXPECT_EQ(
      ChartText(chart),
      L"HQ, 1280 x 1024: changes against Mon (3 runs)\r\n"
      L"Level\tResolution\tRun\tLow FPS\tAverage FPS\tHigh FPS\tChange\tRuns\tSD\tVerdict\r\n"
      L"Keep\t1280 x 1024\tMon (3 runs)\t1.00\t41.00\t3.00\t\t3\t1.00\t\r\n"
      L"Keep\t1280 x 1024\tTue (3 runs)\t1.00\t45.00\t3.00\t+9.8 %\t3\t1.00\tfaster\r\n"
      L"Keep\t1280 x 1024\tnew driver (3 runs)\t1.00\t42.00\t3.00\t+2.4 %\t3\t2.00\twithin "
      L"noise\r\n"
      L"Keep\t1280 x 1024\tThu\t1\t43\t3\t+4.9 %\t1\t\t\r\n"
      L"Moor\t1280 x 1024\tMon (3 runs)\t1.00\t30.00\t3.00\t\t3\t0.00\t\r\n"
      L"Moor\t1280 x 1024\tTue (3 runs)\t1.00\t27.00\t3.00\t\u221210.0 %\t3\t1.00\tslower\r\n");
  const ChartBar& keep = chart.groups[0].bars[0];
  EXPECT_EQ(std::make_tuple(keep.spread, keep.sample.min, keep.sample.max, *keep.average),
            std::make_tuple(true, 40.0, 42.0, 41.0));
  EXPECT_FALSE(chart.groups[0].bars[3].spread);
  EXPECT_EQ(BarFigures(chart.groups[0].bars[1]),
            (std::array<std::wstring_view, 5>{L"", L"45.00", L"", L"+9.8 %", L"faster"}));
  EXPECT_EQ(chart.legend[2].text, L"new driver (3 runs)");
  EXPECT_EQ(chart.set_sizes, (std::vector<std::size_t>{3, 3, 3, 1}));
  EXPECT_TRUE(chart.has_verdicts);
  EXPECT_EQ(chart.key[2].mark, ChartMark::kSpreadLine);
  EXPECT_EQ(chart.key[4].text, L"Change: mean average against the first set");
  EXPECT_GT(LayoutChart(chart, 300, FixedMeasure()).column_right[kVerdictColumn], 0);
  // Against a base of a single run there is only the change.
  const ChartModel one = BuildChart(L"HQ", {{L"Thu", {&single}}, {L"Tue", set(faster)}});
  EXPECT_EQ(std::make_tuple(one.has_verdicts, one.groups[0].bars[1].change),
            std::make_tuple(false, std::wstring(L"+4.7 %")));
}

TEST(ChartModel, LaysOutAFixedHeaderAndBarsInRowsWithColumnsAsWideAsTheirFigures) {
  const SavedRun before = {
      {At(L"1280 x 1024", L"Cinder Keep", L"1234.567"), At(L"1280 x 1024", L"B", L"2")}};
  const SavedRun after = {{At(L"1280 x 1024", L"Cinder Keep", L"41.6")}};
  const ChartModel chart =
      BuildChart(L"HQ", {{L"Mon", {&before}}, {L"Tue", {&after}}, {L"Wed", {}, L"Gone."}});
  const ChartLayout layout = LayoutChart(chart, 300, FixedMeasure());
  // Level names 66 wide ("Cinder Keep"); the columns as wide as their widest text: "Low",
  // "1234.567", "High" and "−96.6 %" (18, 48, 24, 42), 12 apart, from the right margin; 80
  // for the plot at least, and 20 between it and the figures: 12 + 66 + 6 + 80 + 20 + 168 + 12.
  EXPECT_EQ(std::vector<int>({layout.min_width, layout.width, layout.label_right, layout.plot_left,
                              layout.plot_right}),
            (std::vector<int>{364, 364, 78, 84, 164}));
  EXPECT_EQ(layout.column_right, (std::array<int, 5>{202, 262, 298, 352, 0}));
  EXPECT_EQ(std::vector<int>({layout.XFor(-1, {3, 1}), layout.XFor(1, {3, 1}),
                              layout.XFor(2, {3, 1}), layout.XFor(5, {4, 1})}),
            (std::vector<int>{84, 111, 137, 164}));
  // The header: the title, rows of 16 for the legend and the key (wrapped where a label would
  // pass the right margin), the note, the axis's title and its tick labels.
  EXPECT_EQ(std::vector<int>({layout.title.top, layout.title.height, layout.legend[1].left,
                              layout.legend[1].top, layout.key[1].left, layout.key[1].top,
                              layout.key[2].left, layout.key[2].top, layout.key[3].top,
                              layout.notes[0].top, layout.notes[0].height, layout.axis_title_top,
                              layout.axis_top, layout.header_height}),
            (std::vector<int>{12, 16, 60, 32, 108, 52, 12, 68, 84, 104, 13, 121, 137, 153}));
  // The body: Cinder Keep's two bars 3 apart, then B's after a gap of 10.
  ASSERT_EQ(layout.groups.size(), 2u);
  EXPECT_EQ(std::vector<int>({layout.groups[0].top, layout.groups[0].bars[1].top,
                              layout.groups[0].bottom, layout.groups[1].top, layout.height}),
            (std::vector<int>{159, 178, 194, 204, 232}));
  // Without bars the header is the title alone, and the columns are three.
  const ChartLayout empty = LayoutChart(BuildChart(L"HQ", {}), 0, FixedMeasure());
  EXPECT_EQ(
      std::vector<int>({empty.width, empty.header_height, empty.height, empty.column_right[3]}),
      (std::vector<int>{298, 32, 44, 0}));
}

}  // namespace quorvath
