#include "ui/chart_subject.h"

#include <algorithm>
#include <utility>

#include "ui/desktop.h"

namespace quorvath {

std::wstring CouldNotRead(const std::wstring& path) {
  return L"This file could not be read as a saved run: " + path;
}

ChartSet ReadChartSet(const std::wstring& folder, const ReadRuns& runs) {
  ChartSet set;
  for (std::size_t i = 0; i < runs.names.size(); ++i) {
    ChartRun run{runs.names[i], runs.runs[i], {}};
    if (!run.run) run.problem = CouldNotRead(RunPath(folder, run.name));
    set.push_back(std::move(run));
  }
  return set;
}

ChartSubject SavedRunsChart(const std::wstring& folder, std::vector<std::vector<RunName>> sets) {
  ChartSubject subject;
  subject.history_folder = folder;
  for (std::vector<RunName>& names : sets) {
    std::sort(names.begin(), names.end(), NewerFirst);
    ReadRuns runs;
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
      runs.names.push_back(*name);
      runs.runs.push_back(ReadRun(RunPath(folder, *name)));
    }
    if (!runs.names.empty()) subject.sets.push_back(ReadChartSet(folder, runs));
  }
  // The sets by their first run, oldest first.
  std::sort(subject.sets.begin(), subject.sets.end(), [](const ChartSet& a, const ChartSet& b) {
    return NewerFirst(b.front().name, a.front().name);
  });
  if (!subject.sets.empty()) {
    subject.test = subject.sets.front().front().name.test;
    subject.caption = std::wstring(TestRowFor(subject.test).name) + L" Results Chart";
  }
  return subject;
}

std::wstring SetName(const ChartSet& set, TestKind test) {
  if (set.empty()) return {};
  const auto read = std::count_if(set.begin(), set.end(), [](const ChartRun& r) { return r.run; });
  const auto first =
      std::find_if(set.begin(), set.end(), [](const ChartRun& r) { return r.run.has_value(); });
  const ChartRun& named = first == set.end() ? set.front() : *first;
  std::wstring name = RunDisplayName(named.name);
  if (read > 1) {
    // Its label as its file has it, which a name ending in " (N)" can hide.
    const std::wstring& label =
        named.run->context.label.empty() ? named.name.label : named.run->context.label;
    if (!label.empty()) name = label;
  }
  if (named.name.test != test) name = std::wstring(TestRowFor(named.name.test).name) + L" " + name;
  return name;
}

void AddSource(const ChartSet& set, const std::wstring& name, std::vector<ChartSource>& sources) {
  ChartSource source{name, {}, {}};
  std::vector<ChartSource> notes;
  for (const ChartRun& run : set) {
    if (run.run) {
      source.runs.push_back(&*run.run);
    } else if (source.problem.empty() && set.size() == 1) {
      source.problem = run.problem;
    } else {
      notes.push_back({L"", {}, run.problem});
    }
  }
  if (source.runs.empty() && source.problem.empty() && !notes.empty()) {
    source.problem = notes.front().problem;
    notes.erase(notes.begin());
  }
  sources.push_back(std::move(source));
  sources.insert(sources.end(), notes.begin(), notes.end());
}

}  // namespace quorvath
