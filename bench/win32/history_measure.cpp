// Measures the history under Wine: with 10,000 saved runs in the history folder, opening a
// chart (finding the runs of its test and resolution, reading the ones its Compare menu offers,
// and the window on screen), and what saving a run of 21 records adds to showing its window;
// opening a chart of five runs of 21 records, and one of five sets of ten such runs, until it is
// painted; and reading the machine facts saved with each run, the first time in the process and
// again.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/win_system.h"
#include "results/chart_model.h"
#include "runs/history.h"
#include "runs/machine.h"
#include "ui/chart_window.h"

namespace {

using namespace quorvath;
using Clock = std::chrono::steady_clock;

double Since(Clock::time_point begin) {
  return std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

SavedRun Levels(int count, const wchar_t* resolution) {
  SavedRun run;
  for (int i = 0; i < count; ++i) {
    run.records.push_back(
        {resolution, L"Level " + std::to_wstring(i), L"24.22", L"41.06", L"70.62"});
  }
  return run;
}

// Shows `subject` in `window` and waits until the window and its view are painted: the time
// this takes, in milliseconds.
double ShowUntilPainted(ChartWindow& window, ChartSubject subject) {
  const auto begin = Clock::now();
  window.Show(std::move(subject), nullptr);
  RedrawWindow(window.hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return Since(begin);
}

// Five sets of `runs` runs of 21 levels at one resolution, a set a day, each set a little faster
// and each run's averages a little apart; with one run a set, five runs.
ChartSubject FiveSets(int runs_in_a_set) {
  ChartSubject subject;
  subject.caption = L"High Quality Results Chart";
  subject.test = TestKind::kHigh;
  for (int set = 0; set < 5; ++set) {
    ChartSet runs;
    for (int run = 0; run < runs_in_a_set; ++run) {
      SavedRun saved;
      for (int i = 0; i < 21; ++i) {
        const std::wstring average =
            std::to_wstring(40 + set) + L"." + std::to_wstring(10 + run + i);
        saved.records.push_back(
            {L"1280 x 1024", L"Level " + std::to_wstring(i), L"24.22", average, L"70.62"});
      }
      runs.push_back(
          {{RunStamp(2027, 1, 1 + set, 12, run, 0), TestKind::kHigh, L"1280 x 1024"}, saved, {}});
    }
    subject.sets.push_back(std::move(runs));
  }
  return subject;
}

}  // namespace

int main() {
  LoadCommonControls();
  std::vector<double> facts;
  for (int call = 0; call < 21; ++call) {
    const auto begin = Clock::now();
    ReadMachineFacts();
    facts.push_back(Since(begin));
  }
  const double first_facts = facts.front();
  facts.erase(facts.begin());
  std::printf("machine facts: first %.1f ms, median %.1f ms (limit 50 ms)\n", first_facts,
              Median(facts));
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  const std::wstring folder = std::wstring(temp) + L"quorvath-history-measure";

  // 10,000 runs of every test and resolution, a month apart at most.
  const SavedRun seven = Levels(7, L"1280 x 1024");
  std::printf("writing 10,000 saved runs...\n");
  for (int i = 0; i < 10'000; ++i) {
    const TestKind test = static_cast<TestKind>(i % 3);
    const std::wstring resolution =
        test == TestKind::kCpu ? L""
                               : std::wstring(kResolutions[static_cast<std::size_t>(i / 3 % 4)]);
    SaveRun(
        folder,
        {RunStamp(2026, 11, 1 + i % 28, i / 28 % 24, i / 700 % 60, i % 60), test, resolution, 1},
        seven);
  }

  // Saving into a fresh history, before the 10,000 runs are there.
  std::vector<double> save_fresh;
  for (int run = 0; run < 7; ++run) {
    const SavedRun all = Levels(21, L"1600 x 1200");
    const auto begin = Clock::now();
    const SavedFile saved = SaveRun(
        folder + L" fresh", {L"2030-01-01 00-00-00", TestKind::kHigh, L"All Resolutions", 1}, all);
    save_fresh.push_back(Since(begin));
    DeleteFileW(saved.path.c_str());
  }
  RemoveDirectoryW((folder + L" fresh").c_str());
  std::vector<double> find_and_read, open_chart, open_five, open_sets, save;
  for (int run = 0; run < 7; ++run) {
    auto begin = Clock::now();
    const std::vector<RunName> runs = ListRuns(folder, TestKind::kHigh, L"1280 x 1024");
    const std::optional<SavedRun> compared = ReadRun(folder + L"\\" + RunFileName(runs.at(0)));
    if (!compared || runs.size() < 800) {
      std::printf("the history was not read\n");
      return 1;
    }
    const ChartModel chart =
        BuildChart(L"High Quality", {{L"before", {&*compared}}, {L"now", {&seven}}});
    find_and_read.push_back(Since(begin));

    ChartWindow window;
    ChartSubject subject{L"High Quality Results Chart: 1280 x 1024",
                         {},
                         true,
                         folder,
                         TestKind::kHigh,
                         L"1280 x 1024",
                         std::nullopt};
    subject.sets.push_back(
        {{{L"2027-01-01 00-00-00", TestKind::kHigh, L"1280 x 1024"}, seven, {}}});
    open_chart.push_back(ShowUntilPainted(window, std::move(subject)));
    window.Close();
    Pump();

    ChartWindow five;
    open_five.push_back(ShowUntilPainted(five, FiveSets(1)));
    five.Close();
    Pump();

    ChartWindow sets;
    open_sets.push_back(ShowUntilPainted(sets, FiveSets(10)));
    sets.Close();
    Pump();

    const SavedRun all = Levels(21, L"1600 x 1200");
    begin = Clock::now();
    const SavedFile saved =
        SaveRun(folder, {L"2030-01-01 00-00-00", TestKind::kHigh, L"All Resolutions", 1}, all);
    save.push_back(Since(begin));
    DeleteFileW(saved.path.c_str());
  }
  std::printf("history of 10,000 runs, medians of 7:\n");
  std::printf("  finding the runs and reading the one compared with  %7.1f ms\n",
              Median(find_and_read));
  std::printf("  opening the chart window, drawn (limit 150 ms)      %7.1f ms\n",
              Median(open_chart));
  std::printf("  saving a run of 21 records there                   %7.1f ms\n", Median(save));
  std::printf("  saving a run of 21 records, a new history (limit 5 ms) %4.1f ms\n",
              Median(save_fresh));
  std::printf(
      "a chart of 5 runs of 21 records, opened and drawn (limit 150 ms): median of 7 "
      "%.1f ms, slowest %.1f ms\n",
      Median(open_five), *std::max_element(open_five.begin(), open_five.end()));
  std::printf(
      "a chart of 5 sets of 10 runs of 21 records, opened and drawn (limit 150 ms): median of 7 "
      "%.1f ms, slowest %.1f ms\n",
      Median(open_sets), *std::max_element(open_sets.begin(), open_sets.end()));
  const bool ok = Median(open_chart) <= 150 && Median(open_five) <= 150 &&
                  Median(open_sets) <= 150 && Median(save_fresh) <= 5 && first_facts <= 50;
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  WIN32_FIND_DATAW entry{};
  const HANDLE find = FindFirstFileW((folder + L"\\*.csv").c_str(), &entry);
  for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &entry)) {
    DeleteFileW((folder + L"\\" + entry.cFileName).c_str());
  }
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
  RemoveDirectoryW(folder.c_str());
  return ok ? 0 : 1;
}
