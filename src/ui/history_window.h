// The History window, "Quorvath History": every run saved in the history folder in a
// report-style list, newest first, with its date, test, resolution, label, computer, levels
// and mean Average FPS. It behaves as the shell's details view does: a click on a column
// header sorts by that column (a second click reverses it), Enter charts the selected runs,
// F2 renames a run's label in place, Del moves runs to the Recycle Bin after asking, F5 lists
// the folder again, Ctrl+A selects every run and Ctrl+C copies the selected rows as text.
//
// A history may hold tens of thousands of runs: the list is virtual and is filled from one
// listing of the folder's names; what only a file's content tells (its label as written, the
// computer, the levels and the average) is read afterwards a few files at a time, those in
// view first, and kept until the file changes.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runs/history.h"
#include "runs/history_rows.h"
#include "ui/cell_editor.h"
#include "ui/chart_window.h"
#include "ui/dialog_window.h"
#include "ui/list_view.h"

namespace quorvath {

class HistoryWindow : public DialogWindow {
 public:
  enum ControlId : int { kRunList = 3001, kStatusBar };
  enum MenuId : int {
    kChartRuns = 3101,
    kOpenResultsFolder,
    kCloseHistory,
    kRenameLabel,
    kDeleteRuns,
    kSelectAllRuns,
    kCopyRuns,
    kRefreshRuns,
  };

  HistoryWindow() = default;
  ~HistoryWindow() override;

  // Opens the window over `over` with the history listed, or brings the open one forward.
  void Show(HWND over);

  // Lists the history folder again, keeping the order and the selected runs that are still
  // there; nothing when the window is not open. Called too whenever a run has been saved.
  void Refresh();

 private:
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnDpiChanged(UINT previous_dpi) override;
  void OnDestroyed() override;
  std::optional<SIZE> MinClientSize() const override;

  void OnInitDialog();
  void OnCommand(int id);
  INT_PTR OnNotify(NMHDR& header);
  void OnKeyDown(WORD key);
  void OnSize();
  void OnReadTimer();

  void SortBy(HistoryColumn column);
  // Puts the rows in a new order, when `order` does, keeping the selected runs selected.
  void ShowInOrder(const std::function<bool()>& order);
  void UpdateStatus();

  // The selected runs, and the focused one, by their file names; selected again wherever they
  // are listed now.
  ListSelection Selection() const;
  void SelectAgain(const ListSelection& selection, bool show_focused);

  void ChartSelected();
  void CopySelected();
  void DeleteSelected();
  // An edit box over the row's Label cell, holding `text` or else the run's label.
  void BeginRename(int row, const std::optional<std::wstring>& text);
  void CommitLabel(const RunName& run, const std::wstring& text);

  HWND list() const { return GetDlgItem(hwnd(), kRunList); }
  int Px(int dips) const { return ScaleForDpi(dips, dpi()); }

  std::wstring folder_;
  HistoryRows rows_{[this](const RunName& run) { return ReadRun(RunPath(folder_, run)); }};
  bool reselecting_ = false;

  CellEditor label_editor_;
  bool refresh_after_edit_ = false;

  ChartWindow chart_;
};

}  // namespace quorvath
