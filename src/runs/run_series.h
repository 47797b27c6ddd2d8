// The runs of the history that a result window's chart takes together: the runs of a series of
// repeats, found by the Series value each of them holds (the Started text of the series' first
// run), and the earlier sets and single runs that chart can be compared with. Only files whose
// names are not older than a series' start can hold one of its runs, so that a long history is
// not read whole to find them.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "results/run_csv.h"
#include "runs/history.h"

namespace quorvath {

// Reads a run of the history: nothing when its file cannot be read as a run.
using RunReader = std::function<std::optional<SavedRun>(const RunName&)>;

// Runs of the history with what was read of them, oldest first.
struct ReadRuns {
  std::vector<RunName> names;
  std::vector<std::optional<SavedRun>> runs;  // one for each name
};

// A series' start ("2026-12-07 14:03:22") as a file name's stamp has it: "2026-12-07 14-03-22".
std::wstring SeriesStamp(std::wstring_view series);

// The runs of `listed` (newest first) saved before the series that started at `series`, those of
// the second it started included.
std::vector<RunName> SavedBefore(const std::vector<RunName>& listed, std::wstring_view series);

// The runs of `listed` (newest first) whose Series value is `series`, but for `leave_out`
// (the caller has that one): only those saved at the series' start or later are read.
ReadRuns SeriesRuns(const std::vector<RunName>& listed, std::wstring_view series,
                    const std::optional<RunName>& leave_out, const RunReader& read);

// The sets to compare with, newest first and at most `limit` of them, from the `earlier` runs
// (newest first): each run is a set of its own, but for a run of a series, which takes with it
// the runs just before it of the same series.
std::vector<ReadRuns> EarlierSets(const std::vector<RunName>& earlier, const RunReader& read,
                                  std::size_t limit);

}  // namespace quorvath
