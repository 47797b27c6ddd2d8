// The chart of a result window: a resizable window that draws the run the result window
// shows (results/chart_model.h), compared by default with the newest earlier saved run of the
// same test and resolution. Its File menu saves the chart as a PNG file and closes it; its
// Compare menu chooses another earlier run (up to ten, newest first), none, or any saved CSV.
// The chart fills the window in a view of its own, which scrolls with its scroll bar, the
// mouse wheel and the keys; Esc closes the window; Ctrl+C puts the chart on the clipboard as a
// bitmap and as tab-separated text.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "core/win_handles.h"
#include "results/chart_model.h"
#include "results/run_csv.h"
#include "runs/history.h"
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
  // earlier run of `test` and `resolution` in `history_folder`, or a file, chosen there.
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
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnDpiChanged(UINT previous_dpi) override;
  void OnDestroyed() override { view_ = nullptr; }

  static LRESULT CALLBACK ViewProc(HWND view, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleViewMessage(UINT message, WPARAM wparam, LPARAM lparam);

  void OnInitDialog();
  void Place(HWND beside);
  void OnCommand(int id);
  void OnKeyDown(WPARAM key);
  void OnVScroll(int request);
  void OnMouseWheel(int delta);
  void OnGetMinMaxInfo(MINMAXINFO& info) const;
  void OnPaint() const;

  void CompareWithDefault();
  void CompareWithFile(int item, const std::wstring& path, std::wstring label);
  void CompareWith(int item, const std::optional<SavedRun>& run, std::wstring label);
  void FillCompareMenu() const;
  void Relayout();
  void ScrollTo(int top);
  void Draw(HDC dc, int width, int height, int top) const;
  UniqueBitmap DrawWholeChart() const;
  void CopyChart() const;
  void SaveChartAs() const;
  int Px(int dips) const { return ScaleForDpi(dips, dpi()); }
  int MinClientWidth() const;
  struct Extent {
    int width, height;  // pixels
  };
  Extent ViewSize() const;

  HWND view_ = nullptr;  // the chart's surface, a child filling the client area
  ChartSubject subject_;
  std::vector<RunName> earlier_;  // the Compare menu's runs, newest first
  std::wstring baseline_label_;   // "2026-12-07 14-03-22", or the name of an opened file
  int compare_item_ = 0;          // the Compare menu's checked item
  ChartModel model_;
  ChartLayout layout_;   // for the view's width
  int scroll_top_ = 0;   // pixels of the chart above the view
  int wheel_delta_ = 0;  // the mouse wheel's turn not yet scrolled
};

}  // namespace quorvath
