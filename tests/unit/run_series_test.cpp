// The runs of a series found in the history, and the earlier sets a chart compares with: only
// the files that can hold a series' runs are read.
#include "runs/run_series.h"

#include <gtest/gtest.h>

#include <map>

namespace quorvath {

TEST(RunSeries, FindsASeriesRunsAndTheEarlierSetsReadingOnlyWhatCanBelongToThem) {
  const std::wstring first = L"2026-12-07 14:10:00", second = L"2026-12-07 15:00:00";
  // Newest first, as the history lists them: a time and its series; "?" cannot be read.
  const std::pair<std::wstring, std::wstring> history[] = {
      {L"15-10", L""},   {L"15-02", second}, {L"15-01", second}, {L"15-00", L"?"},
      {L"14-20", first}, {L"14-11", first},  {L"14-00", L""}};
  std::vector<RunName> listed;
  std::map<std::wstring, std::wstring> series_of;  // by time
  for (const auto& [time, series] : history) {
    listed.push_back({L"2026-12-07 " + time + L"-00", TestKind::kHigh, L"1280 x 1024"});
    series_of[time] = series;
  }
  using Texts = std::vector<std::wstring>;
  Texts read;
  const RunReader reader = [&](const RunName& name) -> std::optional<SavedRun> {
    const std::wstring time = name.stamp.substr(11, 5);
    read.push_back(time);
    if (series_of[time] == L"?") return std::nullopt;
    SavedRun run;
    run.context.series = series_of[time];
    return run;
  };
  const auto times = [](const std::vector<RunName>& names) {
    Texts texts;
    for (const RunName& name : names) texts.push_back(name.stamp.substr(11, 5));
    return texts;
  };
  EXPECT_EQ(SeriesStamp(second), L"2026-12-07 15-00-00");
  // A run saved in the second the series began is before it: a result comes a tick after a start.
  EXPECT_EQ(times(SavedBefore(listed, second)), (Texts{L"15-00", L"14-20", L"14-11", L"14-00"}));
  // The second series' runs but its newest, which the window has: only the runs since its start
  // are read, the one left out not.
  EXPECT_EQ(times(SeriesRuns(listed, second, listed[1], reader).names), (Texts{L"15-01"}));
  EXPECT_EQ(read, (Texts{L"15-00", L"15-01", L"15-10"}));
  // Each set oldest first; a series' runs together; a run that cannot be read alone; each run
  // read once, and no further than the sets asked for need.
  read.clear();
  std::vector<Texts> sets;
  for (const ReadRuns& set : EarlierSets(listed, reader, 10)) sets.push_back(times(set.names));
  EXPECT_EQ(sets,
            (std::vector<Texts>{
                {L"15-10"}, {L"15-01", L"15-02"}, {L"15-00"}, {L"14-11", L"14-20"}, {L"14-00"}}));
  EXPECT_EQ(read.size(), listed.size());
  read.clear();
  EXPECT_EQ(EarlierSets(listed, reader, 2).size(), 2u);
  EXPECT_EQ(read, (Texts{L"15-10", L"15-02", L"15-01", L"15-00"}));
}

}  // namespace quorvath
