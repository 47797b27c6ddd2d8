// The runs of a series found in the history, and the earlier sets a chart compares with: only
// the files that can hold a series' runs are read.
#include "runs/run_series.h"

#include <gtest/gtest.h>

#include <map>

namespace quorvath {

TEST(RunSeries, FindsASeriesRunsAndTheEarlierSetsReadingOnlyWhatCanBelongToThem) {
  const wchar_t* const kFirst = L"2026-12-07 14:10:00";
  const wchar_t* const kSecond = L"2026-12-07 15:00:00";
  // Newest first, as the history lists them: a stamp and its series; "?" cannot be read.
  const std::pair<const wchar_t*, const wchar_t*> history[] = {
      {L"2026-12-07 15-10-00", L""},     {L"2026-12-07 15-02-00", kSecond},
      {L"2026-12-07 15-01-00", kSecond}, {L"2026-12-07 14-30-00", L"?"},
      {L"2026-12-07 14-20-00", kFirst},  {L"2026-12-07 14-11-00", kFirst},
      {L"2026-12-07 14-00-00", L""}};
  std::vector<RunName> listed;
  std::map<std::wstring, std::wstring> series_of;
  for (const auto& [stamp, series] : history) {
    listed.push_back({stamp, TestKind::kHigh, L"1280 x 1024"});
    series_of[stamp] = series;
  }
  std::vector<std::wstring> read;
  const RunReader reader = [&](const RunName& name) -> std::optional<SavedRun> {
    read.push_back(name.stamp.substr(11));
    if (series_of[name.stamp] == L"?") return std::nullopt;
    SavedRun run;
    run.context.series = series_of[name.stamp];
    return run;
  };
  const auto times = [](const std::vector<RunName>& names) {
    std::vector<std::wstring> texts;
    for (const RunName& name : names) texts.push_back(name.stamp.substr(11));
    return texts;
  };
  using Texts = std::vector<std::wstring>;

  EXPECT_EQ(SeriesStamp(kSecond), L"2026-12-07 15-00-00");
  EXPECT_EQ(times(SavedBefore(listed, kSecond)),
            (Texts{L"14-30-00", L"14-20-00", L"14-11-00", L"14-00-00"}));
  // The second series' runs but its newest, which the window has: only the runs since its start
  // are read, the one left out not.
  EXPECT_EQ(times(SeriesRuns(listed, kSecond, listed[1], reader).names), (Texts{L"15-01-00"}));
  EXPECT_EQ(read, (Texts{L"15-01-00", L"15-10-00"}));

  // Each set oldest first; a series' runs together; a run that cannot be read alone.
  read.clear();
  std::vector<Texts> sets;
  for (const ReadRuns& set : EarlierSets(listed, reader, 10)) sets.push_back(times(set.names));
  EXPECT_EQ(sets, (std::vector<Texts>{{L"15-10-00"},
                                      {L"15-01-00", L"15-02-00"},
                                      {L"14-30-00"},
                                      {L"14-11-00", L"14-20-00"},
                                      {L"14-00-00"}}));
  EXPECT_EQ(read.size(), listed.size());  // each once
  read.clear();
  EXPECT_EQ(EarlierSets(listed, reader, 2).size(), 2u);
  EXPECT_EQ(read, (Texts{L"15-10-00", L"15-02-00", L"15-01-00"}));
  EXPECT_EQ(EarlierSets(SavedBefore(listed, kFirst), reader, 10).size(), 1u);
}

}  // namespace quorvath
