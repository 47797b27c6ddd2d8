// The chart of a result window: a resizable window that draws the run the result window
// shows (results/chart_model.h), compared by default with the newest earlier saved run of the
// same test and resolution. Its File menu saves the chart as a PNG file and closes it; its
// Compare menu chooses another earlier run (up to ten, newest first), none, or any saved CSV.
// Esc closes it; Ctrl+C puts it on the clipboard as a bitmap and as tab-separated text.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "core/win_handles.h"
#include "results/chart_model.h"
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
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  bool Create(HWND beside);
  void Place(HWND beside);
  void OnPaint();
  void OnSize();
  void OnCommand(int id);
  void OnKeyDown(WPARAM key);
  void OnVScroll(int request);
  void OnMouseWheel(int delta);
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void OnGetMinMaxInfo(MINMAXINFO& info) const;

  void SetDpi(UINT dpi);
  void CompareWithDefault();
  void CompareWithFile(int item, const std::wstring& path, std::wstring label);
  void CompareWith(int item, const std::optional<SavedRun>& run, std::wstring label);
  void FillCompareMenu() const;
  void Relayout();
  void ScrollTo(int top);
  void Draw(HDC dc, int width, int height, int top) const;
  UniqueBitmap WholeChart() const;
  void CopyChart() const;
  void SaveChartAs() const;
  int Px(int dips) const { return MulDiv(dips, static_cast<int>(dpi_), 96); }
  int MinClientWidth() const;
  SIZE FrameFor(SIZE client) const;

  HWND hwnd_ = nullptr;
  ChartSubject subject_;
  std::vector<RunName> earlier_;  // the Compare menu's runs, newest first
  std::wstring baseline_label_;   // "2026-12-07 14-03-22", or the name of an opened file
  int compare_item_ = 0;          // the Compare menu's checked item
  ChartModel model_;
  ChartLayout layout_;  // for the client area's width
  UINT dpi_ = 96;
  int scroll_top_ = 0;   // pixels of the chart above the client area
  int wheel_delta_ = 0;  // the mouse wheel's turn not yet scrolled
  UniqueFont font_;
  UniqueIcon icon_;
  UniqueIcon small_icon_;
};

}  // namespace quorvath
