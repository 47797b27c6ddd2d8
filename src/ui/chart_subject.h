// What a chart window draws: sets of saved runs, each one run or several (the runs of a series
// of repeats, or runs the History window takes together), and how the chart and its menus name
// them: a run by its time in the user's format and its label, a set of several runs by its label,
// or its first run's time when it has none.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "results/chart_model.h"
#include "results/run_csv.h"
#include "runs/history.h"
#include "runs/run_series.h"

namespace quorvath {

// One run of a chart.
struct ChartRun {
  RunName name;                 // its name in the history: the legend and the title name it so
  std::optional<SavedRun> run;  // nothing when its file could not be read as a run
  std::wstring problem;         // then what is wrong, naming the file
};

// A set of runs, oldest first.
using ChartSet = std::vector<ChartRun>;

// What a chart draws.
struct ChartSubject {
  std::wstring caption;        // "High Quality Results Chart: 1280 x 1024"
  std::vector<ChartSet> sets;  // oldest first: the first that could be read is the base
  // A result window's chart has a Compare menu: its run's set, the last of `sets`, is compared
  // with an earlier set of `test` and `resolution` in `history_folder`, or a file, chosen there;
  // that set is the base.
  bool has_compare_menu = false;
  std::wstring history_folder;  // where the earlier runs are kept; empty when nowhere
  TestKind test = TestKind::kCpu;
  std::wstring resolution;          // the runs' resolution in the history (HistoryResolution)
  std::optional<RunName> saved_as;  // the run's own name in the history, once it is saved
  // The Started of its series' first run (RunContext::series): the other runs of the series in
  // `history_folder` join it in its set. Empty for a run alone.
  std::wstring series{};
};

// The chart of the sets of runs `sets` saved in `folder`, in any order, as the History window
// opens it: each run read from its file, the runs of a set and the sets oldest first.
ChartSubject SavedRunsChart(const std::wstring& folder, std::vector<std::vector<RunName>> sets);

// The runs of `names` in `folder` as read, or the problem that each could not be.
ChartSet ReadChartSet(const std::wstring& folder, const ReadRuns& runs);
std::wstring CouldNotRead(const std::wstring& path);

// How the chart names `set` of a chart of `test`, without the count of its runs that the chart
// adds; the runs of another test with that test's name before it.
std::wstring SetName(const ChartSet& set, TestKind test);

// Adds `set` to `sources` as the chart model takes it, named `name`: its runs that could be
// read, and a note for each that could not.
void AddSource(const ChartSet& set, const std::wstring& name, std::vector<ChartSource>& sources);

}  // namespace quorvath
