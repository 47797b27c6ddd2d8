// CPU_RES_FORM, HIGH_RES_FORM and LOW_RES_FORM: one window kind, three designs. Each lists
// its test's result file, one row per benchmarked level, and closes from File, Close.
#pragma once

#include <windows.h>

#include <span>

#include "core/win_handles.h"
#include "results/fps_read_result.h"
#include "runs/batch_files.h"
#include "ui/column_list.h"
#include "ui/control_table.h"
#include "ui/dialog_window.h"

namespace quorvath {

struct ResultWindowDesign {
  TestKind test;
  const wchar_t* caption;           // as designed
  bool caption_shows_resolution;    // the caption gets " " + the resolution choice
  int client_width, client_height;  // twips
  std::span<const ControlSpec> controls;
  int file_menu;
  int close_item;
};

class ResultForm : public DialogWindow {
 public:
  enum ControlId : int { List1 = 2001, Label1 };
  enum MenuId : int {
    mnu_File = 2101,
    mnu_cpu_close,
    mnu_highres_file,
    mnu_highres_close,
    mnu_lowres_file,
    mnu_lowres_close,
    mnu_copy,
  };

  static const ResultWindowDesign& DesignFor(TestKind test);

  explicit ResultForm(const ResultWindowDesign& design) : design_(design) {}
  ~ResultForm() override;

  // Shows the test's results. A window that is not open is created: shown first, then its
  // caption, rows and column header are set. An open window reads the file again, replaces
  // its rows and caption, and comes to the front. A file that could not be read whole is
  // listed as far as it goes, then the user is told.
  void ShowResults();

 private:
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  void OnInitDialog();
  void ApplyDpi(UINT dpi);
  void UpdateColumns();
  void FillFromFile();
  void CopyRows();
  void ShowContextMenu(LPARAM at);
  HWND list() const { return GetDlgItem(hwnd(), List1); }

  const ResultWindowDesign& design_;
  ColumnLayout columns_;
};

}  // namespace quorvath
