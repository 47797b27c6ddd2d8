// CPU_RES_FORM, HIGH_RES_FORM and LOW_RES_FORM: one window kind, three designs. Each lists its
// test's result file, one row per benchmarked level, in an owner-drawn list whose columns line
// up under the column header; Ctrl+C or Copy on the list's menu copies the rows, File, Close
// or Esc closes the window. Each run it shows is saved in the history; File, Save As saves it
// elsewhere, File, Open Results Folder shows the history, View, Chart opens its chart.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "results/fps_reader.h"
#include "results/run_csv.h"
#include "runs/history.h"
#include "runs/kit.h"
#include "runs/test_run.h"
#include "ui/chart_window.h"
#include "ui/dialog_window.h"

namespace quorvath {

struct ResultWindowDesign;

class ResultForm : public DialogWindow {
 public:
  enum ControlId : int { List1 = 2001, Label1 };
  enum MenuId : int {
    mnu_cpu_close = 2101,
    mnu_highres_close,
    mnu_lowres_close,
    mnu_copy,
    mnu_save_as,
    mnu_open_folder,
    mnu_chart,
  };

  explicit ResultForm(TestKind test);
  ~ResultForm() override;

  // Shows the test's results read from `path`, for the resolution chosen when the test started
  // (`origin`), and then saves
  // them in the history: once listed, so that saving never delays the list. A window that is not
  // open is created, shown, then given its caption, rows and column header. An open window replaces
  // its rows and caption and comes to the front, and so does its chart. A file that could not be
  // read whole is listed (and saved) as far as it goes, then the user is told; so is a history that
  // cannot be written.
  void ShowResults(FpsReadResult read, const std::wstring& path, const RunOrigin& origin);

 private:
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnDpiChanged(UINT) override { UpdateColumns(); }
  void OnDestroyed() override { chart_.Close(); }

  void OnInitDialog();
  void UpdateColumns();
  void SetRows(const std::vector<std::wstring>& rows);
  void DrawRow(const DRAWITEMSTRUCT& item) const;
  void CopyRows() const;
  void ShowContextMenu(LPARAM at);
  void SaveAs();
  void SaveToHistory();
  SavedRun Run() const { return {SavedRecords(records_, layout_, record_resolution_), context_}; }
  ChartSubject Subject() const;
  HWND list() const { return GetDlgItem(hwnd(), List1); }

  const ResultWindowDesign& design_;
  std::vector<int> column_starts_;  // in the list's client coordinates
  int row_height_ = 0;

  // The run the window shows, and its name in the history.
  std::deque<FpsRecord> records_;
  RowLayout layout_ = RowLayout::kCpu;
  std::wstring record_resolution_;
  RunContext context_;
  SavedFile saved_;
  ChartWindow chart_;
};

// What to tell the user about a result file that could not be read whole, naming the file
// and the line.
std::wstring DamagedResultMessage(const std::wstring& path, const FpsReadResult& read);

}  // namespace quorvath
