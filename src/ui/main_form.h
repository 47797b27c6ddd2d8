// MAIN_FORM: the start-up window with the three test buttons, the resolution choice, the
// explanatory text, the banner and the File and Help menus. It owns the program's timers and
// runs a test from its button to its result window.
#pragma once

#include <windows.h>

#include <array>
#include <optional>

#include "core/win_handles.h"
#include "runs/machine.h"
#include "runs/series.h"
#include "runs/test_run.h"
#include "ui/about_form.h"
#include "ui/desktop.h"
#include "ui/dialog_window.h"
#include "ui/history_window.h"
#include "ui/label_dialog.h"
#include "ui/result_form.h"

namespace quorvath {

class MainForm : public DialogWindow {
 public:
  enum ControlId : int { cmd_cpu = 1001, cmd_high, cmd_low, Picture1, combo_res, Text1 };
  enum MenuId : int {
    mnu_main_stop = 1101,
    mnu_main_exit,
    mnu_main_about,
    mnu_runs_history,
    mnu_runs_label,
    mnu_runs_once,  // then the other lengths of kSeriesLengths, in order
  };
  enum TimerId : UINT_PTR { loc_timer = 1, cpu_timer, high_timer, low_timer, series_timer };

  ~MainForm() override;

  // Creates the window hidden, with its controls and menus; the test buttons disabled and
  // every timer idle.
  bool Create();

  // The rest of the start-up, once the checks have passed: shows the window, starts locating
  // the game, and fills the resolution list and the explanatory text.
  void Load(int show_command);

 private:
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnDpiChanged(UINT) override { ShowBanner(); }
  void OnDestroyed() override { PostQuitMessage(0); }

  void OnInitDialog();
  void OnCommand(int id, int code);
  void OnTimer(UINT_PTR timer);
  void ShowBanner();

  // Starts "CPU Test\get-loc.bat" hidden and arms loc_timer.
  void StartLocate();
  void OnLocTimer();
  void TellLocationStillUnknown();
  void OnComboResClick();
  void SetTestButtonsEnabled(bool enabled);

  // A test button: begins a series of the length the Runs menu has checked (one run, as a
  // rule) with its first run.
  void OnTestButton(TestKind test);
  // A run of the series: prepares the game's benchmark folder, starts the test's batch file
  // and its polling timer. A run that cannot start ends the series, with a message.
  void StartRun(TestKind test, RunOrigin origin);
  // A tick of the running test's polling timer.
  void OnTestTimer();
  // Between the runs of a series: starts the next once it is due.
  void OnSeriesTimer();
  // Stops waiting for the running test's result: its timer ends. The batch file, if it still
  // runs, is left alone.
  void EndRun();
  // The series has ended: the test buttons come back; the taskbar progress and the Stop
  // Waiting command end.
  void EndSeries();
  void OnStopWaiting();
  void ShowSeriesProgress();
  void OnSeriesLength(int id);

  // Exit and closing: closes every other window of the program, then ends it.
  void CloseAllAndEnd();

  UniqueBitmap banner_;
  UniqueBitmap banner_2x_;
  ToolTips tooltips_;
  TaskbarProgress progress_;

  AboutForm about_;
  LabelDialog label_dialog_;
  HistoryWindow history_;
  std::array<ResultForm, 3> result_forms_{ResultForm(TestKind::kCpu), ResultForm(TestKind::kHigh),
                                          ResultForm(TestKind::kLow)};

  // The running test, while its timer polls for the result.
  std::optional<PendingResult> pending_;
  // The runs of the test since its button was pressed, and what every run of them records;
  // between runs, the batch process of the last one.
  Series series_;
  int series_length_ = 1;
  TestKind series_test_ = TestKind::kCpu;
  RunOrigin series_origin_;
  UniqueHandle previous_process_;
  int series_number_ = 0;  // counts the presses of a test button

  // What every run saved from now on records: the label the user gave (none at first) and the
  // machine, read once the window is on screen.
  std::wstring run_label_;
  MachineFacts machine_;

  ULONGLONG locate_started_ms_ = 0;
  bool told_location_unknown_ = false;
};

}  // namespace quorvath
