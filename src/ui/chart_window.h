// The chart of one to five runs (results/chart_model.h) in a resizable window: the History
// window's chart of the runs chosen there, or a result window's chart of its run, compared by
// default with the newest earlier saved run of the same test and resolution. Its File menu
// saves the chart as a PNG file, copies it and closes it; its View menu chooses the resolution
// shown, when the runs have several; a result window's chart has a Compare menu that chooses
// another earlier run (up to ten, newest first), none, or any saved CSV. The chart fills the
// window in a view of its own: its title, legend, key and axis stay in place while the bars
// scroll, with the scroll bar, the mouse wheel and the keys. Esc closes the window; Ctrl+C puts
// the chart on the clipboard as a bitmap and as tab-separated text (ChartText).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "results/chart_model.h"
#include "results/run_csv.h"
#include "runs/history.h"
#include "ui/chart_view.h"
#include "ui/dialog_window.h"

namespace quorvath {

// One run of a chart.
struct ChartRun {
  RunName name;                 // its name in the history: the legend and the title name it so
  std::optional<SavedRun> run;  // nothing when its file could not be read as a run
  std::wstring problem;         // then what is wrong, naming the file
};

// What a chart draws.
struct ChartSubject {
  std::wstring caption;        // "High Quality Results Chart: 1280 x 1024"
  std::vector<ChartRun> runs;  // oldest first: the first that could be read is the base
  // A result window's chart has a Compare menu: its run, the last of `runs`, is compared with an
  // earlier run of `test` and `resolution` in `history_folder`, or a file, chosen there; that run
  // is the base.
  bool has_compare_menu = false;
  std::wstring history_folder;  // where the earlier runs are kept; empty when nowhere
  TestKind test = TestKind::kCpu;
  std::wstring resolution;          // the runs' resolution in the history (HistoryResolution)
  std::optional<RunName> saved_as;  // the run's own name in the history, once it is saved
};

// The chart of the runs `names` saved in `folder`, in any order, as the History window opens
// it: each run read from its file, the oldest first.
ChartSubject SavedRunsChart(const std::wstring& folder, std::vector<RunName> names);

class ChartWindow : public DialogWindow {
 public:
  ChartWindow() = default;
  ~ChartWindow() override;

  // Opens the chart beside `beside`, or shows the open one the new subject and brings it
  // forward.
  void Show(ChartSubject subject, HWND beside);

 private:
  // The run compared with in a result window's chart.
  struct Compared {
    std::wstring name;
    std::optional<SavedRun> run;
    std::wstring problem;
  };

  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnDpiChanged(UINT) override { view_.SetScale(font(), dpi()); }
  std::optional<SIZE> MinClientSize() const override {
    if (view_.hwnd() == nullptr) return std::nullopt;
    return view_.MinSize();
  }

  void OnInitDialog();
  void AttachMenus();
  void OnCommand(int id);

  void CompareWithDefault();
  void CompareWith(int item, std::optional<Compared> compared);
  void Rebuild(bool from_top);
  void FillViewMenu() const;
  void FillCompareMenu() const;
  void SaveChartAs() const;
  std::wstring SuggestedFileName() const;

  ChartView view_;
  ChartSubject subject_;
  std::vector<RunName> earlier_;      // the Compare menu's runs, newest first
  std::optional<Compared> compared_;  // the base of a result window's chart; none for None
  int compare_item_ = 0;              // the Compare menu's checked item
  std::wstring shown_resolution_;     // the View menu's choice, kept while the runs have it
};

}  // namespace quorvath
