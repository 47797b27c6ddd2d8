#include "runs/run_series.h"

#include <algorithm>
#include <utility>

namespace quorvath {

std::wstring SeriesStamp(std::wstring_view series) {
  std::wstring stamp(series);
  std::replace(stamp.begin(), stamp.end(), L':', L'-');
  return stamp;
}

std::vector<RunName> SavedBefore(const std::vector<RunName>& listed, std::wstring_view series) {
  const std::wstring start = SeriesStamp(series);
  std::vector<RunName> before;
  for (const RunName& name : listed) {
    // A run saved in the second the series began is before it: its first result comes a tick
    // after its start.
    if (name.stamp <= start) before.push_back(name);
  }
  return before;
}

ReadRuns SeriesRuns(const std::vector<RunName>& listed, std::wstring_view series,
                    const std::optional<RunName>& leave_out, const RunReader& read) {
  const std::wstring start = SeriesStamp(series);
  ReadRuns found;
  // Oldest first: the listing is newest first.
  for (auto name = listed.rbegin(); name != listed.rend(); ++name) {
    if (name->stamp < start || (leave_out && *name == *leave_out)) continue;
    std::optional<SavedRun> run = read(*name);
    if (!run || run->context.series != series) continue;
    found.names.push_back(*name);
    found.runs.push_back(std::move(run));
  }
  return found;
}

std::vector<ReadRuns> EarlierSets(const std::vector<RunName>& earlier, const RunReader& read,
                                  std::size_t limit) {
  std::vector<ReadRuns> sets;
  std::size_t next = 0;
  // A run read to see whether it belongs to the set before it, and that starts the next set.
  std::optional<std::pair<RunName, std::optional<SavedRun>>> waiting;
  while (sets.size() < limit && (waiting || next < earlier.size())) {
    if (!waiting) {
      waiting.emplace(earlier[next], read(earlier[next]));
      ++next;
    }
    ReadRuns set{{std::move(waiting->first)}, {}};
    set.runs.push_back(std::move(waiting->second));
    waiting.reset();
    const std::wstring series = set.runs.back() ? set.runs.back()->context.series : L"";
    const std::wstring start = SeriesStamp(series);
    while (!series.empty() && next < earlier.size() && earlier[next].stamp >= start) {
      std::optional<SavedRun> run = read(earlier[next]);
      if (!run || run->context.series != series) {
        waiting.emplace(earlier[next++], std::move(run));
        break;
      }
      set.names.push_back(earlier[next++]);
      set.runs.push_back(std::move(run));
    }
    std::reverse(set.names.begin(), set.names.end());
    std::reverse(set.runs.begin(), set.runs.end());
    sets.push_back(std::move(set));
  }
  return sets;
}

}  // namespace quorvath
