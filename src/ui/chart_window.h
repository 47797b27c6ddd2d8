// The chart of a result window: a resizable window that draws the run the result window
// shows (results/chart_model.h), compared by default with the newest earlier saved run of the
// same test and resolution. Its File menu saves the chart as a PNG file and closes it; its
// Compare menu chooses another earlier run (up to ten, newest first), none, or any saved CSV.
// Esc closes it; Ctrl+C puts it on the clipboard as a bitmap and as tab-separated text.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "results/run_csv.h"
#include "runs/history.h"

namespace quorvath {

// What a chart draws.
struct ChartSubject {
  std::wstring caption;         // "High Quality Results Chart: 1280 x 1024"
  SavedRun run;                 // the records the result window lists
  std::wstring history_folder;  // where the earlier runs are kept; empty when nowhere
  TestKind test = TestKind::kCpu;
  std::wstring resolution;          // the runs' resolution in the history (HistoryResolution)
  std::optional<RunName> saved_as;  // the run's own name in the history, once it is saved
};

class ChartWindow {
 public:
  ChartWindow() = default;
  ~ChartWindow();
  ChartWindow(const ChartWindow&) = delete;
  ChartWindow& operator=(const ChartWindow&) = delete;

  // Opens the chart beside `near`, or shows the open one the new subject and brings it forward.
  void Show(ChartSubject subject, HWND near);
  // Closes it if it is open.
  void Close();
  bool IsOpen() const { return hwnd_ != nullptr; }
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
  // The rest is the window's own: its subject, the comparison, fonts, scroll position...
};

}  // namespace quorvath
